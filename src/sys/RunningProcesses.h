#pragma once
// Which running programs were started from a folder: files of a running program are
// locked, so an update over them would fail half-way.

#include "CStringArray.h"

// Appends to `images` the full path of the executable of every running process other
// than the caller whose executable lies inside `folder` or below it. Paths are compared
// in the folder's normal form (NormalFolderPath, FileQueries.h) without regard to case,
// and only at a separator ("C:\Suite" does not hold "C:\Suite2\x.exe"). Short (8.3)
// forms of existing folders and images are compared in their long form. A path the
// ANSI code page cannot hold is given with '?' for what it lacks (AnsiShownName).
// Processes whose image cannot be read are passed over. False (images untouched) when
// the process list cannot be taken at all; an empty folder holds nothing.
bool FindProcessesInFolder(const char* folder, CStringArray& images);
