#pragma once
// Progress shown on a window's taskbar button, where the system's taskbar offers it
// (Windows 7 and later). Elsewhere, or when the taskbar cannot be reached, every
// call does nothing: the progress is a courtesy, never a reason to fail.

#include <windows.h>

struct ITaskbarList3;

class CTaskbarProgress {
public:
    CTaskbarProgress() = default;
    ~CTaskbarProgress();
    CTaskbarProgress(const CTaskbarProgress&) = delete;
    CTaskbarProgress& operator=(const CTaskbarProgress&) = delete;

    // Shows `done` of `total` on `window`'s button. The taskbar is reached on the
    // first call only (COM on this thread, loaded at run time).
    void Show(HWND window, ULONGLONG done, ULONGLONG total);
    // Takes the progress off the button shown last.
    void Clear();

private:
    bool Reach();

    HMODULE m_ole = nullptr;
    bool m_tried = false;
    bool m_comStarted = false;
    ITaskbarList3* m_list = nullptr;
    HWND m_window = nullptr;
};
