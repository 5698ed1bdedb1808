#pragma once
// The full path of a module's file, whatever its length.

#include "CString.h"

#include <windows.h>

// The path of `module` (null: the program) in the ANSI code page; empty when the
// system cannot give it. GetModuleFileNameA truncates a path of MAX_PATH characters
// or more and, on Windows XP as under Wine, leaves it unterminated; the wide call is
// made instead, into a buffer that grows until the path fits. A share is named in its
// ordinary form, "\\serveur\logiciels\...".
CString AfxGetModuleFileName(HMODULE module = nullptr);
