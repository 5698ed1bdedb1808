#include "SkinButton.h"

#include "ButtonLink.h"
#include "CBrush.h"
#include "CPen.h"
#include "CWindowDC.h"
#include "HighContrast.h"
#include "MessageMapInput.h"

#include <commctrl.h>

#include <cstring>

namespace {

// Push-button type bits of a button's style.
constexpr DWORD kTypeMask = 0x1F;

// Check boxes, plain or automatic, two- or three-state, have bit 0x02 in their type;
// so do group boxes, push boxes and owner-drawn buttons, which are none.
bool IsCheckBoxType(DWORD type)
{
    return (type & 0x02) != 0 && type < BS_GROUPBOX;
}

} // namespace

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
    ON_WM_SETCURSOR()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SYSCOLORCHANGE()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_CANCELMODE()
    ON_WM_GETDLGCODE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
END_MESSAGE_MAP()

CSkinButton::CSkinButton()
{
    std::memset(m_sounds, 0, sizeof m_sounds);
    ResetStateColors(FALSE);
}

CSkinButton::~CSkinButton()
{
    m_backgroundSelect.Restore();
    ReleaseImages(TRUE);
    m_hoverCursor.Destroy();
    m_menu.DestroyMenu();
    m_tip.DestroyWindow();
    m_backgroundBitmap.DeleteObject();
    m_backgroundDC.DeleteDC();
}

// --- settings ---------------------------------------------------------------------

