#include "SkinButton.h"

#include "ButtonPixels.h"
#include "CDC.h"
#include "DpiScale.h"
#include "HighContrast.h"
#include "MessageMapInput.h"

#include <commctrl.h>

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
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
END_MESSAGE_MAP()

CSkinButton::CSkinButton()
{
    ResetStateColors(FALSE);
}

int CSkinButton::Repainted(int status)
{
    if (status == SKIN_BUTTON_OK)
        Repaint(TRUE);
    return status;
}

// --- images ---------------------------------------------------------------------------

int CSkinButton::AssignIcons(HICON hot, HICON normal)
{
    return Repainted(m_images.AssignIcons(hot, normal));
}

int CSkinButton::LoadIcons(int hotId, int hotWidth, int hotHeight, int normalId, int normalWidth, int normalHeight)
{
    const int status = m_images.LoadIcons(hotId, {hotWidth, hotHeight}, normalId, {normalWidth, normalHeight},
                                          skin::ShownDpi(m_hWnd));
    return m_images.Hot().icon ? Repainted(status) : status;
}

int CSkinButton::AssignBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal, COLORREF normalKey)
{
    return Repainted(m_images.AssignBitmaps(hot, hotKey, normal, normalKey));
}

int CSkinButton::LoadBitmaps(int hotId, COLORREF hotKey, int normalId, COLORREF normalKey)
{
    const int status = m_images.LoadBitmaps(hotId, hotKey, normalId, normalKey);
    return m_images.Hot().bitmap ? Repainted(status) : status;
}

int CSkinButton::FitToImage()
{
    const ButtonImage hot = m_images.Hot();
    if (!hot.icon && !hot.bitmap)
        return SKIN_BUTTON_OK;
    const SIZE size = hot.size;
    m_look.imageMargin = {0, 0};
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    return SKIN_BUTTON_OK;
}

int CSkinButton::ReleaseImages(BOOL destroy)
{
    m_images.Release(destroy != FALSE);
    return SKIN_BUTTON_OK;
}

// --- settings ---------------------------------------------------------------------

