#pragma once
// Owner of a kernel handle closed with CloseHandle (a file from CreateFileA, a
// snapshot, a process), invalid as null or INVALID_HANDLE_VALUE: CloseHandle runs
// when it goes out of scope.

#include <windows.h>

class CFileHandle {
public:
    // Takes ownership of `handle`, which may be INVALID_HANDLE_VALUE.
    explicit CFileHandle(HANDLE handle) : m_hFile(handle) {}
    ~CFileHandle();
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsValid() const { return m_hFile != INVALID_HANDLE_VALUE && m_hFile != nullptr; }
    HANDLE Get() const { return m_hFile; }

private:
    HANDLE m_hFile;
};
