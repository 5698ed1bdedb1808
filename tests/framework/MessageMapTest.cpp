// Message maps, their chaining to the base class, reflection of notifications to the
// control that sent them, and default processing.

#include "CWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class BaseWindow : public CWnd {
public:
    void OnBaseCommand() { g_log.push_back("base 77"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
    ON_COMMAND(77, OnBaseCommand)
    ON_COMMAND(78, OnBaseCommand)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
public:
    void OnDerivedCommand() { g_log.push_back("derived 78"); }
    void OnActionClicked() { g_log.push_back("parent clicked"); }
    LRESULT OnPing(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
    ON_COMMAND(78, OnDerivedCommand)
    ON_BN_CLICKED(501, OnActionClicked)
    ON_MESSAGE(WM_APP + 1, OnPing)
END_MESSAGE_MAP()

// A button that sees its own clicks first, like the skinned buttons will.
class ReflectingButton : public CWnd {
public:
    BOOL m_keep = FALSE;
    BOOL BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    BOOL OnReflectedClick() { g_log.push_back("button saw click"); return m_keep; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

struct Windows {
    HWND parent;
    HWND button;
    Windows()
    {
        parent = ::CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        button = ::CreateWindowExA(0, "BUTTON", "Action", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 20,
                                   parent, reinterpret_cast<HMENU>(501), nullptr, nullptr);
    }
    ~Windows() { ::DestroyWindow(parent); }
};

TEST(MessageMapTest, DerivedLinesComeFirstAndTheBaseTakesTheRest)
{
    Windows w;
    DerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(w.parent));
    g_log.clear();
    window.SendMessage(WM_COMMAND, 77, 0);
    window.SendMessage(WM_COMMAND, 78, 0);
    EXPECT_EQ((std::vector<std::string>{"base 77", "derived 78"}), g_log);
    EXPECT_EQ(7, window.SendMessage(WM_APP + 1, 3, 4));
}

TEST(MessageMapTest, ReflectedClickReachesTheButtonThenTheParentUnlessKept)
{
    Windows w;
    DerivedWindow parent;
    ReflectingButton button;
    ASSERT_TRUE(parent.SubclassWindow(w.parent));
    ASSERT_TRUE(button.BindDlgItem(w.button));

    for (BOOL keep : {FALSE, TRUE}) {
        SCOPED_TRACE(keep ? "button keeps the click" : "button leaves the click");
        button.m_keep = keep;
        g_log.clear();
        ::SendMessageA(w.button, BM_CLICK, 0, 0);
        const std::vector<std::string> expected =
            keep ? std::vector<std::string>{"button saw click"}
                 : std::vector<std::string>{"button saw click", "parent clicked"};
        EXPECT_EQ(expected, g_log);
    }
}

TEST(MessageMapTest, UnhandledMessagesGetTheWindowsOwnProcessing)
{
    Windows w;
    DerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(w.parent));
    // WM_SETTEXT is no line of the map: the static control's own procedure stores it.
    window.SetWindowText("Bonjour l'\xE9t\xE9");
    EXPECT_EQ(std::string("Bonjour l'\xE9t\xE9"), std::string(window.GetWindowText()));
}

TEST(MessageMapTest, SubclassingIsUndoneWhenTheWindowGoes)
{
    DerivedWindow window;
    {
        Windows w;
        ASSERT_TRUE(window.SubclassWindow(w.parent));
        EXPECT_EQ(&window, CWnd::FromHandlePermanent(w.parent));
    }
    EXPECT_EQ(nullptr, window.m_hWnd);

    // A window can be bound to one object only.
    Windows w;
    DerivedWindow first, second;
    EXPECT_TRUE(first.SubclassWindow(w.parent));
    EXPECT_FALSE(second.SubclassWindow(w.parent));
    EXPECT_EQ(w.parent, first.UnsubclassWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(w.parent));
    EXPECT_TRUE(second.SubclassWindow(w.parent));
}

} // namespace
