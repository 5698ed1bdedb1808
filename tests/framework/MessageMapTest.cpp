// Message maps, their chaining to the base class, reflection of notifications to the
// control that sent them, and default processing.

#include "CBrush.h"
#include "CWaitCursor.h"
#include "Controls.h"
#include "PixelCanvas.h"

#include <gtest/gtest.h>

#include <memory>
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

// Buttons that see their own clicks first, like the skinned buttons: the base class
// and the derived one each have a line for the reflected click.
class BaseReflectingButton : public CButton {
public:
    BOOL m_baseKeeps = FALSE;
    BOOL BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    BOOL OnBaseReflectedClick() { g_log.push_back("base button saw click"); return m_baseKeeps; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnBaseReflectedClick)
END_MESSAGE_MAP()

class ReflectingButton : public BaseReflectingButton {
public:
    BOOL m_keep = FALSE;
    HWND m_preSubclassed = nullptr;
    WNDPROC m_procBeforeSubclass = nullptr;
    std::vector<UINT> m_drawn;
    HBRUSH m_brush = nullptr;
    UINT m_ctlColor = 0xdeadbeef;

    BOOL OnReflectedClick() { g_log.push_back("button saw click"); return m_keep; }
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        m_drawn.push_back(item->itemAction);
        CDC dc(item->hDC);
        dc.FillSolidRect(item->rcItem, RGB(0, 128, 255));
    }
    HBRUSH CtlColor(CDC* dc, UINT ctlColor)
    {
        m_ctlColor = ctlColor;
        if (m_brush)
            dc->SetTextColor(RGB(128, 64, 64));
        return m_brush;
    }
    BOOL OnSetCursor(HWND, UINT, UINT)
    {
        g_log.push_back("button set its cursor");
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    }

protected:
    void PreSubclassWindow() override
    {
        m_preSubclassed = m_hWnd;
        m_procBeforeSubclass = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
        ModifyStyle(0x1F, BS_OWNERDRAW);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, BaseReflectingButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
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

    struct Case {
        BOOL keep, baseKeeps;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {TRUE, FALSE, {"button saw click"}},
        {FALSE, TRUE, {"button saw click", "base button saw click"}},
        {FALSE, FALSE, {"button saw click", "base button saw click", "parent clicked"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "button keeps " << c.keep << ", its base keeps " << c.baseKeeps);
        button.m_keep = c.keep;
        button.m_baseKeeps = c.baseKeeps;
        g_log.clear();
        ::SendMessageA(w.button, BM_CLICK, 0, 0);
        EXPECT_EQ(c.expected, g_log);
    }

    // Messages of the application's own ranges are never taken for reflected ones:
    // 0xBD11 was once the reflected BN_CLICKED.
    g_log.clear();
    for (UINT message : {0xBC00u + WM_COMMAND, static_cast<UINT>(WM_APP), 0x2000u + WM_COMMAND})
        ::SendMessageA(w.button, message, MAKEWPARAM(501, BN_CLICKED), reinterpret_cast<LPARAM>(w.button));
    EXPECT_EQ(std::vector<std::string>{}, g_log);
}

TEST(MessageMapTest, PreSubclassWindowRunsBeforeTheFirstMessageWithTheHandleSet)
{
    Windows w;
    ReflectingButton button;
    const auto systemProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(w.button, GWLP_WNDPROC));
    ASSERT_TRUE(button.BindDlgItem(w.button));
    EXPECT_EQ(w.button, button.m_preSubclassed);
    EXPECT_EQ(systemProc, button.m_procBeforeSubclass) << "called before the procedure was replaced";
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & 0x1F);
}

TEST(MessageMapTest, DrawItemAndCtlColorAreReflectedToTheControl)
{
    Windows w;
    DerivedWindow parent;
    ReflectingButton button;
    ASSERT_TRUE(parent.SubclassWindow(w.parent));
    ASSERT_TRUE(button.BindDlgItem(w.button));
    PixelCanvas canvas(20, 10);
    ASSERT_TRUE(canvas.ok());

    // What the button itself sends its parent when it must be drawn.
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 501;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = w.button;
    item.hDC = canvas.dc();
    item.rcItem = CRect(2, 2, 12, 8);
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, 501, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::vector<UINT>{ODA_DRAWENTIRE}, button.m_drawn);
    EXPECT_EQ(ColorName(RGB(0, 128, 255)), ColorName(canvas.Pixel(2, 2)));
    EXPECT_EQ(ColorName(RGB(0, 128, 255)), ColorName(canvas.Pixel(11, 7)));
    EXPECT_EQ(ColorName(PixelCanvas::kSentinel), ColorName(canvas.Pixel(12, 8)));
    item.CtlType = ODT_MENU;   // a menu item is no control of its own
    parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(1u, button.m_drawn.size());

    CBrush brush(RGB(1, 2, 3));
    for (HBRUSH given : {static_cast<HBRUSH>(brush), static_cast<HBRUSH>(nullptr)}) {
        SCOPED_TRACE(given ? "the button chooses the brush" : "the button leaves the choice to the parent");
        ::SetTextColor(canvas.dc(), RGB(0, 0, 0));
        button.m_brush = given;
        const LRESULT answer = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(canvas.dc()),
                                                  reinterpret_cast<LPARAM>(w.button));
        EXPECT_EQ(static_cast<UINT>(CTLCOLOR_BTN), button.m_ctlColor);
        if (given) {
            EXPECT_EQ(reinterpret_cast<LRESULT>(given), answer);
            EXPECT_EQ(ColorName(RGB(128, 64, 64)), ColorName(::GetTextColor(canvas.dc())));
        } else {
            EXPECT_NE(0, answer) << "the parent's own default brush";
            EXPECT_NE(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(brush)), answer);
        }
    }
}

TEST(MessageMapTest, TheHourglassWinsOverAControlsOwnCursorWhileWaiting)
{
    Windows w;
    ReflectingButton button;
    ASSERT_TRUE(button.BindDlgItem(w.button));
    for (bool waiting : {false, true}) {
        SCOPED_TRACE(waiting ? "during a wait" : "no wait");
        std::unique_ptr<CWaitCursor> wait(waiting ? new CWaitCursor : nullptr);
        g_log.clear();
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_EQ(TRUE, button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.button),
                                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::LoadCursorA(nullptr, waiting ? IDC_WAIT : IDC_HAND), ::GetCursor());
        const std::vector<std::string> expected =
            waiting ? std::vector<std::string>{} : std::vector<std::string>{"button set its cursor"};
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
