#pragma once
// What a link button opens when clicked: a web address or a file, by the shell.

// Opens `link` with the shell's "open" verb, maximised, showing no box of the
// shell's own when that fails; a failure is otherwise silent. shell32 is loaded
// from the system folder at the first link opened, not at the program's start.
void OpenButtonLink(const char* link);
