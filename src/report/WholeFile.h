#pragma once
// Files that other computers read while this one writes them: the record of a run
// on the room's share, the room's report. Each is replaced whole or not at all, and
// read without ever keeping its writer from replacing it.

#include <windows.h>

#include <string>

// Writes `bytes` to `path` (ANSI) whole: first to a temporary file in the same
// folder, through the system's cache to the disc, then moved over `path` in one
// step (MoveFileEx, replacing, write-through), tried again for up to 5 s while
// another program holds the old file and the move is refused. A reader that has the old file
// open keeps reading the old bytes; one that opens it afterwards reads the new.
// Returns 0, or the Win32 error of the step that failed: `path` is then left as it
// was, and the temporary file is removed.
DWORD WriteFileWhole(const char* path, const std::string& bytes);

// Reads the whole of `path` into `out`, sharing it for reading, writing and
// deletion so that a writer may replace it meanwhile. Reads at most `limit` + 1
// bytes: a longer file gives true with `out` longer than `limit`. False, with
// `out` empty, when it cannot be opened or read.
bool ReadFileShared(const char* path, size_t limit, std::string& out);
