#include "Settings.h"

#include "StandinLog.h"

#include <windows.h>
#include <cstdlib>

namespace standin {

namespace {

// False when the variable is unset or empty.
bool ReadVariable(const char* name, std::string& value)
{
    char buffer[MAX_PATH * 2] = "";
    const DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return false;
    value.assign(buffer, length);
    return true;
}

void ReadNumber(const char* name, unsigned long& number)
{
    std::string text;
    if (!ReadVariable(name, text))
        return;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (end != text.c_str() && *end == '\0')
        number = value;
}

} // namespace

Settings Settings::FromEnvironment()
{
    Settings settings;
    if (!ReadVariable(kLogVariable, settings.logPath))
        settings.logPath = DefaultLogPath();
    ReadNumber(kWaitVariable, settings.waitMilliseconds);
    ReadNumber(kExitVariable, settings.exitCode);
    std::string window;
    settings.showWindow = ReadVariable(kWindowVariable, window) && window == "1";
    std::string spoil;
    settings.spoilBackup = ReadVariable(kSpoilBackupVariable, spoil) && spoil == "1";
    std::string stamp;
    settings.stampVersion = ReadVariable(kStampVariable, stamp) && stamp == "1";
    ReadVariable(kCrashVariable, settings.crash);
    return settings;
}

} // namespace standin
