// What the run log says of the computer, against what the system keeps elsewhere.

#include "SystemInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string Str(const CString& text)
{
    return static_cast<const char*>(text);
}

std::string Environment(const char* name)
{
    char value[512] = "";
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : "";
}

std::string CurrentVersionString(const char* name)
{
    char value[256] = "";
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", name, RRF_RT_REG_SZ,
                       nullptr, value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

DWORD CurrentVersionNumber(const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", name,
                       RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

} // namespace

TEST(SystemInfo, NamesTheComputerUserAndWindowsAsTheSystemRecordsThem)
{
    EXPECT_EQ(Environment("COMPUTERNAME"), Str(ComputerName()));
    EXPECT_EQ(Environment("USERNAME"), Str(UserName()));

    // Windows 10 and later record the numbers; earlier versions only "6.1".
    std::string version = CurrentVersionString("CurrentVersion");
    if (CurrentVersionNumber("CurrentMajorVersionNumber") != 0)
        version = std::to_string(CurrentVersionNumber("CurrentMajorVersionNumber")) + "."
                  + std::to_string(CurrentVersionNumber("CurrentMinorVersionNumber"));
    std::string expected = "Windows " + version + " (build " + CurrentVersionString("CurrentBuildNumber");
    const std::string servicePack = CurrentVersionString("CSDVersion");
    if (!servicePack.empty())
        expected += ", " + servicePack;
    EXPECT_EQ(expected + ")", Str(WindowsVersionText()));
}
