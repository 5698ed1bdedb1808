#include "TempDir.h"

#include "CKernelHandle.h"

#include <windows.h>

#include <cstdio>

TempDir::TempDir(const char* tag)
{
    char base[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, base);
    std::string root(base);
    if (!root.empty() && root.back() == '\\')
        root.pop_back();
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "\\mj-%s-%lu-%u", tag, ::GetCurrentProcessId(), ++counter);
        m_path = root + name;
        if (::CreateDirectoryA(m_path.c_str(), nullptr))
            break;
    }
}

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

bool WriteFileBytes(const std::string& path, const std::string& content)
{
    const CKernelHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    return ok && written == content.size();
}

std::string ReadFileBytes(const std::string& path)
{
    const CKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return std::string();
    std::string content;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        content.append(chunk, got);
    return content;
}

bool MakeFolders(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2)
        MakeFolders(path.substr(0, slash));
    return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name(found.cFileName);
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::RemoveDirectoryA(path.c_str()))
        ::DeleteFileA(path.c_str());
}

bool PathExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
