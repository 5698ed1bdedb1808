// The automation library against a real dialog in a second process: this same
// executable, started again with kSelfCheckChildArgument.

#include "Automation.h"
#include "SelfCheckDialog.h"
#include "SuiteFixture.h"
#include "TempDir.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

std::string SelfPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Starts the child dialog and returns it, or null (with the failure already reported).
HWND StartChild(AppUnderTest& app, const Environment& environment = {}, const std::string& directory = "")
{
    if (!app.Start(SelfPath(), environment, directory, kSelfCheckChildArgument))
        return nullptr;
    return app.WaitForDialog(kSelfCheckTitle);
}

bool WaitForText(HWND dialog, int id, const std::string& expected, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (ItemText(dialog, id) != expected) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(20);
    }
    return true;
}

}  // namespace

TEST(Automation, ReadsTheChildsControlsAsItsWindows1252Bytes)
{
    TempDir directory("auto");
    AppUnderTest app;
    HWND dialog = StartChild(app, {{"SELFCHECK_VALUE", "é=1"}}, directory.path());
    ASSERT_TRUE(dialog);

    // Locale-aware sorting puts "Été" between "Automne" and "Hiver"; the bytes are
    // the program's own Windows-1252 ones, not UTF-16 read back through an A message.
    const std::vector<std::string> folders{"Automne", "Été", "Hiver"};
    EXPECT_EQ(folders, ComboItems(dialog, IDC_FOLDERS));
    EXPECT_EQ(0, ComboSelection(dialog, IDC_FOLDERS));
    EXPECT_EQ(std::vector<std::string>({"Atlas de Automne", "Écho de Automne", "Zèbre de Automne"}),
              ListItems(dialog, IDC_APPLICATIONS));
    // CR LF kept; the extra variable reached the child, and so did the directory.
    EXPECT_EQ("Sélection 0 : Automne\r\nvaleur=é=1\r\ndossier=" + directory.path(), ItemText(dialog, IDC_STATUS));

    for (int index : {2, 1}) {
        SCOPED_TRACE("selecting entry " + std::to_string(index) + ", " + folders[index]);
        ASSERT_TRUE(SelectComboEntry(dialog, IDC_FOLDERS, index));
        EXPECT_EQ(index, ComboSelection(dialog, IDC_FOLDERS));
        // Sent, not posted: the dialog's handler has run on return.
        EXPECT_EQ("Atlas de " + folders[index], ListItems(dialog, IDC_APPLICATIONS).at(0));
        EXPECT_EQ("Sélection " + std::to_string(index) + " : " + folders[index],
                  ItemText(dialog, IDC_STATUS).substr(0, 14 + folders[index].size()));
    }

    EXPECT_TRUE(Click(dialog, IDCANCEL));
    EXPECT_EQ(7u, app.WaitForExit(5000).value_or(0));
}

TEST(Automation, ReportsEachMessageBoxWithCaptionTextAndIconInOrder)
{
    AppUnderTest app;
    HWND dialog = StartChild(app);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Click(dialog, IDC_BOXES));

    struct Expected {
        const char* caption;
        const char* text;
        IconKind icon;
    };
    const Expected expected[] = {
        {kSelfCheckTitle, "Avant de débuter\n\nAppuyez sur OK pour continuer.", IconKind::Information},
        {kSelfCheckTitle, "L'application 'Écho' ne peut être mise à jour.", IconKind::Warning},
        {kSelfCheckTitle, "Arrêt", IconKind::Error},
        {"support_selfcheck", "Erreur : 5", IconKind::Warning},
        {kSelfCheckTitle, "Sans icône", IconKind::None},
    };

    // The first two one by one, the rest through the whole-session collector.
    std::vector<MessageBoxSeen> seen;
    for (int i = 0; i < 2; ++i) {
        auto box = app.WaitForMessageBox(5000);
        ASSERT_TRUE(box) << "box " << i;
        EXPECT_FALSE(::IsWindowEnabled(dialog)) << "the owner is disabled while box " << i << " is up";
        EXPECT_FALSE(Click(dialog, IDC_BUSY)) << "a click on the disabled dialog goes nowhere";
        seen.push_back(*box);
        ASSERT_TRUE(app.Answer(*box));
    }
    const Session rest = app.AnswerAllUntilExit(15000);
    seen.insert(seen.end(), rest.boxes.begin(), rest.boxes.end());
    EXPECT_EQ(3u, rest.exitCode.value_or(0)) << "the dialog ends itself after the last box";

    ASSERT_EQ(std::size(expected), seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE("box " + std::to_string(i) + " " + expected[i].text);
        EXPECT_EQ(expected[i].caption, seen[i].caption);
        EXPECT_EQ(expected[i].text, seen[i].text);
        EXPECT_EQ(expected[i].icon, seen[i].icon);
    }
}

