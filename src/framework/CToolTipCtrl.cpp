#include "CToolTipCtrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    if (m_hWnd)
        return FALSE;
    HWND hwnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    // Subclassed rather than attached so that its WM_NCDESTROY clears m_hWnd when
    // the owner window takes the tooltip down with it.
    if (hwnd && !SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    return hwnd != nullptr;
}

BOOL CToolTipCtrl::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);   // m_hWnd is cleared at WM_NCDESTROY
}

TOOLINFOA CToolTipCtrl::ToolInfo(CWnd* wnd, UINT_PTR id)
{
    TOOLINFOA info{};
    // The size common controls 5 accept as well as 6: the program may run with either.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = id;
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(wnd, id);
    // No TTF_SUBCLASS: the tool's window relays its mouse messages itself
    // (RelayEvent from PreTranslateMessage), and twice would be once too many.
    if (rect)
        info.rect = *rect;
    else if (wnd)
        ::GetClientRect(wnd->m_hWnd, &info.rect);
    info.hinst = ::GetModuleHandleA(nullptr);
    info.lpszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(wnd, id);
    info.hinst = ::GetModuleHandleA(nullptr);
    info.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CToolTipCtrl::HasTool(CWnd* wnd, UINT_PTR id) const
{
    TOOLINFOA info = ToolInfo(wnd, id);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(wnd, id);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

CString CToolTipCtrl::GetText(CWnd* wnd, UINT_PTR id) const
{
    // TTM_GETTEXT gives no length; 1024 is well above what a tip shows.
    char buffer[1024] = "";
    TOOLINFOA info = ToolInfo(wnd, id);
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
    return CString(buffer);
}