int CSkinButton::SetImagePlacement(BYTE placement, BOOL repaint)
{
    if (placement > 3)
        return SKIN_BUTTON_BAD_PLACEMENT;
    m_placement = placement;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetFlatLook(BOOL flat, BOOL repaint)
{
    m_flat = flat;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetFlatBorder(BOOL on, BOOL repaint)
{
    m_flatBorder = on;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetFlatFocus(BOOL on, BOOL repaint)
{
    m_flatFocus = on;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetPressShift(BYTE style, BOOL repaint)
{
    switch (style) {
    case 0: m_pressShiftX = 1; m_pressShiftY = 1; break;
    case 1: m_pressShiftX = 0; m_pressShiftY = 2; break;
    default: return SKIN_BUTTON_BAD_PRESS_STYLE;
    }
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetStateColor(BYTE index, COLORREF color, BOOL repaint)
{
    if (index >= SKIN_COLOR_COUNT)
        return SKIN_BUTTON_BAD_COLOR;
    m_colors[index] = color;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::GetStateColor(BYTE index, COLORREF* color) const
{
    if (index >= SKIN_COLOR_COUNT)
        return SKIN_BUTTON_BAD_COLOR;
    if (color)
        *color = m_colors[index];
    return SKIN_BUTTON_OK;
}

int CSkinButton::ShadeStateColor(BYTE index, short shade, BOOL repaint)
{
    if (index >= SKIN_COLOR_COUNT)
        return SKIN_BUTTON_BAD_COLOR;
    if (shade < -255 || shade > 255)
        return SKIN_BUTTON_BAD_VALUE;
    m_colors[index] = ShadeColor(m_colors[index], shade);
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::ResetStateColors(BOOL repaint)
{
    for (BYTE i = 0; i < SKIN_COLOR_COUNT; ++i)
        m_colors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::UseParentBackground(BOOL repaint)
{
    m_parentBackground = TRUE;
    DropBackground();
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::CaptureBackground(CDC* dc)
{
    if (!m_parentBackground || !dc || !dc->GetSafeHdc() || !m_hWnd)
        return SKIN_BUTTON_BAD_VALUE;
    DropBackground();
    CRect client;
    GetClientRect(&client);
    CRect window;
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&window), 2);
    CaptureBackgroundFrom(*dc, client, window.TopLeft());
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetChecked(BOOL checked, BOOL repaint)
{
    if (m_isCheckBox) {
        m_checked = checked != 0;
        Repaint(repaint);
    }
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetTrackAlways(BOOL on)
{
    m_trackAlways = on;
    return SKIN_BUTTON_OK;
}

int CSkinButton::LoadHoverCursor(UINT id, BOOL repaint)
{
    m_hoverCursor.Destroy();
    if (id)
        m_hoverCursor.Attach(static_cast<HCURSOR>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                               MAKEINTRESOURCEA(id & 0xFFFF), IMAGE_CURSOR, 0, 0,
                                                               LR_DEFAULTCOLOR)));
    Repaint(repaint);
    return id && !m_hoverCursor.GetSafeHandle() ? SKIN_BUTTON_LOAD_FAILED : SKIN_BUTTON_OK;
}

int CSkinButton::SetTipText(const char* text, BOOL activate)
{
    if (!text || !m_hWnd)
        return SKIN_BUTTON_OK;
    EnsureTip();
    if (!m_tip.m_hWnd)
        return SKIN_BUTTON_OK;
    if (!m_tip.HasTool(this, 1)) {
        CRect client;
        GetClientRect(&client);
        m_tip.AddTool(this, text, &client, 1);
    }
    m_tip.UpdateTipText(text, this, 1);
    m_tip.Activate(activate);
    return SKIN_BUTTON_OK;
}

int CSkinButton::LoadTipText(UINT id, BOOL activate)
{
    CString text;
    text.LoadString(id);
    if (text.IsEmpty())
        return SKIN_BUTTON_OK;
    return SetTipText(text, activate);
}

int CSkinButton::ActivateTip(BOOL on)
{
    if (m_tip.m_hWnd && m_tip.GetToolCount() > 0)
        m_tip.Activate(on);
    return SKIN_BUTTON_OK;
}

int CSkinButton::UseBalloonTip()
{
    m_tipStyle |= TTS_BALLOON;
    if (m_tip.m_hWnd)   // made already, for the disabled tip
        m_tip.ModifyStyle(0, TTS_BALLOON);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetLink(const char* link)
{
    m_link[0] = '\0';
    if (link) {
        std::strncpy(m_link, link, sizeof m_link - 1);
        m_link[sizeof m_link - 1] = '\0';
    }
    return SKIN_BUTTON_OK;
}

int CSkinButton::LoadDropMenu(UINT id, HWND owner, BOOL repaint)
{
    m_menu.DestroyMenu();
    m_menuOwner = nullptr;
    m_menuShown = FALSE;
    int status = SKIN_BUTTON_OK;
    if (id) {
        if (m_menu.LoadMenu(id & 0xFFFF))
            m_menuOwner = owner;
        else
            status = SKIN_BUTTON_LOAD_FAILED;
    }
    Repaint(repaint);
    return status;
}

int CSkinButton::SetDropMenuNotify(HWND window, UINT message, LPARAM lParam)
{
    m_menuNotify = {window, message, lParam};
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetButtonSound(const char* sound, HMODULE module, BOOL onClick, BOOL asynchronous)
{
    SetButtonSoundEntry(m_sounds[onClick ? 1 : 0], sound, module, asynchronous != 0);
    return SKIN_BUTTON_OK;
}

// --- window plumbing ----------------------------------------------------------------

void CSkinButton::PreSubclassWindow()
{
    const DWORD type = GetStyle() & kTypeMask;
    if (IsCheckBoxType(type))
        m_isCheckBox = TRUE;
    if (type == BS_DEFPUSHBUTTON)
        m_isDefault = TRUE;
    m_dpi = skin::WindowDpi(m_hWnd);
    ModifyStyle(kTypeMask, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

BOOL CSkinButton::PreTranslateMessage(MSG* msg)
{
    EnsureTip();
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(msg);
    // An owner-drawn button reports a double click as BN_DOUBLECLICKED and no click:
    // taken as a second press, it clicks twice, as a quick user means it to.
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(msg);
}

void CSkinButton::EnsureTip()
{
    if (m_tip.m_hWnd || !m_hWnd)
        return;
    if (m_tip.Create(this, m_tipStyle)) {
        m_tip.Activate(FALSE);
        m_tip.SetMaxTipWidth(Scaled(400));
    }
}

BOOL CSkinButton::OnSetCursor(HWND, UINT, UINT)
{
    if (m_hoverCursor.GetSafeHandle()) {
        ::SetCursor(m_hoverCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CSkinButton::OnKillFocus(HWND)
{
    Default();
    EndHover();
}

void CSkinButton::OnMouseMove(UINT flags, CPoint point)
{
    Default();
    CPoint screen = point;
    ClientToScreen(&screen);
    HWND under = ::WindowFromPoint(screen);

    if ((flags & MK_LBUTTON) && !m_hover)
        return;
    if (!m_flat)
        return;
    const bool active = m_trackAlways || ::GetActiveWindow() != nullptr;
    if (under != m_hWnd || !active) {
        EndHover();
        return;
    }
    if (m_hover)
        return;
    m_hover = TRUE;
    Invalidate();
    PlayButtonSound(m_sounds[0]);
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    ::_TrackMouseEvent(&track);
}

void CSkinButton::OnMouseLeave()
{
    EndHover();
}

void CSkinButton::EndHover()
{
    if (m_flat && m_hover) {
        m_hover = FALSE;
        Invalidate();
    }
}

void CSkinButton::OnSysColorChange()
{
    Default();
    DropBackground();
    ResetStateColors(TRUE);
}

BOOL CSkinButton::OnClicked()
{
    ::SetFocus(m_hWnd);
    PlayButtonSound(m_sounds[1]);
    if (m_isCheckBox) {
        m_checked = !m_checked;
        Invalidate();
    } else if (m_menu.GetSafeHmenu()) {
        CRect window;
        GetWindowRect(&window);
        m_menuShown = TRUE;
        Invalidate();
        HMENU popup = m_menu.GetSubMenu(0);
        if (m_menuNotify.window)
            ::SendMessageA(m_menuNotify.window, m_menuNotify.message, reinterpret_cast<WPARAM>(popup),
                           m_menuNotify.lParam);
        const UINT command = static_cast<UINT>(::TrackPopupMenuEx(
            popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, window.left, window.bottom, m_menuOwner, nullptr));
        m_menuShown = FALSE;
        Invalidate();
        if (command)
            ::PostMessageA(m_menuOwner, WM_COMMAND, MAKEWPARAM(LOWORD(command), 0), 0);
    } else if (m_link[0]) {
        OpenButtonLink(m_link);
    }
    return FALSE;   // the parent sees the click too
}

void CSkinButton::OnActivate(UINT state, HWND, BOOL)
{
    Default();
    if (state == WA_INACTIVE)
        EndHover();
}

void CSkinButton::OnEnable(BOOL enabled)
{
    Default();
    if (!enabled) {
        // The system has taken the focus from the button if it held it; it goes on to
        // the next control. When another control holds it, it stays there.
        HWND focus = ::GetFocus();
        if (!focus || focus == m_hWnd) {
            HWND parent = GetParent();
            HWND next = parent ? ::GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
            ::SetFocus(next && next != m_hWnd ? next : parent);
        }
        EndHover();
    }
    SyncDisabledTip();
}

void CSkinButton::OnCancelMode()
{
    Default();
    EndHover();
}

UINT CSkinButton::OnGetDlgCode()
{
    UINT code = static_cast<UINT>(Default());
    code |= m_isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return code;
}

HBRUSH CSkinButton::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

LRESULT CSkinButton::OnSetStyle(WPARAM style, LPARAM redraw)
{
    const DWORD type = static_cast<DWORD>(style) & kTypeMask;
    if (type == BS_DEFPUSHBUTTON)
        m_isDefault = TRUE;
    else if (type == BS_PUSHBUTTON)
        m_isDefault = FALSE;
    // The system would make the button a plain push button again; it stays owner-drawn.
    return DefWindowProc(BM_SETSTYLE, (style & ~static_cast<WPARAM>(kTypeMask)) | BS_OWNERDRAW, redraw);
}

LRESULT CSkinButton::OnSetCheck(WPARAM state, LPARAM)
{
    SetChecked(state == BST_CHECKED || state == BST_INDETERMINATE, TRUE);
    return 0;
}

LRESULT CSkinButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_checked;
}

// --- painting -------------------------------------------------------------------------

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC dc(item->hDC);
    const int saved = ::SaveDC(dc);
    const UINT state = item->itemState;
    m_pressed = (state & ODS_SELECTED) != 0;
    if (m_isCheckBox)
        m_pressed = m_pressed || m_checked;
    else if (m_menu.GetSafeHmenu() && m_menuShown)
        m_pressed = TRUE;
    m_focused = (state & ODS_FOCUS) != 0;
    m_disabled = (state & ODS_DISABLED) != 0;

    CRect working(item->rcItem);
    dc.SetBkMode(TRANSPARENT);
    const bool highContrast = skin::IsHighContrastOn();
    if (m_parentBackground && !highContrast)
        PaintParentBackground(&dc, working);
    else
        PaintFace(&dc, working);
    PaintEdge(&dc, working);

    const CString caption = GetWindowText();
    const BOOL hasCaption = !caption.IsEmpty();
    const CRect itemRect(item->rcItem);
    CRect captionRect(item->rcItem);
    if (m_icons[0].icon.GetSafeHandle())
        PaintIcon(&dc, hasCaption, itemRect, captionRect, m_pressed, m_disabled);
    if (m_bitmaps[0].bitmap.GetSafeHandle()) {
        dc.SetBkColor(RGB(255, 255, 255));
        PaintBitmap(&dc, hasCaption, itemRect, captionRect, m_pressed, m_disabled);
    }
    if (hasCaption)
        PaintCaption(&dc, caption, itemRect, captionRect, m_pressed, m_disabled);

    if (m_focused && ShowsFocus(highContrast)) {
        CRect focus = working;
        focus.DeflateRect(Scaled(3), Scaled(3));
        if (highContrast) {
            // The dotted rectangle inverts what lies under it; over the system's face
            // and text colours it stays in the contrast the user chose.
            dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
        }
        dc.DrawFocusRect(focus);
    }
    ::RestoreDC(dc, saved);
}

void CSkinButton::PaintParentBackground(CDC* dc, const CRect& rect)
{
    if (!m_backgroundDC.GetSafeHdc()) {
        HWND parent = GetParent();
        CClientDC parentDC(parent);
        CRect client;
        GetClientRect(&client);
        CRect window;
        GetWindowRect(&window);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
        if (parentDC.GetSafeHdc())
            CaptureBackgroundFrom(parentDC, client, window.TopLeft());
    }
    if (m_backgroundDC.GetSafeHdc())
        dc->BitBlt(0, 0, rect.Width(), rect.Height(), m_backgroundDC, 0, 0, SRCCOPY);
}

BOOL CSkinButton::CaptureBackgroundFrom(HDC source, const CRect& client, CPoint origin)
{
    if (!m_backgroundDC.CreateCompatibleDC(source) ||
        !m_backgroundBitmap.CreateCompatibleBitmap(source, client.Width(), client.Height()) ||
        !m_backgroundSelect.Select(m_backgroundDC, m_backgroundBitmap)) {
        DropBackground();
        return FALSE;
    }
    m_backgroundDC.BitBlt(0, 0, client.Width(), client.Height(), source, origin.x, origin.y, SRCCOPY);
    return TRUE;
}

void CSkinButton::DropBackground()
{
    m_backgroundSelect.Restore();
    m_backgroundBitmap.DeleteObject();
    m_backgroundDC.DeleteDC();
}

void CSkinButton::PaintFace(CDC* dc, CRect& rect)
{
    if (skin::IsHighContrastOn()) {
        dc->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    if (!m_flat && (m_focused || m_isDefault)) {
        CBrush black(RGB(0, 0, 0));
        dc->FrameRect(rect, black);
        rect.DeflateRect(1, 1);
    }
    dc->FillSolidRect(rect, m_colors[FaceColorIndex(m_hover || m_pressed, m_focused)]);
}

void CSkinButton::PaintEdge(CDC* dc, const CRect& rect)
{
    if (skin::IsHighContrastOn()) {
        // Always an edge in the text colour, so the button shows where it is; a second
        // one inside while hovered, pressed or the default button.
        CBrush edge(::GetSysColor(COLOR_BTNTEXT));
        dc->FrameRect(rect, edge);
        if (m_hover || m_pressed || m_isDefault) {
            CRect inner = rect;
            inner.DeflateRect(1, 1);
            dc->FrameRect(inner, edge);
        }
        return;
    }
    if (m_pressed) {
        if (!m_flat) {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            dc->FrameRect(rect, shadow);
        } else if (m_flatBorder) {
            dc->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        return;
    }
    if (!m_flat) {
        const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
        struct Line { int colour; POINT points[3]; };
        const Line lines[] = {
            {COLOR_BTNHIGHLIGHT, {{l, b - 1}, {l, t}, {r, t}}},
            {COLOR_3DLIGHT, {{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}}},
            {COLOR_3DDKSHADOW, {{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}},
            {COLOR_BTNSHADOW, {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}}},
        };
        for (const Line& line : lines) {
            CPen pen(PS_SOLID, 1, ::GetSysColor(line.colour));
            CSelectGuard select(*dc, pen);
            dc->MoveTo(line.points[0].x, line.points[0].y);
            dc->LineTo(line.points[1].x, line.points[1].y);
            dc->LineTo(line.points[2].x, line.points[2].y);
        }
        return;
    }
    if (m_hover && m_flatBorder)
        dc->Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

ImageLayout CSkinButton::PlaceImageFor(SIZE image, BOOL hasCaption, const CRect& item, const CRect& caption,
                                       BOOL pressed) const
{
    CRect client;
    GetClientRect(&client);
    ImagePlacementInput in{};
    in.item = item;
    in.caption = caption;
    in.image = image;
    in.placement = m_placement;
    in.hasCaption = hasCaption != 0;
    in.margin = {Scaled(m_imageMarginX), Scaled(m_imageMarginY)};
    in.clientWidth = client.Width();
    in.shifted = pressed && !m_isCheckBox;
    in.shift = {Scaled(m_pressShiftX), Scaled(m_pressShiftY)};
    return PlaceImage(in);
}

void CSkinButton::PaintIcon(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed, BOOL disabled)
{
    const IconEntry& entry =
        m_icons[ImageEntryFor(pressed != 0, m_hover != 0, m_isCheckBox != 0, m_icons[1].icon.GetSafeHandle() != nullptr)];
    const ImageLayout layout = PlaceImageFor({entry.width, entry.height}, hasCaption, item, caption, pressed);
    caption = layout.caption;
    ::DrawStateA(*dc, nullptr, nullptr, reinterpret_cast<LPARAM>(entry.icon.GetSafeHandle()), 0, layout.image.left,
                 layout.image.top, entry.width, entry.height, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CSkinButton::PaintBitmap(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed,
                              BOOL disabled)
{
    const BitmapEntry& entry = m_bitmaps[ImageEntryFor(pressed != 0, m_hover != 0, m_isCheckBox != 0,
                                                       m_bitmaps[1].bitmap.GetSafeHandle() != nullptr)];
    const ImageLayout layout = PlaceImageFor({entry.width, entry.height}, hasCaption, item, caption, pressed);
    caption = layout.caption;
    const int x = layout.image.left, y = layout.image.top;

    CCompatibleDC source(*dc);
    if (!source.GetSafeHdc())
        return;
    if (!(disabled && m_grayDisabledBitmap)) {
        // The mask's 1 bits take the context's background colour (white, set by
        // DrawItem) and its 0 bits the text colour, which must be black.
        const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
        CSelectGuard mask(source, entry.mask);
        dc->BitBlt(x, y, entry.width, entry.height, source, 0, 0, SRCAND);
        CSelectGuard bitmap(source, entry.bitmap);
        dc->BitBlt(x, y, entry.width, entry.height, source, 0, 0, SRCPAINT);
        dc->SetTextColor(oldText);
        return;
    }
    // Disabled: the image composed over white, then embossed by the system.
    CCompatibleDC composed(*dc);
    CBitmap picture;
    if (!composed.GetSafeHdc() || !picture.CreateCompatibleBitmap(*dc, entry.width, entry.height))
        return;
    {
        CSelectGuard into(composed, picture);
        if (!into.IsSelected())
            return;
        composed.FillSolidRect(0, 0, entry.width, entry.height, RGB(255, 255, 255));
        const COLORREF oldBack = composed.SetBkColor(RGB(255, 255, 255));
        CSelectGuard mask(source, entry.mask);
        composed.BitBlt(0, 0, entry.width, entry.height, source, 0, 0, SRCAND);
        CSelectGuard bitmap(source, entry.bitmap);
        composed.BitBlt(0, 0, entry.width, entry.height, source, 0, 0, SRCPAINT);
        composed.SetBkColor(oldBack);
    }
    // DrawState selects the bitmap into a context of its own: it is out of ours now.
    ::DrawStateA(*dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.GetSafeHandle()), 0, x, y, entry.width,
                 entry.height, DST_BITMAP | DSS_DISABLED);
}

void CSkinButton::PaintCaption(CDC* dc, const CString& caption, const CRect&, CRect& captionRect, BOOL pressed,
                               BOOL disabled)
{
    if (pressed && !m_isCheckBox)
        captionRect.OffsetRect(Scaled(m_pressShiftX), Scaled(m_pressShiftY));
    const CRect saved = captionRect;
    dc->DrawText(caption, -1, &captionRect, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    captionRect = CentreTextBlock(saved, captionRect);

    if (skin::IsHighContrastOn()) {
        dc->SetTextColor(::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        dc->DrawText(caption, -1, &captionRect, DT_WORDBREAK | DT_CENTER);
        return;
    }

    if (disabled) {
        captionRect.OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(caption, -1, &captionRect, DT_WORDBREAK | DT_CENTER);
        captionRect.OffsetRect(-1, -1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        dc->DrawText(caption, -1, &captionRect, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const BYTE back = FaceColorIndex(m_hover || pressed, m_focused);
    dc->SetTextColor(m_colors[back + 1]);
    dc->SetBkColor(m_colors[back]);
    dc->DrawText(caption, -1, &captionRect, DT_WORDBREAK | DT_CENTER);
}
