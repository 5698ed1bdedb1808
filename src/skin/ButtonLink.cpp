#include "ButtonLink.h"

#include "SystemLibrary.h"

#include <shellapi.h>

#include <cstring>

void CButtonLink::Set(const char* link)
{
    m_link[0] = '\0';
    if (link) {
        std::strncpy(m_link, link, sizeof m_link - 1);
        m_link[sizeof m_link - 1] = '\0';
    }
}

void CButtonLink::Open() const
{
    static const auto open =
        AfxGetProcedure<decltype(&::ShellExecuteExA)>(AfxLoadSystemLibrary("shell32.dll"), "ShellExecuteExA");
    if (!open || !IsSet())
        return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;   // 60 bytes in a 32-bit program, 112 in a 64-bit one
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = m_link;
    info.nShow = SW_SHOWMAXIMIZED;
    open(&info);
}
