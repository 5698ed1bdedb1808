// The main dialog created modeless in the test process, over a seeded registry.

#include "CWinApp.h"
#include "InstallCatalog.h"
#include "MessageBoxSpy.h"
#include "PixelCanvas.h"
#include "RegistryScratch.h"
#include "TempDir.h"
#include "UpdateDlg.h"
#include "VersionStamp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kSuiteKey[] = "Software\\Rurodovoz Velmor\\Install\\Orvandel";
const char kTitle[] = "Mise \xE0 jour de l'Orvandel";

std::string Status(int count)
{
    return "La proc\xE9" "dure de mise \xE0 jour a d\xE9tect\xE9 " + std::to_string(count) +
           " application(s) dans le dossier selectionn\xE9.\r\n"
           "Si vous cliquez sur le bouton 'Mettre \xE0 jour', l'ensemble de ces applications vont \xEAtre mises "
           "\xE0 niveau.\r\nAttention, l'op\xE9ration peut prendre quelques minutes.";
}

std::vector<std::string> ComboItems(const CUpdateDlg& dlg)
{
    std::vector<std::string> items;
    for (int i = 0; i < dlg.m_folderList.GetCount(); ++i) {
        CString text;
        dlg.m_folderList.GetLBText(i, text);
        items.push_back(static_cast<const char*>(text));
    }
    return items;
}

std::vector<std::string> ListItems(const CUpdateDlg& dlg)
{
    std::vector<std::string> items;
    for (int i = 0; i < dlg.m_applicationList.GetCount(); ++i) {
        CString text;
        dlg.m_applicationList.GetText(i, text);
        items.push_back(static_cast<const char*>(text));
    }
    return items;
}

std::string StatusBoxText(const CUpdateDlg& dlg)
{
    char text[2048] = "";
    ::GetDlgItemTextA(dlg.m_hWnd, IDC_STATUS, text, sizeof text);
    return text;
}

class UpdateDlgTest : public ::testing::Test {
protected:
    RegistryScratch suite{HKEY_LOCAL_MACHINE, kSuiteKey};
    TempDir root{"dlg"};

    std::string Installation(const std::string& name, std::vector<std::string> apps)
    {
        const std::string folder = root / name;
        EXPECT_TRUE(MakeFolders(folder));
        EXPECT_TRUE(StampVersion(folder + "\\Kerbanista.exe", "1, 2, 0, 0"));
        for (const std::string& app : apps) {
            EXPECT_TRUE(WriteFileBytes(folder + "\\" + app + ".ini", "[x]"));
            EXPECT_TRUE(WriteFileBytes(folder + "\\" + app + ".log", "log"));
        }
        suite.SetString("", name, folder);
        return folder;
    }
};

TEST_F(UpdateDlgTest, FoldersAreListedAlphabeticallyWithTheFirstSelected)
{
    // Values written in reverse alphabetical order: the list sorts them itself.
    const std::string zeta = Installation("Zeta", {"Tolvane"});
    const std::string alpha = Installation("Alpha", {"Pavane 5", "Quill Mx", "Marbelo"});

    CUpdateDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_FALSE(dlg.IsEnding());
    EXPECT_EQ((std::vector<std::string>{alpha, zeta}), ComboItems(dlg));
    EXPECT_EQ(0, dlg.m_folderList.GetCurSel());
    EXPECT_EQ((std::vector<std::string>{"Marbelo", "Pavane 5", "Quill Mx"}), ListItems(dlg));
    EXPECT_EQ(Status(3), StatusBoxText(dlg));
    EXPECT_TRUE(dlg.m_folderList.IsWindowEnabled());
    EXPECT_TRUE(dlg.m_btnUpdate.IsWindowEnabled());
    EXPECT_FALSE(dlg.m_firstRefresh);

    char title[128] = "";
    ::GetWindowTextA(dlg.m_hWnd, title, sizeof title);
    EXPECT_EQ(std::string(kTitle), title);

    // Choosing the other folder lists its applications.
    dlg.m_folderList.SetCurSel(1);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FOLDERS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(dlg.m_folderList.m_hWnd));
    EXPECT_EQ(std::vector<std::string>{"Tolvane"}, ListItems(dlg));
    EXPECT_EQ(Status(1), StatusBoxText(dlg));
}

