#include "GradientStatic.h"

#include "CPaintDC.h"
#include "CSelectGuard.h"
#include "DpiScale.h"
#include "GradientMath.h"
#include "HighContrast.h"

#include <utility>

CGradientStatic::CGradientStatic()
    : m_crStart(::GetSysColor(COLOR_ACTIVECAPTION)),
      m_crEnd(::GetSysColor(COLOR_BTNFACE)),
      m_crText(::GetSysColor(COLOR_CAPTIONTEXT))
{
    // Each control holds the library for itself, from before its window exists.
    // msimg32 is not one of the system's known DLLs: never one found beside the program.
    m_msimg.Attach(AfxLoadSystemLibrary("msimg32.dll"));
    if (m_msimg) {
        m_bCanGradientFill = TRUE;
        m_pfnGradientFill = m_msimg.GetProcedure<GradientFillProc>("GradientFill");
    }
}

CGradientStatic::~CGradientStatic() = default;

BEGIN_MESSAGE_MAP(CGradientStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CGradientStatic::SwapColors()
{
    std::swap(m_crStart, m_crEnd);
}

void CGradientStatic::SetCaption(const char* text)
{
    SetWindowText(text);
    Invalidate(TRUE);
    // Without a gradient the control paints only its letters and erases nothing, so
    // the old text would stay under the new one: the parent repaints its own
    // background there first.
    HWND parent = GetParent();
    if (!m_bGradient && parent) {
        CRect area;
        GetWindowRect(&area);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void CGradientStatic::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rect;
    GetClientRect(&rect);
    const bool highContrast = skin::IsHighContrastOn();
    if (m_bGradient && !highContrast) {
        if (m_bCanGradientFill && m_pfnGradientFill) {
            TRIVERTEX vertices[2];
            skin::MakeGradientVertices(rect, m_crStart, m_crEnd, vertices);
            GRADIENT_RECT mesh = {0, 1};
            m_pfnGradientFill(dc, vertices, 2, &mesh, 1, m_bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        } else {
            DrawBandedGradient(&dc, rect, m_crStart, m_crEnd, m_bVertical);
        }
    }

    dc.SetTextColor(highContrast ? ::GetSysColor(COLOR_WINDOWTEXT) : m_crText);
    const HFONT font = GetFont();
    const CString text = GetWindowText();
    CSelectGuard fontSelection;   // without a font of its own the context's font draws
    if (font)
        fontSelection.Select(dc, font);
    dc.SetBkMode(TRANSPARENT);

    GetClientRect(&rect);
    const int margin = skin::ScaleToDpi(m_nMargin, skin::WindowDpi(m_hWnd));
    UINT format = DT_VCENTER | DT_SINGLELINE;
    if (m_nAlign == ALIGN_CENTER) {
        format |= DT_CENTER;
    } else if (m_nAlign == ALIGN_LEFT) {
        format |= DT_LEFT;
        rect.left += margin;
    } else {
        format |= DT_RIGHT;
        rect.right -= margin;
    }
    dc.DrawText(text, -1, &rect, format);
}

void CGradientStatic::DrawBandedGradient(CDC* pDC, CRect rect, COLORREF crStart, COLORREF crEnd, BOOL bVertical)
{
    for (int i = 0; i < skin::kGradientBands; ++i)
        pDC->FillSolidRect(skin::BandedGradientBand(rect, i, bVertical != FALSE),
                           skin::BandedGradientColor(crStart, crEnd, i));
}