TEST(Automation, MeasuresProcessorTimeAndTellsABlockedThreadFromABusyOne)
{
    AppUnderTest app;
    HWND dialog = StartChild(app);
    ASSERT_TRUE(dialog);

    const double idleStart = app.ProcessorMs().value_or(-1);
    ::Sleep(1000);
    const double idleEnd = app.ProcessorMs().value_or(-1);
    EXPECT_LT(idleEnd - idleStart, 200) << "a dialog waiting for input for 1 s";

    // Computing while serving the queue: busy, but responsive.
    ASSERT_TRUE(Click(dialog, IDC_BUSY));
    ::Sleep(200);
    DWORD elapsed = 0;
    EXPECT_TRUE(IsResponsive(dialog, 1000, &elapsed)) << "took " << elapsed << " ms";
    ASSERT_TRUE(WaitForText(dialog, IDC_STATUS, "occupé", 10000));
    const double busyEnd = app.ProcessorMs().value_or(-1);
    // The child stops on its own thread's clock, which is the one read here
    // (10 ms ticks), so this holds on a loaded machine too.
    EXPECT_GE(busyEnd - idleEnd, kSelfCheckSpinMs - 20);
    EXPECT_LT(busyEnd - idleEnd, kSelfCheckSpinMs + 300);

    // Sleeping 1.5 s without reading its queue: the probe gives up after its timeout.
    ASSERT_TRUE(Click(dialog, IDC_BLOCKED));
    ::Sleep(200);
    EXPECT_FALSE(IsResponsive(dialog, 300, &elapsed));
    EXPECT_GE(elapsed, 250u);
    EXPECT_LT(elapsed, 1000u);
    ASSERT_TRUE(WaitForText(dialog, IDC_STATUS, "bloqué", 5000));
    EXPECT_TRUE(IsResponsive(dialog, 1000));
}

TEST(Automation, WaitsThatRunOutAreReportedAtTheCallersLine)
{
    AppUnderTest app;
    HWND dialog = StartChild(app);
    ASSERT_TRUE(dialog);

    struct Variant {
        const char* label;
        const char* fragment;
        int line;
        std::function<void()> run;
    };
    // clang-format off
    const Variant variants[] = {
        {"message box", "no message box", __LINE__, [&] { app.WaitForMessageBox(300); }},
        {"dialog", "no visible window titled \"Absente\"", __LINE__, [&] { app.WaitForDialog("Absente", 300); }},
        {"exit", "still runs after 300 ms", __LINE__, [&] { app.WaitForExit(300); }},
        {"session", "still runs after 300 ms of answering", __LINE__, [&] { app.AnswerAllUntilExit(300); }},
        {"missing control", "has no control 4242", __LINE__, [&] { ComboItems(dialog, 4242); }},
        {"missing entry", "has no entry 9", __LINE__, [&] { SelectComboEntry(dialog, IDC_FOLDERS, 9); }},
    };
    // clang-format on
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.label);
        testing::TestPartResultArray results;
        const DWORD start = ::GetTickCount();
        {
            testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            variant.run();
        }
        const DWORD elapsed = ::GetTickCount() - start;
        EXPECT_LT(elapsed, 1500u);
        ASSERT_EQ(1, results.size());
        const testing::TestPartResult& result = results.GetTestPartResult(0);
        EXPECT_TRUE(result.nonfatally_failed());
        EXPECT_NE(nullptr, std::strstr(result.message(), variant.fragment)) << result.message();
        EXPECT_EQ(variant.line, result.line_number());
        EXPECT_NE(nullptr, std::strstr(result.file_name() ? result.file_name() : "", "AutomationSelfCheck.cpp"))
            << (result.file_name() ? result.file_name() : "(none)");
    }
    EXPECT_TRUE(app.IsRunning());
}

namespace {

std::vector<std::pair<std::string, std::string>> SuiteValues()
{
    std::vector<std::pair<std::string, std::string>> values;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, SuiteInstallations::kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        values.emplace_back(name, std::string(reinterpret_cast<const char*>(data), dataSize ? dataSize - 1 : 0));
    }
    ::RegCloseKey(key);
    return values;
}

}  // namespace

TEST(SuiteInstallations, RecordsFoldersWithTheirFilesAndTakesThemAwayAgain)
{
    std::string root, salleB, salleA;
    {
        SuiteInstallations suite;
        root = suite.root();
        salleB = suite.AddFolder("Salle B", "1, 2, 0, 0", {"Atlas", "Quill Mx"});
        salleA = suite.AddFolder("Salle A", "1, 3, 0, 0");
        suite.Register("C:\\nulle part");
        suite.Register("C:\\avant", "Aaa");

        EXPECT_EQ(root + "\\Salle B", salleB);
        for (const char* file : {"Kerbanista.exe", "Atlas.ini", "Atlas.log", "Quill Mx.ini", "Quill Mx.log"})
            EXPECT_TRUE(PathExists(salleB + "\\" + file)) << file;
        EXPECT_TRUE(PathExists(salleA + "\\Kerbanista.exe"));
        EXPECT_FALSE(PathExists(salleA + "\\Atlas.ini"));

        // Wine hands the values out by name, not in the order they were written:
        // the explicitly named "Aaa", written last, comes first.
        const std::vector<std::pair<std::string, std::string>> expected{
            {"Aaa", "C:\\avant"}, {"Install 01", salleB}, {"Install 02", salleA}, {"Install 03", "C:\\nulle part"}};
        EXPECT_EQ(expected, SuiteValues());
    }
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, SuiteInstallations::kKeyPath, 0, KEY_READ, &key))
        << "the suite key outlived its fixture";
    EXPECT_FALSE(PathExists(root)) << root;
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kSelfCheckChildArgument) == 0)
        return RunSelfCheckDialog();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
