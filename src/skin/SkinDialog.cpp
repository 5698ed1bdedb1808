#include "SkinDialog.h"

#include "BitmapPlacement.h"
#include "CBrush.h"
#include "CMemoryDC.h"
#include "CRgn.h"
#include "CSelectGuard.h"
#include "CWindowDC.h"
#include "DpiScale.h"
#include "GradientMath.h"
#include "HighContrast.h"
#include "MessageMapInput.h"
#include "SkinButton.h"

#include <new>

namespace {
// The gradient's top colour; every channel lightens from it alike.
constexpr int kGradientBase = 160;
}

CSkinDialog::CSkinDialog()
{
    InitSkin();
}

CSkinDialog::CSkinDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent)
{
    InitSkin();
}

CSkinDialog::CSkinDialog(const char* templateName, CWnd* parent) : CDialog(templateName, parent)
{
    InitSkin();
}

CSkinDialog::~CSkinDialog()
{
    FreeResources(TRUE);
}

void CSkinDialog::InitSkin()
{
    // Nothing is deleted here: the members start out empty.
    m_hRegion = nullptr;
    m_dwBitmapWidth = 0;
    m_dwBitmapHeight = 0;
    m_byDrawMode = DRAWMODE_TILE;
    m_bDragAnywhere = FALSE;
}

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChangedMessage)
    ON_MESSAGE(WM_ACTIVATE, OnActivateMessage)
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
    ON_MESSAGE(WM_CHANGEUISTATE, OnChangeUIState)
    ON_MESSAGE(WM_DESTROY, OnDestroyMessage)
END_MESSAGE_MAP()

void CSkinDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CSkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_dpi = skin::WindowDpi(m_hWnd);
    m_highContrast = skin::IsHighContrastOn();
    KeepWindowRects();
    m_ToolTip.Create(this);
    m_ToolTip.Activate(TRUE);
    return TRUE;
}

BOOL CSkinDialog::PreTranslateMessage(MSG* msg)
{
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(msg);
    if (m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        ShowKeyboardCuesFor(*msg);
        // The mouse over a disabled control reaches the dialog itself.
        if (msg->hwnd == m_hWnd && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
            for (CSkinButton* button : SkinButtons())
                button->RelayParentEvent(msg);
    }
    return CDialog::PreTranslateMessage(msg);
}

void CSkinDialog::OnBackgroundDrawn(CDC*)
{
}

int CSkinDialog::SetBitmap(HBITMAP hBitmap, COLORREF crTransparent)
{
    FreeResources(TRUE);
    if (hBitmap) {
        m_hBitmap.Attach(hBitmap);
        BITMAP info{};
        if (!m_hBitmap.GetBitmap(&info)) {
            FreeResources(TRUE);
            return SKIN_BITMAP_UNREADABLE;
        }
        m_dwBitmapWidth = static_cast<DWORD>(info.bmWidth);
        m_dwBitmapHeight = static_cast<DWORD>(info.bmHeight);
        if (crTransparent != NO_TRANSPARENT_COLOR) {
            CRgn region(CreateRegionFromBitmap(m_hBitmap, GetRValue(crTransparent), GetGValue(crTransparent),
                                               GetBValue(crTransparent)));
            if (!region.GetSafeHandle()) {
                FreeResources(TRUE);
                return SKIN_REGION_FAILED;
            }
            // Once the window has taken the region it is the window's to delete; a
            // dialog with no window yet cannot take it, and the region goes.
            if (m_hWnd && SetWindowRgn(region, FALSE))
                m_hRegion = region.Detach();
        }
    }
    // No window yet: nothing to repaint (InvalidateRect of no window would repaint
    // every window on the desktop).
    if (m_hWnd)
        Invalidate(TRUE);
    return SKIN_OK;
}

int CSkinDialog::SetBitmap(UINT nBitmapID, COLORREF crTransparent)
{
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(LOWORD(nBitmapID)), IMAGE_BITMAP, 0, 0,
                                                       LR_DEFAULTCOLOR));
    return SetBitmap(bitmap, crTransparent);
}

int CSkinDialog::SetDrawMode(BYTE byMode, BOOL bRepaint)
{
    if (byMode > DRAWMODE_BOTTOM_CENTER)
        return SKIN_BAD_DRAW_MODE;
    m_byDrawMode = byMode;
    m_backgroundStale = true;
    if (bRepaint == TRUE && m_hWnd)
        Invalidate(TRUE);
    return SKIN_OK;
}

