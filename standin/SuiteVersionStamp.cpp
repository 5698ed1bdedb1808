#include "SuiteVersionStamp.h"

#include "VersionBlock.h"

#include <windows.h>

#include <vector>

namespace standin {

namespace {

const WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);

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
    std::vector<BYTE> info = VersionInfoBlock({{L"FileVersion", L"1, 3, 0, 0"}, {L"ProductVersion", L"1, 3, 0, 0"}},
                                              kFrench, 1252, MAKELONG(3, 1), 0);
    bool ok = true;
    for (WORD language : languages) {
        ok = ok && ::UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(VS_VERSION_INFO), language,
                                     info.data(), static_cast<DWORD>(info.size()));
    }
    // Discards every change when one of them failed.
    return ::EndUpdateResourceA(update, ok ? FALSE : TRUE) && ok;
}

} // namespace standin
