#include "CWnd.h"

#include "CWinApp.h"

#include "CDataExchange.h"
#include "CFont.h"
#include "CWaitCursor.h"

namespace {
// The property that ties a subclassed window to its CWnd.
const char kWndProperty[] = "MiseAJour.CWnd";
// The procedure the window had before it was subclassed. An object that lets go of
// its window while a later subclass still calls SubclassProc leaves this behind, so
// that the window's messages go on reaching their old procedure.
const char kSuperProperty[] = "MiseAJour.CWnd.Super";
}

BOOL CCmdTarget::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&)
{
    return FALSE;
}

CWnd::~CWnd()
{
    if (m_pfnSuper && m_hWnd)
        UnsubclassWindow();
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (m_pfnSuper)
        UnsubclassWindow();
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || ::GetPropA(hwnd, kWndProperty) || ::GetPropA(hwnd, kSuperProperty))
        return FALSE;
    if (!::SetPropA(hwnd, kWndProperty, this))
        return FALSE;
    m_hWnd = hwnd;
    PreSubclassWindow();
    // Refused for a window of another process (ERROR_ACCESS_DENIED): no window has
    // a null procedure, so null is the failure.
    const LONG_PTR super =
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc));
    if (!super) {
        ::RemovePropA(hwnd, kWndProperty);
        m_hWnd = nullptr;
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(super);
    ::SetPropA(hwnd, kSuperProperty, reinterpret_cast<HANDLE>(super));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id))) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (hwnd && m_pfnSuper) {
        ::RemovePropA(hwnd, kWndProperty);
        // Putting the old procedure back over a later subclass would cut that one
        // out; SubclassProc then only hands the messages on (kSuperProperty).
        const LONG_PTR current = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
        if (current == reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)) {
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
            ::RemovePropA(hwnd, kSuperProperty);
        }
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hwnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kWndProperty)) : nullptr;
}

LRESULT CWnd::Default()
{
    if (!m_pfnSuper)
        return ::DefWindowProcA(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pfnSuper)
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd))
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        if (hwnd == stop)
            break;
    }
    return FALSE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CWnd::UpdateData(BOOL save)
{
    CDataExchange dx(this, save);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetSafeHandle() : nullptr), MAKELPARAM(redraw, 0));
}

CString CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, &buffer[0], length + 1);
    return CString(buffer.c_str());
}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(lParam);   // null for menus and accelerators
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU
                    ? nullptr : reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORSCROLLBAR:
        child = reinterpret_cast<HWND>(lParam);
        break;
    default:
        return FALSE;
    }
    CWnd* target = FromHandlePermanent(child);
    if (!target)
        return FALSE;
    return target->OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // While an operation holds the wait cursor, moving the mouse must not show the
    // arrow, nor a cursor of a control's own (a hover cursor): the hourglass comes
    // before any map, since the user can do nothing until the operation ends.
    if (message == WM_SETCURSOR && CWaitCursor::IsWaiting()) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
    }
    // The system tells only top-level windows that its colours changed; controls that
    // paint with system colours of their own (the skinned buttons) hear it from here.
    if (message == WM_SYSCOLORCHANGE && !(GetStyle() & WS_CHILD))
        ::EnumChildWindows(m_hWnd, &CWnd::SendSysColorChange, 0);
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result))
        return result;
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return Default();
}

BOOL CALLBACK CWnd::SendSysColorChange(HWND child, LPARAM)
{
    ::SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandlePermanent(hwnd);
    if (!self) {
        // Left in the chain by an object that let go under a later subclass.
        const WNDPROC super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kSuperProperty));
        if (!super)
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            ::RemovePropA(hwnd, kSuperProperty);
        return ::CallWindowProcA(super, hwnd, message, wParam, lParam);
    }

    const CurrentMessage saved = self->m_current;   // handlers re-enter through SendMessage
    self->m_current = {message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through user32; the message counts as handled, and the
        // application hears of it.
        result = 0;
        if (CWinApp* app = AfxGetApp())
            app->ProcessWndProcException(message);
    }
    self->m_current = saved;

    if (message == WM_NCDESTROY) {
        self->UnsubclassWindow();
        self->PostNcDestroy();
    }
    return result;
}
