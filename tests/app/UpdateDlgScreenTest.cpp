// The main dialog for keyboard users and at the edges of mouse use: the focus
// rectangle once the keyboard is used, keys that press the buttons, the hover look
// ending with the dialog's activation, and the tip of the disabled « Mettre à jour ».

#include "ButtonDriving.h"
#include "CWinApp.h"
#include "MessageBoxSpy.h"
#include "SuiteFixture.h"
#include "UpdateDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class UpdateDlgScreenTest : public ::testing::Test {
protected:
    SuiteInstallations suite;

    void SetUp() override { suite.AddFolder("Salle A", "1, 2, 0, 0", {"Atlas"}); }

    // A new dialog, at the front and away from other tests' windows.
    std::unique_ptr<CUpdateDlg> Open()
    {
        ::SetCursorPos(0, 0);
        auto dlg = std::make_unique<CUpdateDlg>();
        EXPECT_TRUE(dlg->Create());
        ::SetWindowPos(*dlg, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE);
        ::SetForegroundWindow(*dlg);
        PumpAsModalLoop(*dlg);
        return dlg;
    }
    // A key pressed on the focused control, through the dialog's message loop; Alt
    // only goes down (its release would open the system menu's loop).
    static void Press(HWND dialog, WPARAM key)
    {
        HWND focus = ::GetFocus();
        if (key == VK_MENU) {
            ::PostMessageA(focus, WM_SYSKEYDOWN, key, 0x20000001);
        } else {
            ::PostMessageA(focus, WM_KEYDOWN, key, 1);
            ::PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        }
        PumpAsModalLoop(dialog);
    }
};

