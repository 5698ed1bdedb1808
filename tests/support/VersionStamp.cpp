#include "VersionStamp.h"

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void PadTo4(Bytes& bytes)
{
    while (bytes.size() % 4)
        bytes.push_back(0);
}

void Append(Bytes& bytes, const void* data, size_t size)
{
    const BYTE* first = static_cast<const BYTE*>(data);
    bytes.insert(bytes.end(), first, first + size);
}

// One node of a version resource: wLength, wValueLength, wType, the key (UTF-16,
// terminated), padding to 4, the value, then each child aligned on 4 bytes.
// wValueLength counts WCHARs for text values (wType 1) and bytes for binary ones.
Bytes Node(const std::wstring& key, WORD type, const void* value, size_t valueBytes, WORD valueLength,
           const std::vector<Bytes>& children)
{
    Bytes node(6, 0);
    Append(node, key.c_str(), (key.size() + 1) * sizeof(wchar_t));
    PadTo4(node);
    Append(node, value, valueBytes);
    for (const Bytes& child : children) {
        PadTo4(node);
        Append(node, child.data(), child.size());
    }
    const WORD header[3] = {static_cast<WORD>(node.size()), valueLength, type};
    std::memcpy(node.data(), header, sizeof header);
    return node;
}

Bytes TextNode(const std::wstring& key, const std::wstring& text)
{
    return Node(key, 1, text.c_str(), (text.size() + 1) * sizeof(wchar_t), static_cast<WORD>(text.size() + 1), {});
}

std::wstring Widen(const char* text)
{
    const int length = ::MultiByteToWideChar(1252, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(1252, 0, text, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

Bytes VersionInfo(const char* fileVersion, WORD language, WORD codePage)
{
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;

    wchar_t tableKey[9];
    ::wsprintfW(tableKey, L"%04x%04x", language, codePage);
    std::vector<Bytes> strings;
    if (fileVersion)
        strings.push_back(TextNode(L"FileVersion", Widen(fileVersion)));
    else
        strings.push_back(TextNode(L"ProductName", L"Stub"));
    const Bytes table = Node(tableKey, 1, nullptr, 0, 0, strings);
    const Bytes stringInfo = Node(L"StringFileInfo", 1, nullptr, 0, 0, {table});

    const WORD translation[2] = {language, codePage};
    const Bytes var = Node(L"Translation", 0, translation, sizeof translation, sizeof translation, {});
    const Bytes varInfo = Node(L"VarFileInfo", 1, nullptr, 0, 0, {var});

    return Node(L"VS_VERSION_INFO", 0, &fixed, sizeof fixed, sizeof fixed, {stringInfo, varInfo});
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
    Bytes blob = VersionInfo(fileVersion, language, codePage);
    HANDLE update = ::BeginUpdateResourceA(destination.c_str(), FALSE);
    if (!update)
        return false;
    const BOOL stored = ::UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), language, blob.data(),
                                          static_cast<DWORD>(blob.size()));
    // Discarding the update when the resource could not be added leaves the plain copy.
    return ::EndUpdateResourceA(update, !stored) && stored;
}
