#include "PixelCanvas.h"

#include <algorithm>
#include <cstdio>

namespace {
// A DIB section holds 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
DWORD ToDib(COLORREF color)
{
    return (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8) |
           GetBValue(color);
}
}

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    if (m_dc && m_bitmap)
        m_previous = ::SelectObject(m_dc, m_bitmap);
    if (ok())
        Fill(fill);
}

PixelCanvas::~PixelCanvas()
{
    if (m_previous)
        ::SelectObject(m_dc, m_previous);
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
    if (m_dc)
        ::DeleteDC(m_dc);
}

COLORREF PixelCanvas::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kSentinel ^ 0xFFFFFF;
    ::GdiFlush();   // drawing into a DIB section may still be queued
    const DWORD value = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void PixelCanvas::Fill(COLORREF color)
{
    ::GdiFlush();
    std::fill(m_bits, m_bits + size(), ToDib(color));
}

bool PixelCanvas::CopyFrom(HDC source, int x, int y)
{
    return ::BitBlt(m_dc, 0, 0, m_width, m_height, source, x, y, SRCCOPY) != FALSE;
}

bool PixelCanvas::CopyFromWindow(HWND hwnd, int x, int y)
{
    HDC source = ::GetDC(hwnd);
    const bool copied = source && CopyFrom(source, x, y);
    if (source)
        ::ReleaseDC(hwnd, source);
    return copied;
}

int PixelCanvas::Count(const RECT& area, COLORREF color) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == color)
                ++count;
    return count;
}

std::string ColorName(COLORREF color)
{
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%u, %u, %u)", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}
