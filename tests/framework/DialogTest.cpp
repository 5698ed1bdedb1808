// Dialogs: modal loop and its end, initialisation, data exchange, and the
// framework's message box.

#include "AfxMessageBox.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CWinApp.h"
#include "Controls.h"
#include "MessageBoxSpy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kTemplate = 200;
constexpr int kEdit = 300;
constexpr int kAction = 301;

std::vector<std::string> g_seen;

// An edit that sees the modal loop's messages before its dialog does.
class KeyEdit : public CWnd {
public:
    bool m_keepsEscape = false;
    BOOL BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN || msg->wParam != VK_ESCAPE)
            return FALSE;
        g_seen.push_back("edit");
        return m_keepsEscape;
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(kTemplate) {}
    CString m_text = "d\xE9part";
    KeyEdit m_edit;
    bool m_endInInit = false;
    bool m_sawShow = false;
    bool m_sawDestroy = false;
    std::vector<UINT> m_preTranslated;
    std::vector<std::string> m_log;

    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, kEdit, m_edit);
        DDX_Text(pDX, kEdit, m_text);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_endInInit)
            EndDialog(42);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            m_preTranslated.push_back(static_cast<UINT>(msg->wParam));
            g_seen.push_back("dialog");
        }
        return CDialog::PreTranslateMessage(msg);
    }
    void OnAction() { m_log.push_back("action"); EndDialog(7); }
    LRESULT OnShowWindow(WPARAM shown, LPARAM) { if (shown) m_sawShow = true; return Default(); }
    LRESULT OnDestroy(WPARAM, LPARAM) { m_sawDestroy = true; return Default(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_BN_CLICKED(kAction, OnAction)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

// Posts `messages` to the dialog as soon as its modal loop runs.
struct PostOnIdle {
    static TestDialog* dialog;
    static std::vector<MSG> messages;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        for (MSG m : messages) {
            HWND target = m.hwnd ? m.hwnd : dialog->m_hWnd;
            if (m.message == WM_KEYDOWN)
                target = ::GetDlgItem(dialog->m_hWnd, kEdit);
            if (m.message == WM_COMMAND)   // as the button itself sends it
                m.lParam = reinterpret_cast<LPARAM>(::GetDlgItem(dialog->m_hWnd, LOWORD(m.wParam)));
            ::PostMessageA(target, m.message, m.wParam, m.lParam);
        }
    }
};
TestDialog* PostOnIdle::dialog = nullptr;
std::vector<MSG> PostOnIdle::messages;

INT_PTR RunWith(TestDialog& dlg, std::vector<MSG> messages)
{
    PostOnIdle::dialog = &dlg;
    PostOnIdle::messages = std::move(messages);
    ::SetTimer(nullptr, 0, 50, &PostOnIdle::Fire);
    return dlg.DoModal();
}

TEST(DialogTest, ModalLoopEndsWithTheResultOfEachWayOut)
{
    {
        SCOPED_TRACE("Terminer-style cancel button");
        TestDialog dlg;
        EXPECT_EQ(IDCANCEL, RunWith(dlg, {MSG{nullptr, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0, 0, {}}}));
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        EXPECT_TRUE(dlg.m_sawDestroy) << "WM_DESTROY reached the map";
    }
    {
        SCOPED_TRACE("close box");
        TestDialog dlg;
        EXPECT_EQ(IDCANCEL, RunWith(dlg, {MSG{nullptr, WM_CLOSE, 0, 0, 0, {}}}));
    }
    {
        SCOPED_TRACE("Escape goes through PreTranslateMessage, then IsDialogMessage");
        TestDialog dlg;
        EXPECT_EQ(IDCANCEL, RunWith(dlg, {MSG{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}}}));
        EXPECT_EQ(std::vector<UINT>{VK_ESCAPE}, dlg.m_preTranslated);
    }
    {
        SCOPED_TRACE("a button of the derived map");
        TestDialog dlg;
        EXPECT_EQ(7, RunWith(dlg, {MSG{nullptr, WM_COMMAND, MAKEWPARAM(kAction, BN_CLICKED), 0, 0, {}}}));
        EXPECT_EQ(std::vector<std::string>{"action"}, dlg.m_log);
    }
}

TEST(DialogTest, TheWindowAMessageIsForAndItsParentsPreTranslateItInTurn)
{
    for (bool keeps : {false, true}) {
        SCOPED_TRACE(keeps ? "the edit keeps Escape" : "the edit lets Escape pass");
        TestDialog dlg;
        dlg.m_edit.m_keepsEscape = keeps;
        g_seen.clear();
        // Escape ends the dialog unless the edit keeps it; the action button ends it then.
        EXPECT_EQ(keeps ? 7 : IDCANCEL,
                  RunWith(dlg, {MSG{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}},
                                MSG{nullptr, WM_COMMAND, MAKEWPARAM(kAction, BN_CLICKED), 0, 0, {}}}));
        const std::vector<std::string> expected =
            keeps ? std::vector<std::string>{"edit"} : std::vector<std::string>{"edit", "dialog"};
        EXPECT_EQ(expected, g_seen);
    }
}

TEST(DialogTest, OkReadsTheControlsBackBeforeEnding)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(std::string("d\xE9part"), std::string(dlg.m_edit.GetWindowText()));
    ::SetWindowTextA(dlg.m_edit, "arriv\xE9" "e");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDOK)));
    EXPECT_TRUE(dlg.IsEnding());
    EXPECT_EQ(IDOK, dlg.GetResult());
    EXPECT_EQ(std::string("arriv\xE9" "e"), std::string(dlg.m_text));
}

TEST(DialogTest, DialogEndedDuringInitialisationIsNeverShown)
{
    TestDialog dlg;
    dlg.m_endInInit = true;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_FALSE(dlg.m_sawShow);
}

TEST(DialogTest, UnplacedDialogIsCentredOnTheScreen)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    RECT window, area;
    ::GetWindowRect(dlg.m_hWnd, &window);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int dx = (window.left - area.left) - (area.right - window.right);
    const int dy = (window.top - area.top) - (area.bottom - window.bottom);
    EXPECT_LE(std::abs(dx), 1) << window.left << "," << window.right;
    EXPECT_LE(std::abs(dy), 1) << window.top << "," << window.bottom;
}

TEST(AfxMessageBoxTest, CaptionIsTheExecutableNameAndOkGetsTheExclamationIcon)
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = std::strrchr(path, '\\') + 1;
    name = name.substr(0, name.rfind('.'));

    MessageBoxSpy spy(IDOK);
    EXPECT_EQ(IDOK, AfxMessageBox("Erreur : 3"));
    EXPECT_EQ(IDOK, AfxMessageBox("info", MB_OK | MB_ICONINFORMATION));
    ASSERT_EQ(2u, spy.boxes().size());
    EXPECT_EQ(name, spy.boxes()[0].caption);
    EXPECT_EQ("Erreur : 3", spy.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), spy.boxes()[0].icon);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), spy.boxes()[1].icon);
}

TEST(CWinAppTest, HelpFileIsTheExecutableWithHlpExtension)
{
    CWinApp app;
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string expected(path);
    expected = expected.substr(0, expected.rfind('.')) + ".HLP";
    EXPECT_EQ(expected, std::string(app.m_pszHelpFilePath));
    EXPECT_EQ(&app, AfxGetApp());
}

} // namespace
