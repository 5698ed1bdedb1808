#include "ProgressWindow.h"

namespace standin {

namespace {

const char kClassName[] = "MiseAJourInstallerStandin";
const int kClientWidth = 440;
const int kClientHeight = 76;

HWND AddLabel(HWND parent, HINSTANCE instance, const char* text, int top)
{
    HWND label = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
                                   12, top, kClientWidth - 24, 20, parent, nullptr, instance, nullptr);
    if (label)
        ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return label;
}

} // namespace

ProgressWindow::ProgressWindow(HINSTANCE instance, const std::string& commandLine)
    : m_window(nullptr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_WAIT);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION;
    RECT frame = { 0, 0, kClientWidth, kClientHeight };
    ::AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    m_window = ::CreateWindowExA(0, kClassName, "Installation", style, x, y, width, height,
                                 nullptr, nullptr, instance, nullptr);
    if (!m_window)
        return;
    AddLabel(m_window, instance, "Installation en cours…", 14);
    AddLabel(m_window, instance, commandLine.c_str(), 42);
    // The starter's STARTUPINFO asks for a maximised window without the flag that
    // makes the request binding; a plain normal window is what is wanted here.
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::UpdateWindow(m_window);
}

ProgressWindow::~ProgressWindow()
{
    if (m_window)
        ::DestroyWindow(m_window);
}

void ProgressWindow::Wait(unsigned long milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

LRESULT CALLBACK ProgressWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // An installation cannot be abandoned halfway: Alt+F4 does nothing.
    if (message == WM_CLOSE)
        return 0;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace standin
