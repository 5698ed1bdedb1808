#include "ButtonPixels.h"

#include <algorithm>

COLORREF GrayColor(COLORREF colour)
{
    const unsigned weighted = 299u * GetRValue(colour) + 587u * GetGValue(colour) + 114u * GetBValue(colour);
    const BYTE g = static_cast<BYTE>(weighted / 1000u);
    return RGB(g, g, g);
}

namespace {
// The small bias keeps a result that is a whole number in decimal from truncating to
// the number below: 200 - 0.1 * 200 is 179.99999999999999 in the x87 unit of a 32-bit
// build and exactly 180 in a 64-bit one.
BYTE Darken(BYTE c, double factor)
{
    return static_cast<BYTE>(c - factor * c + 1e-9);
}
} // namespace

COLORREF DarkenColor(COLORREF colour, double factor)
{
    if (!(factor > 0.0) || factor > 1.0)
        return colour;
    return RGB(Darken(GetRValue(colour), factor), Darken(GetGValue(colour), factor),
               Darken(GetBValue(colour), factor));
}

void ConvertPixels(COLORREF* pixels, std::size_t count, COLORREF keep, PixelConversion conversion)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (pixels[i] == keep)
            continue;
        pixels[i] = conversion == PixelConversion::Gray ? GrayColor(pixels[i])
                                                        : DarkenColor(pixels[i], kDarkenFactor);
    }
}

int ShadeAmount(COLORREF colour, int shade)
{
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    if (shade > 0)
        return std::min({shade, 255 - r, 255 - g, 255 - b});
    return std::max({shade, -r, -g, -b});
}

COLORREF ShadeColor(COLORREF colour, int shade)
{
    const int amount = ShadeAmount(colour, shade);
    return RGB(GetRValue(colour) + amount, GetGValue(colour) + amount, GetBValue(colour) + amount);
}
