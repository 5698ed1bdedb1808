#pragma once
// Selects a GDI object into a device context and puts the one it replaced back when
// the guard ends, on every way out. Declare the guard after the owner of the object
// (and of the context) so it ends first: an object still selected cannot be deleted.

#include <windows.h>

#include <utility>

class CSelectGuard {
public:
    // Empty: selects nothing until Select.
    CSelectGuard() = default;
    CSelectGuard(HDC dc, HGDIOBJ object) { Select(dc, object); }
    // Selecting a region sets the clipping to a copy of it and answers a complexity
    // code, not a replaced object: there is nothing to select back. Use SelectClipRgn.
    CSelectGuard(HDC dc, HRGN region) = delete;
    ~CSelectGuard() { Restore(); }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;
    CSelectGuard(CSelectGuard&& other) noexcept
        : m_hDC(std::exchange(other.m_hDC, nullptr)), m_previous(std::exchange(other.m_previous, nullptr)) {}
    CSelectGuard& operator=(CSelectGuard&&) = delete;

    // Puts back any earlier selection of this guard, then selects `object`. FALSE
    // when the system refused or `object` is a region (nothing is then restored later).
    BOOL Select(HDC dc, HGDIOBJ object)
    {
        Restore();
        const bool selectable = dc && object && ::GetObjectType(object) != OBJ_REGION;
        m_previous = selectable ? ::SelectObject(dc, object) : nullptr;
        m_hDC = m_previous ? dc : nullptr;
        return m_previous != nullptr;
    }
    BOOL Select(HDC dc, HRGN region) = delete;
    // Selects the replaced object back now. Harmless when nothing is selected.
    void Restore()
    {
        if (m_hDC && m_previous)
            ::SelectObject(m_hDC, m_previous);
        m_hDC = nullptr;
        m_previous = nullptr;
    }
    bool IsSelected() const { return m_previous != nullptr; }
    // The object that the selection replaced (null when none).
    HGDIOBJ Previous() const { return m_previous; }

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_previous = nullptr;
};
