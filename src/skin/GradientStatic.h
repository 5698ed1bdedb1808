#pragma once
// A static text control that paints itself: an optional colour gradient over its
// client area, then its text in a chosen colour, font and alignment on a
// transparent background. With the gradient off only the text is drawn, so what
// lies behind the control (its dialog's background) shows around the letters.
// The gradient comes from "GradientFill" of "msimg32.dll", loaded at run time; a
// banded fill of 255 steps stands in when the library or the function is missing.
// With high contrast on, the control draws no gradient and its text in the system's
// window text colour; its margin is a size at 96 DPI, scaled to the window's DPI.

#include "CDC.h"
#include "Controls.h"
#include "SystemLibrary.h"

class CGradientStatic : public CStatic {
public:
    // Text alignment (SetAlignment); any value other than 0 and 1 aligns right.
    static constexpr int ALIGN_LEFT = 0;
    static constexpr int ALIGN_CENTER = 1;
    static constexpr int ALIGN_RIGHT = 2;

    CGradientStatic();
    ~CGradientStatic() override;

    // Bound by data exchange, the control is subclassed: it paints itself.
    BOOL BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }

    // These take effect at the next paint.
    void SetTextColor(COLORREF color) { m_crText = color; }
    void SetAlignment(int align) { m_nAlign = align; }
    void SwapColors();
    // Pixels kept between the text and the edge it is aligned to (left or right).
    void SetMargin(int margin) { m_nMargin = margin; }
    void SetGradientColors(COLORREF start, COLORREF end) { m_crStart = start; m_crEnd = end; }
    // FALSE: start colour at the left, end at the right; TRUE: top to bottom.
    void SetVertical(BOOL vertical) { m_bVertical = vertical; }
    void SetGradient(BOOL gradient) { m_bGradient = gradient; }
    // Sets the text and repaints the whole control (and, with no gradient, what lies
    // behind it, so that no letter of the old text stays).
    void SetCaption(const char* text);

    // The system's gradient fill.
    using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

protected:
    void OnPaint();
    // The stand-in for the system's gradient fill: 255 solid bands.
    static void DrawBandedGradient(CDC* pDC, CRect rect, COLORREF crStart, COLORREF crEnd, BOOL bVertical);

    int m_nMargin = 0;
    COLORREF m_crStart;
    COLORREF m_crEnd;
    COLORREF m_crText;
    int m_nAlign = ALIGN_LEFT;
    CSystemLibrary m_msimg;              // from the system folder, freed with the object
    BOOL m_bCanGradientFill = FALSE;
    BOOL m_bVertical = FALSE;
    BOOL m_bGradient = FALSE;
    GradientFillProc m_pfnGradientFill = nullptr;

    DECLARE_MESSAGE_MAP()
};