// Given the focus by the program (as after a click), a button shows no focus
// rectangle; once a key turns the keyboard cues on, the focused button shows it
// 3 pixels inside its edge, and nothing changes outside it.
TEST_F(UpdateDlgScreenTest, KeyboardCuesShowTheFocusRectangle)
{
    struct Case { const char* name; int start; WPARAM key; int focused; };
    const Case cases[] = {{"Tab from the application list", IDC_APPLICATIONS, VK_TAB, IDC_UPDATE},
                          {"Alt on « Terminer »", IDCANCEL, VK_MENU, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dlg = Open();   // the cues start hidden in every dialog
        HWND target = dlg->GetDlgItem(c.focused);
        ::SetFocus(target);
        const auto hidden = PaintOf(target);
        ::SetFocus(dlg->GetDlgItem(c.start));
        Press(*dlg, c.key);
        ASSERT_EQ(target, ::GetFocus());
        const auto shown = PaintOf(target);
        // Left of the icon at the right edge: row 2 is outside, rows 3 and H - 4 the edges.
        const SIZE size = ClientSize(target);
        int changed[3] = {0, 0, 0};
        const int rows[3] = {2, 3, size.cy - 4};
        for (int i = 0; i < 3; ++i)
            for (int x = 3; x < size.cx - 40; ++x)
                changed[i] += hidden->Pixel(x, rows[i]) != shown->Pixel(x, rows[i]);
        EXPECT_EQ(0, changed[0]) << "outside the rectangle";
        EXPECT_GE(changed[1], (size.cx - 43) / 3) << "its top edge";
        EXPECT_GE(changed[2], (size.cx - 43) / 3) << "its bottom edge";
    }
}

// Tab follows the template's order through the enabled controls; on a button
// reached so, Space and Enter press it; Escape ends the dialog as before.
TEST_F(UpdateDlgScreenTest, KeysMoveThroughAndPressTheButtons)
{
    auto dlg = Open();
    ::SetFocus(dlg->m_btnFinish);
    for (int next : {IDC_APPLICATIONS, IDC_UPDATE, IDC_STATUS, IDCANCEL}) {
        Press(*dlg, VK_TAB);
        EXPECT_EQ(dlg->GetDlgItem(next), ::GetFocus()) << "control " << next << " after a Tab";
    }
    for (WPARAM key : {VK_SPACE, VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(testing::Message() << "key " << key << " on « Terminer »");
        auto fresh = Open();
        ::SetFocus(fresh->GetDlgItem(IDC_STATUS));
        Press(*fresh, VK_TAB);
        ASSERT_EQ(fresh->m_btnFinish.m_hWnd, ::GetFocus());
        Press(*fresh, key);
        EXPECT_TRUE(fresh->IsEnding());
        EXPECT_EQ(IDCANCEL, fresh->GetResult());
    }
}

// The hover look (the raised edge; its shadow side, at the right, stands out from
// the near-white background) ends when the dialog loses activation, though the mouse
// has not left the button.
TEST_F(UpdateDlgScreenTest, HoverEndsWhenTheDialogLosesActivation)
{
    auto dlg = Open();
    HWND other = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "autre", WS_POPUP | WS_VISIBLE, 600, 500, 80, 40,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    const SIZE size = ClientSize(dlg->m_btnUpdate);
    const int x = size.cx - 1, y = size.cy / 2;
    const COLORREF normal = PaintOf(dlg->m_btnUpdate)->Pixel(x, y);
    for (bool application : {false, true}) {
        SCOPED_TRACE(application ? "the program left (Alt+Tab)" : "another window of it activated");
        ::SetActiveWindow(*dlg);
        HoverOver(dlg->m_btnUpdate);
        ASSERT_NE(normal, PaintOf(dlg->m_btnUpdate)->Pixel(x, y)) << "no hover edge to begin with";
        if (application)
            dlg->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
        else
            ::SetActiveWindow(other);
        EXPECT_EQ(ColorName(normal), ColorName(PaintOf(dlg->m_btnUpdate)->Pixel(x, y)));
    }
    ::SetCursorPos(0, 0);
    ::DestroyWindow(other);
}

BOOL CALLBACK FindShownTip(HWND window, LPARAM found)
{
    char cls[32] = "";
    ::GetClassNameA(window, cls, sizeof cls);
    if (::IsWindowVisible(window) && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

// The text of a tooltip of this thread once one shows (within 3 s); "" if none does.
std::string ShownTip(HWND dialog)
{
    for (int i = 0; i < 150; ++i, ::Sleep(20)) {
        PumpAsModalLoop(dialog);
        HWND tip = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindShownTip, reinterpret_cast<LPARAM>(&tip));
        if (tip) {
            wchar_t wide[1024] = L"";
            char text[1024] = "";
            ::SendMessageW(tip, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
            ::WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            return text;
        }
    }
    return "";
}

void RecordReasonAtTheFirstBox(HWND, void* context)
{
    auto* seen = static_cast<std::pair<CUpdateDlg*, std::string>*>(context);
    if (seen->second.empty())
        seen->second = static_cast<const char*>(seen->first->m_btnUpdate.GetDisabledTipText());
}

// Under the mouse, the disabled « Mettre à jour » says why: no folder yet, or the
// update stopped on an error. While the update runs (the whole dialog is disabled
// then, so no tip can show), the reason is that one.
TEST_F(UpdateDlgScreenTest, DisabledUpdateButtonTellsWhyInItsTip)
{
    struct Case { bool update; const char* tip; };
    const Case cases[] = {{false, "Aucun dossier \xE0 mettre \xE0 jour pour l'instant."},
                          {true, "La mise \xE0 jour s'est arr\xEAt\xE9" "e sur une erreur."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.update ? "after a failed update" : "before any update");
        auto dlg = Open();
        if (c.update) {
            CWinApp app;   // no installer beside the test program: the update fails
            app.m_pMainWnd = dlg.get();
            MessageBoxSpy spy(IDOK);
            std::pair<CUpdateDlg*, std::string> seen(dlg.get(), "");
            spy.OnEachBox(RecordReasonAtTheFirstBox, &seen);
            dlg->OnUpdate();
            app.m_pMainWnd = nullptr;
            EXPECT_EQ("Une mise \xE0 jour est en cours.", seen.second) << "during the update";
        } else {
            dlg->m_btnUpdate.EnableWindow(FALSE);
        }
        ASSERT_FALSE(dlg->m_btnUpdate.IsWindowEnabled());
        // The mouse over the disabled button: its messages go to the dialog.
        RECT area;
        ::GetWindowRect(dlg->m_btnUpdate, &area);
        POINT middle = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        ::SetCursorPos(middle.x, middle.y);
        ::ScreenToClient(*dlg, &middle);
        dlg->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
        EXPECT_EQ(c.tip, ShownTip(*dlg));
        ::SetCursorPos(0, 0);
    }
}

} // namespace