TEST_F(UpdateDlgTest, OneListedFolderDisablesTheFolderList)
{
    Installation("Seul", {});
    CUpdateDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(1, dlg.m_folderList.GetCount());
    EXPECT_EQ(0, dlg.m_folderList.GetCurSel());
    EXPECT_FALSE(dlg.m_folderList.IsWindowEnabled());
    EXPECT_TRUE(dlg.m_btnUpdate.IsWindowEnabled());
    EXPECT_EQ(0, dlg.m_applicationList.GetCount());
    EXPECT_EQ(Status(0), StatusBoxText(dlg));
}

TEST_F(UpdateDlgTest, HandledFoldersAreNotListedAgainComparedCaseSensitively)
{
    const std::string a = Installation("A", {});
    const std::string b = Installation("B", {});
    const std::string c = Installation("C", {});

    CUpdateDlg dlg;
    dlg.m_updatedFolders.Add(b.c_str());
    std::string lowered = c;
    ::CharLowerBuffA(&lowered[0], static_cast<DWORD>(lowered.size()));
    dlg.m_updatedFolders.Add(lowered.c_str());
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ((std::vector<std::string>{a, c}), ComboItems(dlg));
    EXPECT_TRUE(dlg.m_folderList.IsWindowEnabled());

    // Only one left once C is handled too: the count is of the folders listed.
    dlg.m_updatedFolders.Add(c.c_str());
    dlg.RefreshFolders();
    EXPECT_EQ(std::vector<std::string>{a}, ComboItems(dlg));
    EXPECT_FALSE(dlg.m_folderList.IsWindowEnabled());
    EXPECT_EQ(3, dlg.m_folders.GetSize());
}

TEST_F(UpdateDlgTest, NoFolderAtStartTellsTheUserAndEnds)
{
    MessageBoxSpy spy(IDOK);
    CUpdateDlg dlg;
    EXPECT_EQ(0, dlg.DoModal());
    ASSERT_EQ(1u, spy.boxes().size());
    EXPECT_EQ(std::string(kTitle), spy.boxes()[0].caption);
    EXPECT_EQ(std::string("Aucune mise \xE0 jour n'est requise sur votre ordinateur."), spy.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), spy.boxes()[0].icon);
}

TEST_F(UpdateDlgTest, NoFolderLeftAfterAnUpdateSaysTheComputerIsUpToDate)
{
    const std::string a = Installation("A", {});
    CUpdateDlg dlg;
    ASSERT_TRUE(dlg.Create());
    MessageBoxSpy spy(IDOK);
    dlg.m_updatedFolders.Add(a.c_str());
    dlg.RefreshFolders();
    ASSERT_EQ(1u, spy.boxes().size());
    EXPECT_EQ(std::string("Votre poste a \xE9t\xE9 mis \xE0 jour en version 1.3."), spy.boxes()[0].text);
    EXPECT_TRUE(dlg.IsEnding());
    EXPECT_EQ(0, dlg.GetResult());
}

TEST_F(UpdateDlgTest, FailedUpdateIsReportedAndItsFolderNotOfferedAgain)
{
    // No "_install.ex_" beside this test program or above it.
    CWinApp app;
    const std::string a = Installation("A", {"Tolvane"});
    const std::string b = Installation("B", {});
    const auto before = ReadFileBytes(a + "\\Tolvane.ini");

    CUpdateDlg dlg;
    ASSERT_TRUE(dlg.Create());
    app.m_pMainWnd = &dlg;
    MessageBoxSpy spy(IDOK);
    dlg.OnUpdate();
    app.m_pMainWnd = nullptr;

    ASSERT_EQ(2u, spy.boxes().size());
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), spy.boxes()[0].icon);
    // The box's first line; what failed and why follow it.
    EXPECT_EQ("Erreur : 5", spy.boxes()[1].text.substr(0, spy.boxes()[1].text.find('\n')));
    EXPECT_EQ("Erreur : 5", StatusBoxText(dlg));
    EXPECT_TRUE(::IsWindowEnabled(dlg.m_hWnd));
    EXPECT_FALSE(dlg.m_btnUpdate.IsWindowEnabled());
    ASSERT_EQ(1, dlg.m_updatedFolders.GetSize());
    EXPECT_EQ(a, std::string(dlg.m_updatedFolders.GetAt(0)));
    EXPECT_EQ(before, ReadFileBytes(a + "\\Tolvane.ini"));
    EXPECT_FALSE(PathExists(a + "\\_install.ex_"));

    dlg.RefreshFolders();
    EXPECT_EQ(std::vector<std::string>{b}, ComboItems(dlg));
}

