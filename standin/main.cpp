// A stand-in for the suite's installer, "_install.exe", for the tests and the
// demo. It does what the updater relies on and no more: it accepts the removal
// and reinstall command lines, reads the two hand-over blocks by name while they
// exist, and ends. Everything it saw goes to a log that the tests read back
// (format in StandinLog.h); how long it runs, its exit code, whether it shows
// a window and whether it leaves the folder at version 1.3 come from environment
// variables, never from the updater.

#include "LogAppend.h"
#include "NamedBlock.h"
#include "ProgressWindow.h"
#include "Settings.h"
#include "StandinLog.h"
#include "CKernelHandle.h"
#include "SuiteVersionStamp.h"

#include <windows.h>

using namespace standin;

namespace {

std::string CurrentDirectory()
{
    char buffer[MAX_PATH * 2] = "";
    const DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::string ModulePath()
{
    char buffer[MAX_PATH * 2] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

// Replaces the updater's copy of the installer by text that is no program.
void SpoilBackup()
{
    CKernelHandle file(::CreateFileA(".\\_install.bak", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    static const char text[] = "ceci n'est plus un programme";
    DWORD written = 0;
    if (file.IsValid())
        ::WriteFile(file.GetSafeHandle(), text, sizeof text - 1, &written, nullptr);
}

bool CrashesThisRun(const std::string& crash, Mode mode)
{
    return crash == "1" || (crash == "removal" && mode == Mode::Removal) ||
           (crash == "reinstall" && mode == Mode::Reinstall);
}

// No debugger and no box for the crash the test asked for: the process just ends
// with the exception's code, as a crashed installer does on a PC nobody watches.
LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

void Crash()
{
    ::SetErrorMode(::SetErrorMode(0) | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(&EndWithExceptionCode);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

Run Observe(const Settings& settings)
{
    Run run;
    run.processId = ::GetCurrentProcessId();
    // The starter passes the program separately as the application name, so the
    // command line is only the arguments, beginning with a blank.
    run.commandLine = ::GetCommandLineA();
    run.mode = ClassifyCommandLine(run.commandLine, run.argument);
    run.currentDirectory = CurrentDirectory();
    run.modulePath = ModulePath();
    run.info = ReadNamedBlock(kInfoBlockName, kInfoBlockSize);
    run.code = ReadNamedBlock(kCodeBlockName, kCodeBlockSize);
    run.exitCode = settings.exitCode;
    run.waitMilliseconds = settings.waitMilliseconds;
    return run;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        const Settings settings = Settings::FromEnvironment();
        const Run run = Observe(settings);
        // Written before the wait, so that a run the test kills is on record too.
        AppendToLog(settings.logPath, FormatRunSection(run));
        if (settings.spoilBackup && run.mode == Mode::Removal)
            SpoilBackup();
        if (CrashesThisRun(settings.crash, run.mode))
            Crash();
        if (settings.showWindow) {
            ProgressWindow window(instance, run.commandLine);
            window.Wait(settings.waitMilliseconds);
        } else if (settings.waitMilliseconds > 0) {
            ::Sleep(settings.waitMilliseconds);
        }
        // Last, as an installer writes its files during its run.
        if (settings.stampVersion && run.mode == Mode::Reinstall)
            StampSuiteVersion(".\\Kerbanista.exe");
        AppendToLog(settings.logPath, FormatDoneSection(run.processId));
        return static_cast<int>(settings.exitCode);
    } catch (...) {
        return 255;
    }
}
