#include "SkinTestDialog.h"

#include "CDataExchange.h"

CRect SkinTestDialog::LabelRect() const
{
    CRect rect;
    ::GetWindowRect(m_label, &rect);
    ScreenToClient(&rect);
    return rect;
}

void SkinTestDialog::Resize(int width, int height)
{
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, width, height, TRUE);
}

void SkinTestDialog::Repaint()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

void SkinTestDialog::DoDataExchange(CDataExchange* pDX)
{
    CSkinDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kLabelId, m_label);
}

BOOL SkinTestDialog::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    // The main dialog's label settings.
    m_font.CreateFont(14, 0, 0, 0, 900, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    m_label.SetTextColor(RGB(128, 64, 64));
    m_label.SetAlignment(CGradientStatic::ALIGN_LEFT);
    m_label.SetFont(&m_font, TRUE);
    return TRUE;
}

HBITMAP MakeCoordinateBitmap(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DWORD* bits = nullptr;
    HBITMAP bitmap =
        ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    if (!bitmap)
        return nullptr;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[y * width + x] = (static_cast<DWORD>(x) << 16) | (static_cast<DWORD>(y) << 8) | 77;
    ::GdiFlush();
    return bitmap;
}

bool BitmapCoordinate(COLORREF pixel, int* x, int* y)
{
    if (GetBValue(pixel) != 77)
        return false;
    *x = GetRValue(pixel);
    *y = GetGValue(pixel);
    return true;
}
