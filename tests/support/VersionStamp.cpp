#include "VersionStamp.h"

#include "VersionBlock.h"

#include <vector>

namespace {

std::wstring Widen(const char* text)
{
    const int length = ::MultiByteToWideChar(1252, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(1252, 0, text, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::vector<BYTE> VersionInfo(const char* fileVersion, WORD language, WORD codePage)
{
    if (fileVersion)
        return standin::VersionInfoBlock({{L"FileVersion", Widen(fileVersion)}}, language, codePage);
    return standin::VersionInfoBlock({{L"ProductName", L"Stub"}}, language, codePage);
}

} // namespace

std::string StubExePath()
{
    // The build runs on the Unix side; Wine shows the whole Unix tree as drive Z:.
    std::string path = "Z:" STUB_EXE_PATH;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

bool CopyStub(const std::string& destination)
{
    ::SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::CopyFileA(StubExePath().c_str(), destination.c_str(), FALSE) != 0;
}

bool StampVersion(const std::string& destination, const char* fileVersion, WORD language, WORD codePage)
{
    if (!CopyStub(destination))
        return false;
    std::vector<BYTE> blob = VersionInfo(fileVersion, language, codePage);
    HANDLE update = ::BeginUpdateResourceA(destination.c_str(), FALSE);
    if (!update)
        return false;
    const BOOL stored = ::UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), language, blob.data(),
                                          static_cast<DWORD>(blob.size()));
    // Discarding the update when the resource could not be added leaves the plain copy.
    return ::EndUpdateResourceA(update, !stored) && stored;
}
