#pragma once
// Shows the hourglass for its lifetime. While any CWaitCursor is alive, the
// framework's windows answer WM_SETCURSOR with the hourglass too, so moving the
// mouse does not bring the arrow back during a long operation.

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Puts the hourglass back after something (a message box) changed the cursor.
    void Restore();

    static bool IsWaiting() { return s_depth > 0; }

private:
    HCURSOR m_previous;
    static int s_depth;
};