TEST_F(UpdateDlgTest, SectionLabelsShowHeavyArialInDarkRedOverTheGradient)
{
    Installation("A", {"Tolvane"});
    CUpdateDlg dlg;
    ASSERT_TRUE(dlg.Create());
    RECT client;
    dlg.GetClientRect(&client);
    PixelCanvas background(client.right, client.bottom);
    PixelCanvas shown(client.right, client.bottom);
    ASSERT_TRUE(background.ok() && shown.ok());
    dlg.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(background.dc()));
    ::RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(shown.CopyFromWindow(dlg));

    EXPECT_NE(background.Pixel(0, 0), background.Pixel(0, client.bottom - 1)) << "a gradient, not a face colour";
    for (int id : {IDC_CAPTION_FOLDERS, IDC_CAPTION_APPS}) {
        SCOPED_TRACE(testing::Message() << "label " << id);
        HWND label = dlg.GetDlgItem(id);
        LOGFONTA font{};
        ASSERT_TRUE(::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_EQ("Arial/14/900", std::string(font.lfFaceName) + "/" + std::to_string(font.lfHeight) + "/" +
                                      std::to_string(font.lfWeight));

        RECT area;
        ::GetWindowRect(label, &area);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&area), 2);
        EXPECT_GT(shown.Count(area, RGB(128, 64, 64)), 20) << "letters in RGB(128, 64, 64)";
        EXPECT_GT(shown.Count(CRect(area.left, area.top, area.left + 4, area.bottom), RGB(128, 64, 64)), 0)
            << "left-aligned: the first letter starts at the left edge";
        // The label has no box of its own: its last column shows the dialog's gradient.
        for (int y = area.top; y < area.bottom; ++y)
            EXPECT_EQ(ColorName(background.Pixel(area.right - 1, y)), ColorName(shown.Pixel(area.right - 1, y)))
                << "row " << y;
    }
}

TEST_F(UpdateDlgTest, DialogTemplateIsLaidOutAsDesigned)
{
    Installation("A", {});
    CUpdateDlg dlg;
    ASSERT_TRUE(dlg.Create());
    // Tab order and the French texts of the template.
    struct Control { int id; const char* cls; const char* text; };
    const Control order[] = {
        {IDCANCEL, "Button", "Terminer"},
        {IDC_CAPTION_FOLDERS, "Static", "Dossiers \xE0 mettre \xE0 jour"},
        {IDC_FOLDERS, "ComboBox", nullptr},
        {IDC_APPLICATIONS, "ListBox", nullptr},
        {IDC_UPDATE, "Button", "Mettre \xE0 jour"},
        {IDC_CAPTION_APPS, "Static", "Applications install\xE9" "es dans le dossier s\xE9lectionn\xE9"},
        {IDC_STATUS, "Edit", nullptr},
    };
    HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD);
    for (const Control& c : order) {
        SCOPED_TRACE(c.id);
        ASSERT_NE(nullptr, child);
        EXPECT_EQ(c.id, ::GetDlgCtrlID(child));
        char cls[32] = "";
        ::GetClassNameA(child, cls, sizeof cls);
        EXPECT_STRCASEEQ(c.cls, cls);
        if (c.text) {
            char text[128] = "";
            ::GetWindowTextA(child, text, sizeof text);
            EXPECT_EQ(std::string(c.text), text);
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    const LONG status = ::GetWindowLongA(dlg.GetDlgItem(IDC_STATUS), GWL_STYLE);
    EXPECT_TRUE(status & ES_MULTILINE);
    EXPECT_TRUE(status & ES_READONLY);
    EXPECT_FALSE(status & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL));
    EXPECT_TRUE(::GetWindowLongA(dlg.GetDlgItem(IDC_STATUS), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const LONG combo = ::GetWindowLongA(dlg.GetDlgItem(IDC_FOLDERS), GWL_STYLE);
    EXPECT_EQ(CBS_DROPDOWNLIST, combo & 3);
    EXPECT_TRUE(combo & CBS_SORT);
    EXPECT_TRUE(::GetWindowLongA(dlg.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    // 235 x 194 dialog units.
    RECT units = {0, 0, 235, 194};
    ::MapDialogRect(dlg.m_hWnd, &units);
    RECT client;
    ::GetClientRect(dlg.m_hWnd, &client);
    EXPECT_EQ(units.right, client.right);
    EXPECT_EQ(units.bottom, client.bottom);
}

} // namespace
