#pragma once
// Pixels a test owns: a 32-bit top-down DIB section selected into a memory device
// context, filled with a sentinel colour, so that whatever a paint leaves can be
// read back exactly and whatever it did not touch still shows the sentinel.

#include <windows.h>

#include <ostream>
#include <string>

class PixelCanvas {
public:
    // A colour no paint of the program uses.
    static constexpr COLORREF kSentinel = RGB(0xEF, 0xBE, 0xAD);

    PixelCanvas(int width, int height, COLORREF fill = kSentinel);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // False when the section could not be made; check before drawing.
    bool ok() const { return m_previous != nullptr && m_bits != nullptr; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int size() const { return m_width * m_height; }

    // The colour at (x, y) as a COLORREF (comparable with RGB(r, g, b)); the
    // sentinel's complement outside the canvas, so a bad coordinate never matches.
    COLORREF Pixel(int x, int y) const;
    COLORREF PixelAt(int index) const { return Pixel(index % m_width, index / m_width); }
    void Fill(COLORREF color);
    // Copies width() x height() pixels from (x, y) of `source` to (0, 0).
    bool CopyFrom(HDC source, int x, int y);
    // Copies the client area of `hwnd`, from (x, y), as it is shown now.
    bool CopyFromWindow(HWND hwnd, int x = 0, int y = 0);
    // How many pixels of the rectangle hold `color`.
    int Count(const RECT& area, COLORREF color) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};

// "RGB(160, 160, 160)", for failure messages.
std::string ColorName(COLORREF color);
