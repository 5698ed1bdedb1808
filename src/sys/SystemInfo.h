#pragma once
// Facts about the computer and the programs on it, for the first lines of the run log.

#include "CString.h"

CString ComputerName();          // GetComputerNameA, "" when unknown
CString UserName();              // GetUserNameA, "" when unknown
// e.g. "Windows 10.0 (build 19045)", or "Windows 6.1 (build 7601, Service Pack 1)",
// from RtlGetVersion: GetVersionEx answers what the program's manifest declares it
// supports, not what runs. "Windows" alone when the version cannot be read.
CString WindowsVersionText();
// "FileVersion" string of a file's version resource (its first translation), "" when none.
CString ModuleFileVersion(const char* path);
