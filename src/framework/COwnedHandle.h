#pragma once
// The owner of one handle that `Release` frees: it frees the handle in its
// destructor, cannot be copied and may be moved. CGdiObject (DeleteObject) and the
// icon and cursor owners (DestroyIcon, DestroyCursor) are made from it.

#include <windows.h>

#include <utility>

template <class Handle, BOOL (WINAPI* Release)(Handle)>
class COwnedHandle {
public:
    COwnedHandle() = default;
    explicit COwnedHandle(Handle handle) : m_handle(handle) {}
    ~COwnedHandle() { Free(); }
    COwnedHandle(const COwnedHandle&) = delete;
    COwnedHandle& operator=(const COwnedHandle&) = delete;
    COwnedHandle(COwnedHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    COwnedHandle& operator=(COwnedHandle&& other) noexcept
    {
        if (this != &other)
            Attach(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    // Takes ownership of `handle`, freeing the one held until now; the handle
    // already held is kept as it is.
    void Attach(Handle handle)
    {
        if (handle == m_handle)
            return;
        Free();
        m_handle = handle;
    }
    // Gives the handle up without freeing it; the caller owns it from now on.
    Handle Detach() { return std::exchange(m_handle, nullptr); }

    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }

protected:
    // FALSE when there was nothing to free or the system refused.
    BOOL Free()
    {
        if (!m_handle)
            return FALSE;
        return Release(std::exchange(m_handle, nullptr));
    }

    Handle m_handle = nullptr;
};
