#pragma once
// The small window the stand-in shows while it "installs", for the demo: one line
// saying that an installation is running and one with the command line received.

#include <windows.h>
#include <string>

namespace standin {

class ProgressWindow {
public:
    // Creates and shows the window; when that fails the object is empty and
    // Wait still waits.
    ProgressWindow(HINSTANCE instance, const std::string& commandLine);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Keeps the window painted for `milliseconds`, dispatching this thread's
    // messages as they arrive.
    void Wait(unsigned long milliseconds);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window;
};

} // namespace standin
