#include "WholeFile.h"

#include "CKernelHandle.h"

#include <cstdio>

namespace {

// Beside the file, so that the move stays on one volume and is one step; named
// after this process, so that two writers never share one.
std::string TemporaryPath(const char* path)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lu.tmp", static_cast<unsigned long>(::GetCurrentProcessId()));
    return std::string(path) + suffix;
}

DWORD WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(bytes.size() - done > 1u << 20 ? 1u << 20 : bytes.size() - done);
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return ::GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        done += written;
    }
    return ::FlushFileBuffers(file) ? 0 : ::GetLastError();
}

// A reader may hold the old file for the moment it takes to read it. Windows lets
// it be replaced when the reader shares it for deletion, Wine never while it is open.
const int kMoveTries = 20;
const DWORD kMoveWaitMs = 250;

bool HeldByAnother(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

} // namespace

DWORD WriteFileWhole(const char* path, const std::string& bytes)
{
    const std::string temporary = TemporaryPath(path);
    DWORD error = 0;
    {
        CKernelHandle file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!file.IsValid())
            return ::GetLastError();
        error = WriteAll(file, bytes);
    }
    for (int tries = 1; error == 0; ++tries) {
        if (::MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            break;
        error = ::GetLastError();
        if (!HeldByAnother(error) || tries == kMoveTries)
            break;
        error = 0;
        ::Sleep(kMoveWaitMs);
    }
    if (error != 0)
        ::DeleteFileA(temporary.c_str());
    return error;
}

bool ReadFileShared(const char* path, size_t limit, std::string& out)
{
    out.clear();
    CKernelHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid())
        return false;
    char buffer[16 * 1024];
    while (out.size() <= limit) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            out.clear();
            return false;
        }
        if (read == 0)
            break;
        out.append(buffer, read);
    }
    if (out.size() > limit + 1)
        out.resize(limit + 1);
    return true;
}
