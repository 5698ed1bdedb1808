#pragma once
// DLLs of the system, taken from the system folder only.
//
// Windows looks for a DLL that is not one of its protected "known DLLs" in the
// program's own folder first, then in the current directory. A DLL of that name left
// beside the program (on a share anyone may write to, in an installation folder below
// C:\) would be loaded instead of the system's, and its code would run with the
// program's rights. The program therefore imports only known DLLs, restricts the
// search as the first thing it does, and loads every other DLL here, when it is first
// needed, by a search that never looks anywhere but the system folder.

#include "COwnedHandle.h"

// Restricts where the process looks for the DLLs it loads at run time (and those the
// system's DLLs load for it) to the system folder: SetDefaultDllDirectories where
// Windows has it (Windows 8, Windows 7 with its loader update); elsewhere the current
// directory at least leaves the search (SetDllDirectory ""). True when the search is
// the system folder alone. Safe to call more than once.
bool AfxRestrictDllSearch();

// Loads `fileName`, a bare name such as "winmm.dll", from the system folder, and the
// DLLs it needs from there too: with LOAD_LIBRARY_SEARCH_SYSTEM32 where Windows takes
// that flag, else by the system folder's full path. Null when it cannot be loaded
// (GetLastError says why) or when `fileName` holds a folder or a drive. The caller
// owns the reference it returns (FreeLibrary).
HMODULE AfxLoadSystemLibrary(const char* fileName);

// The entry point `name` of `module` as a `Function`; null when it is not there or
// `module` is null (GetProcAddress on a null module would search the program itself).
template <class Function>
Function AfxGetProcedure(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    // GetProcAddress hands back a generic function pointer; the cast through a plain
    // function pointer type names the real one.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// One reference to a system DLL, freed with it.
class CSystemLibrary : public COwnedHandle<HMODULE, &::FreeLibrary> {
public:
    CSystemLibrary() = default;
    explicit CSystemLibrary(const char* fileName) : COwnedHandle(AfxLoadSystemLibrary(fileName)) {}

    template <class Function>
    Function GetProcedure(const char* name) const
    {
        return AfxGetProcedure<Function>(m_handle, name);
    }
};
