#pragma once
// Owns one menu loaded from the resources (DestroyMenu, which takes its submenus
// along). Submenus are borrowed handles that live as long as their menu.

#include <windows.h>

#include <utility>

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    CMenu(CMenu&& other) noexcept : m_hMenu(std::exchange(other.m_hMenu, nullptr)) {}

    // Loads menu resource `id` of `instance` (null: the program), destroying the
    // menu held until now. FALSE, holding nothing, when loading failed.
    BOOL LoadMenu(UINT id, HINSTANCE instance = nullptr)
    {
        DestroyMenu();
        m_hMenu = ::LoadMenuA(instance ? instance : ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        return m_hMenu != nullptr;
    }
    BOOL DestroyMenu()
    {
        if (!m_hMenu)
            return FALSE;
        return ::DestroyMenu(std::exchange(m_hMenu, nullptr));
    }
    // Submenu `position`, borrowed; null when there is none.
    HMENU GetSubMenu(int position) const { return m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr; }

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

private:
    HMENU m_hMenu = nullptr;
};
