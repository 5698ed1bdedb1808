#pragma once
// Records and answers every message box the test's own thread opens, so in-process
// tests can check a box's caption, text and icon without a second process.

#include <windows.h>

#include <string>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text;
    UINT icon;   // MB_ICONINFORMATION, MB_ICONEXCLAMATION, MB_ICONSTOP or 0, read off the box
    bool cancel; // the box offers a Cancel button
};

class MessageBoxSpy {
public:
    // Each box is answered with `answer` (a button id) as soon as it is activated.
    explicit MessageBoxSpy(int answer = IDOK);
    ~MessageBoxSpy();
    MessageBoxSpy(const MessageBoxSpy&) = delete;
    MessageBoxSpy& operator=(const MessageBoxSpy&) = delete;

    const std::vector<SeenBox>& boxes() const { return m_boxes; }
    // Runs `hook` inside each box's activation, before it is answered (to look at the
    // state of other windows while the box is up).
    void OnEachBox(void (*hook)(HWND box, void* context), void* context) { m_hook = hook; m_context = context; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook_handle;
    int m_answer;
    std::vector<SeenBox> m_boxes;
    void (*m_hook)(HWND, void*) = nullptr;
    void* m_context = nullptr;
    HWND m_lastBox = nullptr;
};

// The icon kind a message box shows, recognised by comparing its icon with the
// system's own icons.
UINT IconKindOfBox(HWND box);
