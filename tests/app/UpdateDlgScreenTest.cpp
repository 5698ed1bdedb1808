// The main dialog for keyboard users and at the edges of mouse use: the focus
// rectangle once the keyboard is used, keys that press buttons, the hover look
// ending with the dialog's activation, and the tip of the disabled « Mettre à jour ».

#include "ButtonDriving.h"
#include "CWinApp.h"
#include "MessageBoxSpy.h"
#include "SuiteFixture.h"
#include "UpdateDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Pixels of row `y` that differ between two paints of the same button, counted
// from x = `from` to x < `to`.
int RowDifferences(const PixelCanvas& a, const PixelCanvas& b, int y, int from, int to)
{
    int count = 0;
    for (int x = from; x < to; ++x)
        count += a.Pixel(x, y) != b.Pixel(x, y);
    return count;
}

BOOL CALLBACK CollectShownTip(HWND window, LPARAM param)
{
    char cls[32] = "";
    ::GetClassNameA(window, cls, sizeof cls);
    if (::IsWindowVisible(window) && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The text of the tooltip of this thread shown now, in Windows-1252; "" when none
// shows within `timeoutMs` while the dialog's messages are pumped.
std::string TipShownWithin(HWND dialog, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        PumpAsModalLoop(dialog);
        std::vector<HWND> shown;
        ::EnumThreadWindows(::GetCurrentThreadId(), CollectShownTip, reinterpret_cast<LPARAM>(&shown));
        if (!shown.empty()) {
            wchar_t wide[1024] = L"";
            ::SendMessageW(shown[0], WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
            char text[1024] = "";
            ::WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            return text;
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return "";
}

class UpdateDlgScreenTest : public ::testing::Test {
protected:
    SuiteInstallations suite;
    CUpdateDlg dlg;

    void SetUp() override
    {
        suite.AddFolder("Salle A", "1, 2, 0, 0", {"Atlas"});
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(dlg.Create());
        ASSERT_FALSE(dlg.IsEnding());
        ::SetWindowPos(dlg.m_hWnd, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE);
        ::SetForegroundWindow(dlg.m_hWnd);
        ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAsModalLoop(dlg.m_hWnd);
    }

    void PostKey(HWND to, WPARAM key)
    {
        ::PostMessageA(to, WM_KEYDOWN, key, 1);
        ::PostMessageA(to, WM_KEYUP, key, 0xC0000001);
        PumpAsModalLoop(dlg.m_hWnd);
    }
};

// Focused by the mouse's side (SetFocus), a button shows no focus rectangle; a key
// that turns the keyboard cues on shows it 3 pixels inside the focused button, and
// nothing changes outside it.
TEST_F(UpdateDlgScreenTest, KeyboardCuesShowTheFocusRectangle)
{
    struct Case {
        const char* name;
        HWND start;      // focused before the key
        WPARAM key;
        bool alt;
        HWND focused;    // focused after it
    };
    const Case cases[] = {
        {"Tab from the application list", dlg.m_applicationList, VK_TAB, false, dlg.m_btnUpdate},
        {"Alt on « Terminer »", dlg.m_btnFinish, VK_MENU, true, dlg.m_btnFinish},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUpdateDlg fresh;   // the cues start hidden in every dialog
        ASSERT_TRUE(fresh.Create());
        ASSERT_FALSE(fresh.IsEnding());
        const HWND start = ::GetDlgItem(fresh.m_hWnd, ::GetDlgCtrlID(c.start));
        const HWND target = ::GetDlgItem(fresh.m_hWnd, ::GetDlgCtrlID(c.focused));
        ::SetFocus(target);
        PumpAsModalLoop(fresh.m_hWnd);
        const auto hidden = PaintOf(target);
        ::SetFocus(start);
        const UINT down = c.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        ::PostMessageA(start, down, c.key, c.alt ? 0x20000001 : 1);
        // Alt's release would open the system menu's loop; its press is what shows the cues.
        if (!c.alt)
            ::PostMessageA(start, WM_KEYUP, c.key, 0xC0000001);
        PumpAsModalLoop(fresh.m_hWnd);
        ASSERT_EQ(target, ::GetFocus());
        const auto shown = PaintOf(target);

        const SIZE size = ClientSize(target);
        // Left of the icon (at the right edge), above and below the caption.
        const int right = size.cx - 40;
        EXPECT_EQ(0, RowDifferences(*hidden, *shown, 2, 0, size.cx)) << "outside the rectangle";
        EXPECT_GE(RowDifferences(*hidden, *shown, 3, 3, right), (right - 3) / 3) << "its top edge";
        EXPECT_GE(RowDifferences(*hidden, *shown, size.cy - 4, 3, right), (right - 3) / 3) << "its bottom edge";
    }
}

// Space and Enter press the focused skinned button, Escape ends the dialog as before, and
// Tab follows the template's order through the enabled controls.
TEST_F(UpdateDlgScreenTest, KeysMoveThroughAndPressTheButtons)
{
    ::SetFocus(dlg.m_btnFinish);
    const std::vector<HWND> order = {dlg.m_applicationList, dlg.m_btnUpdate, ::GetDlgItem(dlg, IDC_STATUS),
                                     dlg.m_btnFinish};
    for (HWND next : order) {
        PostKey(::GetFocus(), VK_TAB);
        EXPECT_EQ(next, ::GetFocus()) << "control " << ::GetDlgCtrlID(next) << " after a Tab";
    }
    struct Case { const char* name; WPARAM key; };
    for (const Case& c : {Case{"Space on « Terminer »", VK_SPACE}, Case{"Enter on « Terminer »", VK_RETURN},
                          Case{"Escape", VK_ESCAPE}}) {
        SCOPED_TRACE(c.name);
        CUpdateDlg fresh;
        ASSERT_TRUE(fresh.Create());
        // Reached by Tab from the status box, as a keyboard user reaches it.
        ::SetFocus(::GetDlgItem(fresh, IDC_STATUS));
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        ::PostMessageA(::GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
        PumpAsModalLoop(fresh.m_hWnd);
        ASSERT_EQ(fresh.m_btnFinish.m_hWnd, ::GetFocus());
        ::PostMessageA(fresh.m_btnFinish, WM_KEYDOWN, c.key, 1);
        ::PostMessageA(fresh.m_btnFinish, WM_KEYUP, c.key, 0xC0000001);
        PumpAsModalLoop(fresh.m_hWnd);
        EXPECT_TRUE(fresh.IsEnding());
        EXPECT_EQ(IDCANCEL, fresh.GetResult());
    }
}

// The hover look (the raised edge) ends when the dialog loses activation, though the
// mouse has not left the button.
TEST_F(UpdateDlgScreenTest, HoverEndsWhenTheDialogLosesActivation)
{
    HWND other = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "autre", WS_POPUP | WS_VISIBLE, 600, 500, 80, 40,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    struct Case {
        const char* name;
        void (*deactivate)(HWND dialog, HWND other);
    };
    const Case cases[] = {
        {"another window activated", [](HWND, HWND o) { ::SetActiveWindow(o); }},
        {"the program left (Alt+Tab)",
         [](HWND d, HWND) { ::SendMessageA(d, WM_ACTIVATEAPP, FALSE, 0); }},
    };
    const auto normal = PaintOf(dlg.m_btnUpdate);
    // The edge's shadow side: the background there is near white, as is its light side.
    const SIZE size = ClientSize(dlg.m_btnUpdate);
    const int x = size.cx - 1, y = size.cy / 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::SetActiveWindow(dlg.m_hWnd);
        PumpAsModalLoop(dlg.m_hWnd);
        HoverOver(dlg.m_btnUpdate);
        const auto hovered = PaintOf(dlg.m_btnUpdate);
        ASSERT_NE(normal->Pixel(x, y), hovered->Pixel(x, y)) << "no hover edge to begin with";
        c.deactivate(dlg.m_hWnd, other);
        const auto after = PaintOf(dlg.m_btnUpdate);
        EXPECT_EQ(ColorName(normal->Pixel(x, y)), ColorName(after->Pixel(x, y)));
    }
    ::SetCursorPos(0, 0);
    ::DestroyWindow(other);
}

void RecordBlockedReason(HWND, void* context)
{
    // At the first box (the notice before the update), while the procedure runs.
    auto* self = static_cast<std::pair<CUpdateDlg*, std::string>*>(context);
    if (self->second.empty())
        self->second = static_cast<const char*>(self->first->m_btnUpdate.GetDisabledTipText());
}

// The disabled « Mettre à jour » says why under the mouse: no folder yet, or the
// update stopped on an error; while the update runs, its reason is set too.
TEST_F(UpdateDlgScreenTest, DisabledUpdateButtonTellsWhyInItsTip)
{
    const std::string noFolder = "Aucun dossier \xE0 mettre \xE0 jour pour l'instant.";
    const std::string running = "Une mise \xE0 jour est en cours.";
    const std::string stopped = "La mise \xE0 jour s'est arr\xEAt\xE9" "e sur une erreur.";
    struct Case {
        const char* name;
        bool update;   // run the update (it fails: no installer beside the test program)
        std::string tip;
    };
    const Case cases[] = {{"before any update", false, noFolder}, {"after a failed update", true, stopped}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUpdateDlg fresh;
        ASSERT_TRUE(fresh.Create());
        ::SetWindowPos(fresh.m_hWnd, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE);
        ::SetForegroundWindow(fresh.m_hWnd);
        if (c.update) {
            CWinApp app;
            app.m_pMainWnd = &fresh;
            MessageBoxSpy spy(IDOK);
            std::pair<CUpdateDlg*, std::string> seen(&fresh, "");
            spy.OnEachBox(RecordBlockedReason, &seen);
            fresh.OnUpdate();
            app.m_pMainWnd = nullptr;
            ASSERT_FALSE(spy.boxes().empty());
            EXPECT_EQ(running, seen.second) << "during the update";
        } else {
            fresh.m_btnUpdate.EnableWindow(FALSE);
        }
        ASSERT_FALSE(fresh.m_btnUpdate.IsWindowEnabled());
        PumpAsModalLoop(fresh.m_hWnd);

        // The mouse over the disabled button: its messages go to the dialog.
        RECT area;
        ::GetWindowRect(fresh.m_btnUpdate, &area);
        const POINT middle = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        ::SetCursorPos(middle.x, middle.y);
        POINT client = middle;
        ::ScreenToClient(fresh.m_hWnd, &client);
        ::PostMessageA(fresh.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        EXPECT_EQ(c.tip, TipShownWithin(fresh.m_hWnd, 3000));
        ::SetCursorPos(0, 0);
    }
}

} // namespace