int CSkinButton::SetImagePlacement(BYTE placement, BOOL repaint)
{
    if (placement > 3)
        return SKIN_BUTTON_BAD_PLACEMENT;
    m_look.placement = placement;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetFlatLook(BOOL flat, BOOL repaint)
{
    m_look.flat = flat != FALSE;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetFlatBorder(BOOL on, BOOL repaint)
{
    m_look.flatBorder = on != FALSE;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetFlatFocus(BOOL on, BOOL repaint)
{
    m_look.flatFocus = on != FALSE;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetPressShift(BYTE style, BOOL repaint)
{
    switch (style) {
    case 0: m_look.pressShift = {1, 1}; break;
    case 1: m_look.pressShift = {0, 2}; break;
    default: return SKIN_BUTTON_BAD_PRESS_STYLE;
    }
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetStateColor(BYTE index, COLORREF color, BOOL repaint)
{
    if (index >= SKIN_COLOR_COUNT)
        return SKIN_BUTTON_BAD_COLOR;
    m_look.colors[index] = color;
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::GetStateColor(BYTE index, COLORREF* color) const
{
    if (index >= SKIN_COLOR_COUNT)
        return SKIN_BUTTON_BAD_COLOR;
    if (color)
        *color = m_look.colors[index];
    return SKIN_BUTTON_OK;
}

int CSkinButton::ShadeStateColor(BYTE index, short shade, BOOL repaint)
{
    if (index >= SKIN_COLOR_COUNT)
        return SKIN_BUTTON_BAD_COLOR;
    if (shade < -255 || shade > 255)
        return SKIN_BUTTON_BAD_VALUE;
    m_look.colors[index] = ShadeColor(m_look.colors[index], shade);
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::ResetStateColors(BOOL repaint)
{
    for (BYTE i = 0; i < SKIN_COLOR_COUNT; ++i)
        m_look.colors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::UseParentBackground(BOOL repaint)
{
    m_look.parentBackground = true;
    m_background.Drop();
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::CaptureBackground(CDC* dc)
{
    if (!m_look.parentBackground || !dc || !dc->GetSafeHdc() || !m_hWnd)
        return SKIN_BUTTON_BAD_VALUE;
    m_background.CaptureFrom(*dc, m_hWnd);
    return SKIN_BUTTON_OK;
}

int CSkinButton::ForgetBackground(BOOL repaint)
{
    m_background.Drop();
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetChecked(BOOL checked, BOOL repaint)
{
    if (m_look.checkBox) {
        m_checked = checked != 0;
        Repaint(repaint);
    }
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetTrackAlways(BOOL on)
{
    m_trackAlways = on != FALSE;
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
    m_tip.SetText(*this, text, activate);
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
    m_tip.Activate(on);
    return SKIN_BUTTON_OK;
}

int CSkinButton::UseBalloonTip()
{
    m_tip.UseBalloon();
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetLink(const char* link)
{
    m_link.Set(link);
    return SKIN_BUTTON_OK;
}

int CSkinButton::LoadDropMenu(UINT id, HWND owner, BOOL repaint)
{
    m_menuShown = false;
    const int status = m_menu.Load(id, owner) ? SKIN_BUTTON_OK : SKIN_BUTTON_LOAD_FAILED;
    Repaint(repaint);
    return status;
}

int CSkinButton::SetDropMenuNotify(HWND window, UINT message, LPARAM lParam)
{
    m_menu.SetNotify(window, message, lParam);
    return SKIN_BUTTON_OK;
}

int CSkinButton::SetButtonSound(const char* sound, HMODULE module, BOOL onClick, BOOL asynchronous)
{
    m_sounds.Set(sound, module, onClick != FALSE, asynchronous != FALSE);
    return SKIN_BUTTON_OK;
}

// --- window plumbing ----------------------------------------------------------------

void CSkinButton::PreSubclassWindow()
{
    const DWORD type = GetStyle() & kTypeMask;
    if (IsCheckBoxType(type))
        m_look.checkBox = true;
    if (type == BS_DEFPUSHBUTTON)
        m_isDefault = true;
    ModifyStyle(kTypeMask, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

BOOL CSkinButton::PreTranslateMessage(MSG* msg)
{
    m_tip.Relay(*this, msg);
    // An owner-drawn button reports a double click as BN_DOUBLECLICKED and no click:
    // taken as a second press, it clicks twice, as a quick user means it to.
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(msg);
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
    if (!m_look.flat)
        return;
    const bool active = m_trackAlways || ::GetActiveWindow() != nullptr;
    if (under != m_hWnd || !active) {
        EndHover();
        return;
    }
    if (m_hover)
        return;
    m_hover = true;
    Invalidate();
    m_sounds.PlayOnHover();
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
    if (m_look.flat && m_hover) {
        m_hover = false;
        Invalidate();
    }
}

void CSkinButton::OnSysColorChange()
{
    Default();
    m_background.Drop();
    ResetStateColors(TRUE);
}

BOOL CSkinButton::OnClicked()
{
    ::SetFocus(m_hWnd);
    m_sounds.PlayOnClick();
    if (m_look.checkBox) {
        m_checked = !m_checked;
        Invalidate();
    } else if (m_menu.IsLoaded()) {
        CRect window;
        GetWindowRect(&window);
        m_menuShown = true;
        Invalidate();
        m_menu.Drop(window);
        m_menuShown = false;
        Invalidate();
    } else if (m_link.IsSet()) {
        m_link.Open();
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
    m_tip.SyncDisabled(*this);
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
        m_isDefault = true;
    else if (type == BS_PUSHBUTTON)
        m_isDefault = false;
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

// --- the screen ---------------------------------------------------------------------

LRESULT CSkinButton::OnUpdateUIState(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    // UIS_INITIALIZE leaves the state to the system's own rule, which the messages
    // that follow carry; only an explicit set or clear of the focus cue counts.
    if (HIWORD(wParam) & UISF_HIDEFOCUS) {
        const bool hide = LOWORD(wParam) == UIS_SET;
        if (LOWORD(wParam) != UIS_INITIALIZE && hide != m_hideFocus) {
            m_hideFocus = hide;
            Invalidate(TRUE);
        }
    }
    return result;
}

LRESULT CSkinButton::OnWindowPosChanged(WPARAM, LPARAM)
{
    // Moved or resized (a dialog scaled to another density moves its controls): the
    // disabled tip covers where the button is now.
    const LRESULT result = Default();
    m_tip.SyncDisabled(*this);
    return result;
}

int CSkinButton::SetDisabledTipText(const char* text)
{
    m_tip.SetDisabledText(*this, text);
    return SKIN_BUTTON_OK;
}

void CSkinButton::RelayParentEvent(MSG* msg)
{
    m_tip.RelayParentEvent(m_hWnd, msg);
}

void CSkinButton::FollowDpi(int dpi)
{
    // Windows tells the top-level window of a new density; the button learns of it
    // at its next paint, which the window's redraw brings.
    m_images.FollowDpi(dpi);
    m_tip.FollowDpi(dpi);
}

// --- painting -------------------------------------------------------------------------

ButtonState CSkinButton::StateOf(UINT itemState) const
{
    ButtonState state;
    state.pressed = (itemState & ODS_SELECTED) != 0;
    if (m_look.checkBox)
        state.pressed = state.pressed || m_checked;
    else if (m_menu.IsLoaded() && m_menuShown)
        state.pressed = true;
    state.hot = m_hover;
    state.focused = (itemState & ODS_FOCUS) != 0;
    state.disabled = (itemState & ODS_DISABLED) != 0;
    state.cuesShown = !m_hideFocus;
    state.defaultButton = m_isDefault;
    return state;
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    const int dpi = skin::ShownDpi(m_hWnd);
    FollowDpi(dpi);
    ButtonLook look = m_look;
    look.highContrast = skin::IsHighContrastOn();
    look.dpi = dpi;

    const CString caption = GetWindowText();
    ButtonContent content;
    content.caption = caption;
    content.hot = m_images.Hot();
    content.normal = m_images.Normal();
    if (look.parentBackground && !look.highContrast)
        content.background = m_background.For(m_hWnd);

    CDC dc(item->hDC);
    PaintButton(dc, item->rcItem, look, StateOf(item->itemState), content);
}
