#pragma once
// Hands a file to the program the user chose for its kind (a page to the default
// browser), as double-clicking it in the Explorer would.

// True when the system took the file on; false when it cannot (no program for the
// kind, no shell on the computer). Nothing is shown on failure.
bool OpenWithDefaultProgram(const char* path);
