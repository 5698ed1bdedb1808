#include "SystemInfo.h"

#include "TextConversion.h"
#include "VersionResource.h"

#include <windows.h>
#include <lmcons.h>

#include <string>

namespace {

// ntdll's own answer, which no compatibility layer adjusts.
typedef LONG(WINAPI* RtlGetVersionFunction)(OSVERSIONINFOEXW*);

} // namespace

CString ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    return ::GetComputerNameA(name, &size) ? CString(name) : CString();
}

CString UserName()
{
    char name[UNLEN + 1] = "";
    DWORD size = sizeof name;
    return ::GetUserNameA(name, &size) ? CString(name) : CString();
}

CString WindowsVersionText()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    // GetProcAddress hands back a generic pointer; the cast through void* names the real type.
    const auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                                  : nullptr;
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!getVersion || getVersion(&info) != 0)
        return CString("Windows");
    CString text;
    text.Format("Windows %lu.%lu (build %lu", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
    const CString servicePack = AfxAnsiFromWide(info.szCSDVersion);
    if (!servicePack.IsEmpty())
        text += CString(", ") + servicePack;
    text += ")";
    return text;
}

CString ModuleFileVersion(const char* path)
{
    CVersionResource version;
    if (!path || !version.Load(path))
        return CString();
    return version.QueryString("FileVersion");
}
