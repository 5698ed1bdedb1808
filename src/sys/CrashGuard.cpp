#include "CrashGuard.h"

namespace {

CrashReport g_report = nullptr;
UINT g_exitCode = 0;
LONG g_crashed = 0;

LONG WINAPI EndCrashedProcess(EXCEPTION_POINTERS* exception)
{
    // The first crash reports; one inside the report, or on another thread at the
    // same time, only ends the process.
    if (::InterlockedExchange(&g_crashed, 1) == 0 && g_report && exception && exception->ExceptionRecord)
        g_report(exception->ExceptionRecord->ExceptionCode, exception->ExceptionRecord->ExceptionAddress);
    ::TerminateProcess(::GetCurrentProcess(), g_exitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void EndProcessOnCrash(CrashReport report, UINT exitCode)
{
    g_report = report;
    g_exitCode = exitCode;
    ::SetErrorMode(::SetErrorMode(0) | SEM_NOGPFAULTERRORBOX);
    // The filter is asked before the system starts a debugger or shows its box.
    ::SetUnhandledExceptionFilter(&EndCrashedProcess);
}
