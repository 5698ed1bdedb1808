#include "GradientMath.h"

namespace skin {

int GradientBandHeight(int height)
{
    const int step = height / 255;
    return step > 1 ? step : 1;
}

BYTE GradientShade(int base, int distance, int height)
{
    if (height <= 0)
        return static_cast<BYTE>(base);
    // 64-bit: base * distance^2 no longer fits 32 bits once a window is about 3,700
    // pixels high, and the bands there must still come out white.
    const long long squared = static_cast<long long>(distance) * distance;
    const long long value = base + base * squared / (static_cast<long long>(height) * height);
    return static_cast<BYTE>(value > 255 ? 255 : value);
}

void MakeGradientVertices(const RECT& rect, COLORREF start, COLORREF end, TRIVERTEX vertices[2])
{
    const COLORREF colors[2] = {start, end};
    const POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    for (int i = 0; i < 2; ++i) {
        vertices[i].x = corners[i].x;
        vertices[i].y = corners[i].y;
        vertices[i].Red = static_cast<COLOR16>(GetRValue(colors[i]) << 8);
        vertices[i].Green = static_cast<COLOR16>(GetGValue(colors[i]) << 8);
        vertices[i].Blue = static_cast<COLOR16>(GetBValue(colors[i]) << 8);
        vertices[i].Alpha = 0;
    }
}

RECT BandedGradientBand(const RECT& rect, int index, bool vertical)
{
    const int extent = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    const float size = static_cast<float>(extent) / 255.0f;
    const int from = static_cast<int>(static_cast<float>(index) * size);
    const int to = static_cast<int>(static_cast<float>(index + 1) * size);
    RECT band;
    if (vertical)
        ::SetRect(&band, rect.left, rect.top + from, rect.right, rect.top + to);
    else
        ::SetRect(&band, rect.left + from, rect.top, rect.left + to, rect.bottom);
    return band;
}

namespace {
int Step(BYTE start, BYTE end, int index)
{
    const int difference = static_cast<int>(end) - static_cast<int>(start);
    return static_cast<int>(static_cast<float>(difference) * static_cast<float>(index) / 255.0f +
                            static_cast<float>(start));
}
}

COLORREF BandedGradientColor(COLORREF start, COLORREF end, int index)
{
    return RGB(Step(GetRValue(start), GetRValue(end), index), Step(GetGValue(start), GetGValue(end), index),
               Step(GetBValue(start), GetBValue(end), index));
}

} // namespace skin
