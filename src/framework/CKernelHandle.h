#pragma once
// The owner of a kernel object's handle (a file, a mutex, a mapping, a process or a
// thread, a snapshot): CloseHandle runs once, when the owner goes out of scope or is
// given another handle. It cannot be copied and may be moved.
//
// Two kinds of value are held but never closed. Null and INVALID_HANDLE_VALUE are
// what the creating functions return on failure (CreateFile the second, most others
// the first). The pseudo-handles (GetCurrentProcess, whose value is that same -1,
// GetCurrentThread and the token pseudo-handles just below it) name the caller
// itself and are not handles to close. A handle the process was lent (what
// GetStdHandle returns) must not be given to an owner at all.

#include "COwnedHandle.h"

#include <cstdint>

// True for null, INVALID_HANDLE_VALUE and the pseudo-handles, which are -1 to -6.
inline bool AfxIsPseudoOrNoHandle(HANDLE handle)
{
    const std::intptr_t value = reinterpret_cast<std::intptr_t>(handle);
    return value == 0 || (value >= -6 && value <= -1);
}

// The program's one CloseHandle. FALSE, with nothing closed, for the values above.
inline BOOL WINAPI AfxCloseKernelHandle(HANDLE handle)
{
    if (AfxIsPseudoOrNoHandle(handle))
        return FALSE;
    return ::CloseHandle(handle);
}

class CKernelHandle : public COwnedHandle<HANDLE, &AfxCloseKernelHandle> {
public:
    using COwnedHandle<HANDLE, &AfxCloseKernelHandle>::COwnedHandle;

    // False for null, INVALID_HANDLE_VALUE and the pseudo-handles: whatever a failed
    // creation returned.
    bool IsValid() const { return !AfxIsPseudoOrNoHandle(m_handle); }
    // FALSE when there was nothing to close or the system refused.
    BOOL Close() { return Free(); }
};
