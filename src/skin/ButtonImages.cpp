#include "ButtonImages.h"

#include "CIconInfo.h"
#include "CMemoryDC.h"
#include "CSelectGuard.h"
#include "CWindowDC.h"

#include <vector>

namespace {

// Reads the pixels of the bitmap selected in `source` row by row, converts them and
// writes them into the one selected in `target`.
void ConvertSelected(CDC& source, CDC& target, int width, int height, COLORREF keep, PixelConversion conversion)
{
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = source.GetPixel(x, y);
    ConvertPixels(pixels.data(), pixels.size(), keep, conversion);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ::SetPixel(target, x, y, pixels[static_cast<size_t>(y) * width + x]);
}

CBitmap ConvertedBitmap(HBITMAP bitmap, int width, int height, COLORREF key, PixelConversion conversion)
{
    if (!bitmap || width <= 0 || height <= 0)
        return CBitmap();
    CClientDC screen(nullptr);
    CCompatibleDC source(screen), target(screen);
    CBitmap copy;
    if (!screen.GetSafeHdc() || !source.GetSafeHdc() || !target.GetSafeHdc() ||
        !copy.CreateCompatibleBitmap(screen, width, height))
        return CBitmap();
    {
        CSelectGuard fromSource(source, bitmap);
        CSelectGuard intoCopy(target, copy);
        if (!fromSource.IsSelected() || !intoCopy.IsSelected())
            return CBitmap();
        ConvertSelected(source, target, width, height, key, conversion);
    }
    return copy;
}

CIcon ConvertedIcon(HICON icon, PixelConversion conversion)
{
    CIconInfo info(icon);
    BITMAP header{};
    if (!info.Color().GetSafeHandle() || !info.Color().GetBitmap(&header))
        return CIcon();
    const SIZE size = info.SizeFromHotspot();
    CClientDC screen(nullptr);
    CCompatibleDC source(screen), target(screen);
    CBitmap colour(::CreateBitmap(size.cx, size.cy, header.bmPlanes, header.bmBitsPixel, nullptr));
    if (!screen.GetSafeHdc() || !source.GetSafeHdc() || !target.GetSafeHdc() || !colour.GetSafeHandle())
        return CIcon();
    {
        CSelectGuard fromSource(source, info.Color());
        CSelectGuard intoCopy(target, colour);
        if (!fromSource.IsSelected() || !intoCopy.IsSelected())
            return CIcon();
        ConvertSelected(source, target, size.cx, size.cy, RGB(0, 0, 0), conversion);
    }
    ICONINFO made{};
    made.fIcon = TRUE;
    made.hbmMask = info.Mask();
    made.hbmColor = colour;
    // CreateIconIndirect copies both bitmaps; the owners delete ours.
    return CIcon(::CreateIconIndirect(&made));
}

} // namespace

CBitmap MakeMask(HBITMAP bitmap, int width, int height, COLORREF key)
{
    CBitmap mask(::CreateBitmap(width, height, 1, 1, nullptr));
    if (!mask.GetSafeHandle())
        return CBitmap();
    CCompatibleDC colourDC(nullptr), maskDC(nullptr);
    if (!colourDC.GetSafeHdc() || !maskDC.GetSafeHdc())
        return CBitmap();
    CSelectGuard colourSelect(colourDC, bitmap);
    CSelectGuard maskSelect(maskDC, mask);
    if (!colourSelect.IsSelected() || !maskSelect.IsSelected())
        return CBitmap();

    // Colour to monochrome: pixels of the background colour become 1, all others 0.
    const COLORREF oldBack = colourDC.SetBkColor(key);
    maskDC.BitBlt(0, 0, width, height, colourDC, 0, 0, SRCCOPY);
    // Monochrome to colour: 1 takes the background colour (black), 0 the text colour
    // (white); ANDed in, the key-coloured pixels turn black and the others stay.
    const COLORREF oldText = colourDC.SetTextColor(RGB(255, 255, 255));
    colourDC.SetBkColor(RGB(0, 0, 0));
    colourDC.BitBlt(0, 0, width, height, maskDC, 0, 0, SRCAND);
    colourDC.SetTextColor(oldText);
    colourDC.SetBkColor(oldBack);

    maskSelect.Restore();
    colourSelect.Restore();
    return mask;
}

CBitmap MakeGrayBitmap(HBITMAP bitmap, int width, int height, COLORREF key)
{
    return ConvertedBitmap(bitmap, width, height, key, PixelConversion::Gray);
}

CBitmap MakeDarkBitmap(HBITMAP bitmap, int width, int height, COLORREF key)
{
    return ConvertedBitmap(bitmap, width, height, key, PixelConversion::Dark);
}

CIcon MakeGrayIcon(HICON icon)
{
    return ConvertedIcon(icon, PixelConversion::Gray);
}

CIcon MakeDarkIcon(HICON icon)
{
    return ConvertedIcon(icon, PixelConversion::Dark);
}
