#pragma once
// The system's own words for a Win32 error code, for error boxes and the run log.

#include "CString.h"

#include <windows.h>

// The system's own text for a Win32 error code (FormatMessage, the user's language),
// one line, trailing blanks and line ends removed, e.g. "Espace insuffisant sur le disque."
// A run of blanks and line breaks inside the text becomes one blank. For a code the system has no text
// for: "erreur système N" (N in decimal).
CString SystemErrorText(DWORD error);
