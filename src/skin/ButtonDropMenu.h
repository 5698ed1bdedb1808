#pragma once
// The menu a skinned button drops down when clicked: the first submenu of a menu
// resource, opened under the button, its chosen command posted to an owner window
// as WM_COMMAND. A window may be told just before it opens, to fill or check items.

#include "CMenu.h"

class CButtonDropMenu {
public:
    // Menu resource `id` of the program, or none for 0. FALSE, holding none, when it
    // cannot be loaded.
    BOOL Load(UINT id, HWND owner);
    // `message` is sent to `window` with the submenu as wParam just before it opens.
    void SetNotify(HWND window, UINT message, LPARAM lParam) { m_notify = {window, message, lParam}; }
    bool IsLoaded() const { return m_menu.GetSafeHmenu() != nullptr; }
    // Opens the menu at the bottom left of `button` (screen coordinates) and returns
    // once it has closed, the chosen command posted.
    void Drop(const RECT& button) const;

private:
    struct Notify {
        HWND window = nullptr;
        UINT message = 0;
        LPARAM lParam = 0;
    };

    CMenu m_menu;
    HWND m_owner = nullptr;
    Notify m_notify;
};