int CSkinDialog::FitWindowToBitmap(BOOL bRepaint)
{
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int extraWidth = window.Width() - client.Width();
    const int extraHeight = window.Height() - client.Height();
    m_byDrawMode = DRAWMODE_CENTER;
    MoveWindow(window.left, window.top, extraWidth + static_cast<int>(m_dwBitmapWidth),
               extraHeight + static_cast<int>(m_dwBitmapHeight), bRepaint);
    return SKIN_OK;
}

int CSkinDialog::SetDragAnywhere(BOOL bEnable)
{
    m_bDragAnywhere = bEnable;
    return SKIN_OK;
}

void CSkinDialog::FreeResources(BOOL bDelete)
{
    m_backgroundStale = true;
    if (bDelete) {
        m_hBitmap.DeleteObject();
        if (m_hRegion && m_hWnd)
            SetWindowRgn(nullptr, FALSE);   // the window deletes the region it held
    }
    m_hBitmap.Detach();
    m_hRegion = nullptr;
    m_dwBitmapWidth = 0;
    m_dwBitmapHeight = 0;
}

bool CSkinDialog::BackgroundKey::operator==(const BackgroundKey& other) const
{
    return ::EqualRect(&window, &other.window) && ::EqualRect(&client, &other.client) && bitmap == other.bitmap &&
           drawMode == other.drawMode && highContrast == other.highContrast;
}

void CSkinDialog::KeepWindowRects()
{
    GetWindowRect(&m_windowRect);
    ScreenToClient(&m_windowRect);
    GetClientRect(&m_clientRect);
}

CSkinDialog::BackgroundKey CSkinDialog::CurrentBackgroundKey() const
{
    BackgroundKey key{};
    key.window = m_windowRect;
    key.client = m_clientRect;
    key.bitmap = m_hBitmap;
    key.drawMode = m_byDrawMode;
    key.highContrast = m_highContrast;
    return key;
}

BOOL CSkinDialog::OnEraseBkgnd(CDC* pDC)
{
    const BackgroundKey key = CurrentBackgroundKey();
    if (m_backgroundStale || !m_background.GetSafeHdc() || !(key == m_backgroundKey)) {
        if (!ComposeBackground(pDC, key))
            return static_cast<BOOL>(Default());
        m_backgroundKey = key;
        m_backgroundStale = false;
    }
    // The kept picture covers the whole client area, its pixels at their client
    // coordinates: one copy of what the erase covers is the whole erase, and a
    // partial repaint costs what it uncovers.
    const bool bitmap = key.bitmap && !key.highContrast;
    const CRect picture = bitmap ? CRect(0, 0, key.client.Width(), key.client.Height())
                                 : CRect(0, 0, key.window.Width(), key.window.Height());
    CRect area = picture;
    CRect clip;
    if (::GetClipBox(*pDC, &clip) != ERROR && !::IntersectRect(&area, &picture, &clip))
        area.SetRectEmpty();
    if (!area.IsRectEmpty())
        pDC->BitBlt(area.left, area.top, area.Width(), area.Height(), m_background, area.left, area.top, SRCCOPY);
    if (bitmap)
        OnBackgroundDrawn(&m_background);
    return TRUE;
}

BOOL CSkinDialog::ComposeBackground(CDC* pDC, const BackgroundKey& key)
{
    // Compatible with the screen, whatever context the first erase came with.
    CWindowDC screen(nullptr);
    if (key.highContrast) {
        // The skin steps aside: the system's face colour, as a plain dialog shows.
        if (!m_background.Create(nullptr, screen, key.window.Width(), key.window.Height()))
            return FALSE;
        m_background.FillSolidRect(0, 0, key.window.Width(), key.window.Height(), ::GetSysColor(COLOR_BTNFACE));
        return TRUE;
    }
    if (key.bitmap) {
        // Around the bitmap, the colour the dialog's own erase leaves in the context.
        Default();
        if (!m_background.Create(nullptr, screen, key.client.Width(), key.client.Height()))
            return FALSE;
        DrawBitmapBackground(&m_background, key.client, pDC->GetBkColor());
        return TRUE;
    }
    // The gradient spans the whole window, frame included: the rectangle's top is
    // above the client area, whose first row shows the gradient below the caption.
    if (!m_background.Create(nullptr, screen, key.window.Width(), key.window.Height()))
        return FALSE;
    DrawGradientBackground(&m_background, key.window);
    return TRUE;
}

