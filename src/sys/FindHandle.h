#pragma once
// Owner of a FindFirstFileA/W search handle: FindClose runs when it goes out of scope.

#include <windows.h>

class CFindHandle {
public:
    // Starts the search for `pattern`; the first entry found is left in `found`.
    CFindHandle(const char* pattern, WIN32_FIND_DATAA& found);
    // The same with the wide-character calls, for names the ANSI code page cannot hold.
    CFindHandle(const wchar_t* pattern, WIN32_FIND_DATAW& found);
    ~CFindHandle();
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;

    // False when FindFirstFileA found nothing or failed.
    bool IsValid() const { return m_hFind != INVALID_HANDLE_VALUE; }
    // Moves to the next entry; false when there is none (or the search is not valid).
    bool Next(WIN32_FIND_DATAA& found);
    bool Next(WIN32_FIND_DATAW& found);

private:
    HANDLE m_hFind;
};
