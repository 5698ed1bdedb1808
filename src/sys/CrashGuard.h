#pragma once
// The end of a run whose own code crashed (an access violation, a stack overflow)
// when nobody is there to answer the system's error box or a debugger.

#include <windows.h>

// Told of the crash before the process ends: the exception's code and address.
// It runs in a process whose state can no longer be trusted, so it should do little.
using CrashReport = void (*)(DWORD code, const void* address);

// From now on, an exception that no handler takes ends the process at once with
// `exitCode`: no system error box, no debugger (SEM_NOGPFAULTERRORBOX as well, for
// the systems that read it), after one call of `report`. A crash within `report`
// itself ends the process with `exitCode` without a second call.
void EndProcessOnCrash(CrashReport report, UINT exitCode);
