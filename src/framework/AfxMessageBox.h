#pragma once
// The framework's message box: owned by the main window, captioned with the
// executable's name without its extension, and given the exclamation icon when
// the caller names no icon for an OK or OK/Cancel box.

#include <windows.h>

int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

// "MiseAJour" for C:\...\MiseAJour.exe: the caption of AfxMessageBox.
const char* AfxGetAppName();
