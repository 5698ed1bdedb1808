#include "SystemLibrary.h"

#include <cstring>
#include <string>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Windows 7 takes the LOAD_LIBRARY_SEARCH_ flags only with its loader update, which
// brought SetDefaultDllDirectories; without it LoadLibraryEx refuses them
// (ERROR_INVALID_PARAMETER).
SetDefaultDllDirectoriesFunction SetDefaultDllDirectoriesEntry()
{
    return AfxGetProcedure<SetDefaultDllDirectoriesFunction>(::GetModuleHandleA("kernel32.dll"),
                                                             "SetDefaultDllDirectories");
}

bool TakesSearchFlags()
{
    static const bool takes = SetDefaultDllDirectoriesEntry() != nullptr;
    return takes;
}

} // namespace

bool AfxRestrictDllSearch()
{
    const SetDefaultDllDirectoriesFunction restrict = SetDefaultDllDirectoriesEntry();
    if (restrict && restrict(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return true;
    ::SetDllDirectoryA("");
    return false;
}

HMODULE AfxLoadSystemLibrary(const char* fileName)
{
    if (!fileName || !*fileName || std::strpbrk(fileName, "\\/:")) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (TakesSearchFlags())
        return ::LoadLibraryExA(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // By its full path, and with the search for what it needs starting from the
    // system folder rather than from the program's.
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::string path(folder, length);
    path += '\\';
    path += fileName;
    return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