void CSkinDialog::DrawBitmapBackground(CDC* picture, const CRect& client, COLORREF fill)
{
    const int cw = client.Width();
    const int ch = client.Height();
    CCompatibleDC source(*picture);
    if (!source.GetSafeHdc())
        return;
    picture->FillSolidRect(client, fill);
    CSelectGuard selection(source, m_hBitmap);
    if (!selection.IsSelected())
        return;

    const int bw = static_cast<int>(m_dwBitmapWidth);
    const int bh = static_cast<int>(m_dwBitmapHeight);
    if (m_byDrawMode == DRAWMODE_STRETCH) {
        picture->StretchBlt(0, 0, cw, ch, source, 0, 0, bw, bh, SRCCOPY);
    } else {
        for (const POINT& origin : skin::BitmapOrigins(m_byDrawMode, cw, ch, bw, bh))
            picture->BitBlt(origin.x, origin.y, bw, bh, source, 0, 0, SRCCOPY);
    }
}

void CSkinDialog::DrawGradientBackground(CDC* pDC, CRect rect)
{
    const int width = rect.Width();
    const int height = rect.Height();
    const int step = skin::GradientBandHeight(height);
    FillBand(pDC, 0, 0, width, height, RGB(kGradientBase, kGradientBase, kGradientBase));
    // Bands from the top strip's end downwards; the strip itself keeps the base.
    for (int y = height; y > step;) {
        y -= step;
        const BYTE v = skin::GradientShade(kGradientBase, height - y, height);
        FillBand(pDC, 0, rect.bottom - y, width, step, RGB(v, v, v));
    }
}

void CSkinDialog::FillBand(CDC* pDC, int x, int y, int cx, int cy, COLORREF color)
{
    CBrush brush(color);
    CSelectGuard selection(*pDC, brush);   // ends before the brush is deleted
    pDC->PatBlt(x, y, cx, cy, PATCOPY);
}

void CSkinDialog::OnSize(UINT, int, int)
{
    Default();
    KeepWindowRects();
    if (m_hBitmap.GetSafeHandle())
        Invalidate(TRUE);
}

void CSkinDialog::OnLButtonDown(UINT, CPoint point)
{
    if (m_bDragAnywhere == 1) {
        // As if the caption had been pressed: the system moves the window.
        CPoint screen = point;
        ClientToScreen(&screen);
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    Default();
}

std::unique_ptr<BYTE[]> CSkinDialog::GetBitmapBits24(HBITMAP hBitmap, DWORD* pWidth, DWORD* pHeight)
{
    BITMAP info{};
    if (!::GetObjectA(hBitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    // A 24-bit row of a multiple of 4 pixels needs no padding to a 4-byte boundary.
    const DWORD width = static_cast<DWORD>(info.bmWidth - info.bmWidth % 4);
    const DWORD height = static_cast<DWORD>(info.bmHeight);
    *pWidth = width;
    *pHeight = height;
    const size_t size = static_cast<size_t>(width) * height * 3;
    std::unique_ptr<BYTE[]> bits(new (std::nothrow) BYTE[size ? size : 1]);
    if (!bits)
        return nullptr;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = static_cast<LONG>(width);
    format.bmiHeader.biHeight = -static_cast<LONG>(height);   // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    format.bmiHeader.biSizeImage = static_cast<DWORD>(size);
    int lines = 0;
    {
        CWindowDC screen(nullptr);
        lines = ::GetDIBits(screen, hBitmap, 0, height, bits.get(), &format, DIB_RGB_COLORS);
    }
    if (lines <= 0)
        return nullptr;
    return bits;
}

HRGN CSkinDialog::CreateRegionFromBitmap(HBITMAP hBitmap, BYTE red, BYTE green, BYTE blue)
{
    DWORD width = 0, height = 0;
    const std::unique_ptr<BYTE[]> bits = GetBitmapBits24(hBitmap, &width, &height);
    if (!bits)
        return nullptr;
    CRgn region;
    if (!region.CreateRectRgn(0, 0, static_cast<int>(width), static_cast<int>(height)))
        return nullptr;
    const BYTE* pixel = bits.get();
    for (int y = 0; y < static_cast<int>(height); ++y) {
        for (int x = 0; x < static_cast<int>(width); ++x, pixel += 3) {
            if (pixel[0] == blue && pixel[1] == green && pixel[2] == red) {
                // Inside the rectangle and visited once: the XOR cuts it out.
                CRgn hole;
                if (hole.CreateRectRgn(x, y, x + 1, y + 1))
                    region.CombineRgn(region, hole, RGN_XOR);
            }
        }
    }
    return region.Detach();
}
