#pragma once
// The owner of one GDI object: it deletes the object in its destructor, cannot be
// copied and may be moved. An object must not be deleted while a device context
// still has it selected (Windows then refuses and the handle leaks), so select it
// through a CSelectGuard that ends before the owner does.

#include <windows.h>

#include <utility>

template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Attach(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    // Takes ownership of `handle`, deleting the object held until now.
    void Attach(Handle handle)
    {
        DeleteObject();
        m_handle = handle;
    }
    // Gives the object up without deleting it; the caller owns it from now on.
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    // FALSE when there was nothing to delete or the system refused.
    BOOL DeleteObject()
    {
        if (!m_handle)
            return FALSE;
        return ::DeleteObject(std::exchange(m_handle, nullptr));
    }

    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }

protected:
    Handle m_handle = nullptr;
};
