#pragma once
// Owners of the user objects an icon is made of: CIcon holds one icon (DestroyIcon),
// CCursor one cursor (DestroyCursor). Neither may hold a shared icon or cursor
// (LoadIcon, LR_SHARED), which the system owns.

#include <windows.h>

#include <utility>

template <class Handle, BOOL (WINAPI* DestroyFn)(Handle)>
class CUserObject {
public:
    CUserObject() = default;
    explicit CUserObject(Handle handle) : m_handle(handle) {}
    ~CUserObject() { Destroy(); }
    CUserObject(const CUserObject&) = delete;
    CUserObject& operator=(const CUserObject&) = delete;
    CUserObject(CUserObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CUserObject& operator=(CUserObject&& other) noexcept
    {
        if (this != &other)
            Attach(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    // Takes ownership of `handle`, destroying the object held until now.
    void Attach(Handle handle)
    {
        Destroy();
        m_handle = handle;
    }
    // Gives the object up without destroying it.
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    // FALSE when there was nothing to destroy or the system refused.
    BOOL Destroy()
    {
        if (!m_handle)
            return FALSE;
        return DestroyFn(std::exchange(m_handle, nullptr));
    }

    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }

private:
    Handle m_handle = nullptr;
};

using CIcon = CUserObject<HICON, &::DestroyIcon>;
using CCursor = CUserObject<HCURSOR, &::DestroyCursor>;
