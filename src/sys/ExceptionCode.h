#pragma once
// What the exit code of a process that died of an exception says: Windows ends such a
// process with the exception's code, 0xC0000000 and above.

#include "CString.h"

#include <windows.h>

// True for the codes of the system's error exceptions (0xC0000000 and above).
bool IsExceptionCode(DWORD code);
// The code as Windows writes it, with a word on what it means:
// "0xC0000005 (violation d'accès)". A code the table does not know has only
// "(exception)".
CString ExceptionCodeText(DWORD code);
