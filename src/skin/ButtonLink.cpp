#include "ButtonLink.h"

#include "SystemLibrary.h"

#include <windows.h>
#include <shellapi.h>

void OpenButtonLink(const char* link)
{
    static const auto open =
        AfxGetProcedure<decltype(&::ShellExecuteExA)>(AfxLoadSystemLibrary("shell32.dll"), "ShellExecuteExA");
    if (!open || !link)
        return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;   // 60 bytes in a 32-bit program, 112 in a 64-bit one
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = link;
    info.nShow = SW_SHOWMAXIMIZED;
    open(&info);
}
