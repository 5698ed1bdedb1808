#include "DefaultProgram.h"

#include "SystemLibrary.h"

#include <windows.h>
#include <shellapi.h>

bool OpenWithDefaultProgram(const char* path)
{
    // Only this call needs the shell, so it is loaded here, from the system's own
    // folder, and stays loaded: the shell may still be handing the file on from
    // threads of its own.
    const auto execute =
        AfxGetProcedure<decltype(&::ShellExecuteA)>(AfxLoadSystemLibrary("shell32.dll"), "ShellExecuteA");
    // ShellExecute's result above 32 means the file was handed on.
    return execute && reinterpret_cast<INT_PTR>(execute(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}
