#pragma once
// The skinned dialog of the tests, with its label, created modeless and shown; what
// the skin keeps to itself is opened up here for the checks.

#include "CFont.h"
#include "CWindowDC.h"
#include "GradientStatic.h"
#include "PixelCanvas.h"
#include "SkinDialog.h"

#include <string>

constexpr UINT kSkinTemplate = 200;
constexpr int kLabelId = 300;

class TestLabel : public CGradientStatic {
public:
    using CGradientStatic::DrawBandedGradient;
    using CGradientStatic::m_bCanGradientFill;
    using CGradientStatic::m_crEnd;
    using CGradientStatic::m_crStart;
};

class SkinTestDialog : public CSkinDialog {
public:
    SkinTestDialog() : CSkinDialog(kSkinTemplate, nullptr) {}
    TestLabel m_label;
    CFont m_font;
    // The top-left pixel of the picture OnBackgroundDrawn was given, or the sentinel.
    COLORREF m_drawnCorner = PixelCanvas::kSentinel;

    using CSkinDialog::DrawGradientBackground;
    using CSkinDialog::m_bDragAnywhere;
    using CSkinDialog::m_byDrawMode;
    using CSkinDialog::m_dwBitmapWidth;
    using CSkinDialog::m_hBitmap;
    using CSkinDialog::m_hRegion;
    using CSkinDialog::m_ToolTip;

    // Size of the client area.
    CRect Client() const
    {
        CRect client;
        GetClientRect(&client);
        return client;
    }
    // The label's rectangle in the dialog's client coordinates.
    CRect LabelRect() const;
    // Sets the window's outer size, keeping its top-left corner.
    void Resize(int width, int height);
    // Erases the background into `canvas` as the system would into the window.
    BOOL EraseInto(PixelCanvas& canvas) { return static_cast<BOOL>(SendMessage(WM_ERASEBKGND,
                                                 reinterpret_cast<WPARAM>(canvas.dc()))); }
    // Paints the whole dialog and its controls now.
    void Repaint();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* pDC) override { m_drawnCorner = pDC->GetPixel(0, 0); }
};

// A bitmap of width x height (below 256) whose pixel (x, y) is RGB(x, y, 77), so a
// copy tells where each of its pixels landed.
HBITMAP MakeCoordinateBitmap(int width, int height);
// Reads (x, y) back from a pixel of such a bitmap; false when the pixel is not one.
bool BitmapCoordinate(COLORREF pixel, int* x, int* y);
