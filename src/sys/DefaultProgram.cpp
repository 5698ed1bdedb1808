#include "DefaultProgram.h"

#include <windows.h>

#include <string>

namespace {

typedef HINSTANCE(WINAPI* ShellExecuteFunction)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

} // namespace

bool OpenWithDefaultProgram(const char* path)
{
    // Only this call needs the shell, so it is loaded here, from the system's own
    // folder: never a shell32.dll that the current or the program's folder holds.
    char system[MAX_PATH] = "";
    const UINT length = ::GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system)
        return false;
    const std::string library = std::string(system) + "\\shell32.dll";
    HMODULE shell = ::LoadLibraryExA(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!shell)
        return false;
    const auto execute = reinterpret_cast<ShellExecuteFunction>(
        reinterpret_cast<void*>(::GetProcAddress(shell, "ShellExecuteA")));
    // ShellExecute's result above 32 means the file was handed on.
    const bool opened = execute && reinterpret_cast<INT_PTR>(execute(nullptr, "open", path, nullptr, nullptr,
                                                                      SW_SHOWNORMAL)) > 32;
    // The shell may still be handing the file on from threads of its own: it stays
    // loaded until the process ends.
    return opened;
}
