// The skinned dialog and the screen: high contrast and colour changes, a new DPI,
// activation and keyboard cues, passed on to the skinned buttons it holds.

#include "SkinDialog.h"

#include "DpiScale.h"
#include "HighContrast.h"
#include "SkinButton.h"

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> children;
    ::EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

} // namespace

std::vector<CSkinButton*> CSkinDialog::SkinButtons() const
{
    std::vector<CSkinButton*> buttons;
    if (!m_hWnd)
        return buttons;
    for (HWND child : Descendants(m_hWnd))
        if (auto* button = dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(child)))
            buttons.push_back(button);
    return buttons;
}

void CSkinDialog::OnDpiChanged(int)
{
}

void CSkinDialog::RefreshLook()
{
    m_backgroundStale = true;
    m_highContrast = skin::IsHighContrastOn();
    for (CSkinButton* button : SkinButtons())
        button->ForgetBackground(FALSE);
    // The dialog first, then its controls: a button copies the dialog's new pixels.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CSkinDialog::OnSysColorChange()
{
    Default();   // the controls have heard of it already (CWnd::WindowProc)
    RefreshLook();
}

LRESULT CSkinDialog::OnSettingChange(WPARAM action, LPARAM)
{
    const LRESULT result = Default();
    // High contrast turned on or off: the system says so with SPI_SETHIGHCONTRAST; any
    // other change leaves the look alone unless the answer has changed all the same.
    if (action == SPI_SETHIGHCONTRAST || skin::IsHighContrastOn() != m_highContrast)
        RefreshLook();
    return result;
}

LRESULT CSkinDialog::OnDpiChangedMessage(WPARAM dpi, LPARAM suggested)
{
    m_dpi = HIWORD(dpi) ? HIWORD(dpi) : skin::kDesignDpi;
    skin::KeepShownDpi(m_hWnd, m_dpi);
    // Windows suggests the rectangle that keeps the window's place and size on the
    // new screen; the template's controls scale themselves in dialog units.
    if (const RECT* rect = reinterpret_cast<const RECT*>(suggested))
        ::SetWindowPos(m_hWnd, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    KeepWindowRects();   // the system sent WM_SIZE already, unless the size stayed
    OnDpiChanged(m_dpi);
    // The controls read the new DPI as they paint again.
    RefreshLook();
    return 0;
}

LRESULT CSkinDialog::OnDestroyMessage(WPARAM, LPARAM)
{
    skin::KeepShownDpi(m_hWnd, 0);   // a window's properties go before it does
    return Default();
}

LRESULT CSkinDialog::OnActivateMessage(WPARAM state, LPARAM other)
{
    const LRESULT result = Default();   // the dialog manager keeps and restores the focus
    // Only the top-level window hears that it lost activation (Alt+Tab, another window
    // clicked); a button's hover look must end then too, and the button knows
    // WM_ACTIVATE as that news.
    if (LOWORD(state) == WA_INACTIVE)
        for (CSkinButton* button : SkinButtons())
            button->SendMessage(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), other);
    return result;
}

LRESULT CSkinDialog::OnActivateApp(WPARAM active, LPARAM)
{
    const LRESULT result = Default();
    if (!active)
        for (CSkinButton* button : SkinButtons())
            button->SendMessage(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    return result;
}

void CSkinDialog::ShowKeyboardCuesFor(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    WORD cues = 0;
    switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        cues = UISF_HIDEFOCUS;
        break;
    case VK_MENU:
        cues = UISF_HIDEFOCUS | UISF_HIDEACCEL;
        break;
    default:
        return;
    }
    if (m_hiddenCues & cues)
        SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

LRESULT CSkinDialog::OnChangeUIState(WPARAM change, LPARAM)
{
    // Windows keeps the state of a top-level window and passes WM_UPDATEUISTATE to
    // every window below it. Wine 8 does neither, so the dialog keeps its own record
    // and tells its controls of each change itself; on Windows a control then hears
    // a change twice, to the same effect.
    const LRESULT result = Default();
    const WORD action = LOWORD(change), cues = HIWORD(change) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    WORD hidden = m_hiddenCues;
    if (action == UIS_CLEAR)
        hidden = static_cast<WORD>(hidden & ~cues);
    else if (action == UIS_SET)
        hidden = static_cast<WORD>(hidden | cues);
    if (hidden != m_hiddenCues) {
        m_hiddenCues = hidden;
        for (HWND child : Descendants(m_hWnd))
            ::SendMessageA(child, WM_UPDATEUISTATE, change, 0);
    }
    return result;
}
