#include "ButtonDropMenu.h"

BOOL CButtonDropMenu::Load(UINT id, HWND owner)
{
    m_menu.DestroyMenu();
    m_owner = nullptr;
    if (!id)
        return TRUE;
    if (!m_menu.LoadMenu(id & 0xFFFF))
        return FALSE;
    m_owner = owner;
    return TRUE;
}

void CButtonDropMenu::Drop(const RECT& button) const
{
    HMENU popup = m_menu.GetSubMenu(0);
    if (m_notify.window)
        ::SendMessageA(m_notify.window, m_notify.message, reinterpret_cast<WPARAM>(popup), m_notify.lParam);
    // The menu sends the owner nothing itself: the command comes back here and is
    // posted once the menu has closed.
    const UINT command = static_cast<UINT>(::TrackPopupMenuEx(
        popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, button.left, button.bottom, m_owner, nullptr));
    if (command)
        ::PostMessageA(m_owner, WM_COMMAND, MAKEWPARAM(LOWORD(command), 0), 0);
}
