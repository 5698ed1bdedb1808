// A C++ exception that reaches the framework: it never unwinds through the system,
// and the application hears of it, from a window's handler as from its start.

#include "CWinApp.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class RecordingApp : public CWinApp {
public:
    std::vector<UINT> faults;
    bool throwOnStart = false;
    BOOL InitInstance() override
    {
        if (throwOnStart)
            throw std::runtime_error("start");
        return FALSE;
    }
    int ExitInstance() override { return 42; }
    void ProcessWndProcException(UINT message) override { faults.push_back(message); }
    int ProcessStartupException() override { return 1603; }
};

class ThrowingWindow : public CWnd {
public:
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler"); }
    LRESULT OnAnswer(WPARAM, LPARAM) { return 5; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingWindow, CWnd)
    ON_MESSAGE(WM_APP + 7, OnThrow)
    ON_MESSAGE(WM_APP + 8, OnAnswer)
END_MESSAGE_MAP()

TEST(FaultTest, ThrowInAHandlerIsHandledAndReportedToTheApplication)
{
    RecordingApp app;
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "faults", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hwnd);
    ThrowingWindow window;
    ASSERT_TRUE(window.SubclassWindow(hwnd));
    EXPECT_EQ(0, ::SendMessageA(hwnd, WM_APP + 7, 0, 0));
    EXPECT_EQ(std::vector<UINT>{WM_APP + 7}, app.faults);
    // The window goes on answering, and a handler that does not throw reports nothing.
    EXPECT_EQ(5, ::SendMessageA(hwnd, WM_APP + 8, 0, 0));
    EXPECT_EQ(std::vector<UINT>{WM_APP + 7}, app.faults);
    window.UnsubclassWindow();
    ::DestroyWindow(hwnd);
}

TEST(FaultTest, ThrowFromTheStartGivesTheApplicationsExitCode)
{
    struct Case {
        bool throwOnStart;
        int code;
    };
    for (const Case c : {Case{false, 42}, Case{true, 1603}}) {
        RecordingApp app;
        app.throwOnStart = c.throwOnStart;
        EXPECT_EQ(c.code, AfxWinMain(::GetModuleHandleA(nullptr))) << "throw on start: " << c.throwOnStart;
    }
}

} // namespace
