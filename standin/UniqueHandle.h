#pragma once
// Owns one kernel handle (file, mapping, process) and closes it on every way out.
// Both "no handle" values of the API, null and INVALID_HANDLE_VALUE, count as empty.

#include <windows.h>

namespace standin {

class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~UniqueHandle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

} // namespace standin
