#pragma once
// A view over a device context: it forwards drawing calls and never releases the
// context. Handlers receive the context of a message as a CDC*; the classes that
// own a context (CPaintDC, CClientDC, CWindowDC, CCompatibleDC, CMemoryDC) derive
// from it, so they can be passed wherever a CDC* is expected.

#include "CRect.h"

#include <windows.h>

class CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Selects `object` and returns the one it replaced (null on failure); see
    // CSelectGuard for a selection that undoes itself.
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ GetCurrentObject(UINT type) const { return ::GetCurrentObject(m_hDC, type); }

    BOOL BitBlt(int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop)
    { return ::BitBlt(m_hDC, x, y, width, height, source, xSrc, ySrc, rop); }
    BOOL StretchBlt(int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop)
    { return ::StretchBlt(m_hDC, x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, rop); }
    // Fills with the selected brush.
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }
    // Fills `rect` with `color` and leaves the context's background colour as it was.
    void FillSolidRect(const RECT& rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color)
    { FillSolidRect(CRect(x, y, x + width, y + height), color); }
    int FillRect(const RECT& rect, HBRUSH brush) { return ::FillRect(m_hDC, &rect, brush); }
    int FrameRect(const RECT& rect, HBRUSH brush) { return ::FrameRect(m_hDC, &rect, brush); }
    // Top and left edges in `topLeft`, bottom and right edges in `bottomRight`, one
    // pixel wide, inside `rect`.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawFocusRect(const RECT& rect) { return ::DrawFocusRect(m_hDC, &rect); }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    // `rect` is updated when `format` holds DT_CALCRECT.
    int DrawText(const char* text, int length, RECT* rect, UINT format)
    { return ::DrawTextA(m_hDC, text, length, rect, format); }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
};
