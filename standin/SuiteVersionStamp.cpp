#include "SuiteVersionStamp.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace standin {

namespace {

using Bytes = std::vector<BYTE>;

const WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
const WORD kWindows1252 = 1252;

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

Bytes SuiteVersionInfo()
{
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = fixed.dwProductVersionMS = MAKELONG(3, 1);
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;

    const Bytes table = Node(L"040c04e4", 1, nullptr, 0, 0,
                             {TextNode(L"FileVersion", L"1, 3, 0, 0"), TextNode(L"ProductVersion", L"1, 3, 0, 0")});
    const Bytes stringInfo = Node(L"StringFileInfo", 1, nullptr, 0, 0, {table});
    const WORD translation[2] = {kFrench, kWindows1252};
    const Bytes var = Node(L"Translation", 0, translation, sizeof translation, sizeof translation, {});
    const Bytes varInfo = Node(L"VarFileInfo", 1, nullptr, 0, 0, {var});
    return Node(L"VS_VERSION_INFO", 0, &fixed, sizeof fixed, sizeof fixed, {stringInfo, varInfo});
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

// The languages of the version resources `path` holds now.
std::vector<WORD> VersionLanguages(const std::string& path)
{
    std::vector<WORD> languages;
    const HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return languages;
    ::EnumResourceLanguagesA(module, MAKEINTRESOURCEA(16) /* RT_VERSION */, MAKEINTRESOURCEA(VS_VERSION_INFO),
                             AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
    ::FreeLibrary(module);
    return languages;
}

} // namespace

bool StampSuiteVersion(const std::string& path)
{
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    // Read before the update starts: the update needs the file to itself. Every
    // language already there gets the new block too, since a reader takes the
    // resource of its own language first.
    std::vector<WORD> languages = VersionLanguages(path);
    languages.push_back(kFrench);
    const HANDLE update = ::BeginUpdateResourceA(path.c_str(), FALSE);
    if (!update)
        return false;
    Bytes info = SuiteVersionInfo();
    bool ok = true;
    for (WORD language : languages) {
        ok = ok && ::UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(VS_VERSION_INFO), language,
                                     info.data(), static_cast<DWORD>(info.size()));
    }
    // Discards every change when one of them failed.
    return ::EndUpdateResourceA(update, ok ? FALSE : TRUE) && ok;
}

} // namespace standin
