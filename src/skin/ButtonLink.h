#pragma once
// What a link button opens when clicked: a web address or a file, by the shell.

#include <windows.h>

class CButtonLink {
public:
    // At most MAX_PATH - 1 characters are kept; null or "" for none.
    void Set(const char* link);
    bool IsSet() const { return m_link[0] != '\0'; }
    // Opens the link with the shell's "open" verb, maximised, showing no box of the
    // shell's own when that fails; a failure is otherwise silent. shell32 is loaded
    // from the system folder at the first link opened, not at the program's start.
    void Open() const;

private:
    char m_link[MAX_PATH] = "";
};
