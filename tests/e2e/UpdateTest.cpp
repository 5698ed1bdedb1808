// "Mettre à jour" from end to end: the real program started from a disc laid out in
// drive R:, the stand-in installer recording what it received.

#include "E2eFixture.h"

#include <set>

namespace {

using standin::Block;
using standin::Mode;


const char kErrorCaption[] = "MiseAJour";

// A box's or status's first line: an error box goes on with what failed and why,
// the status during an update with the step under way.
std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string StandinBytes()
{
    // What "_install.exe" must hold once expanded: the stand-in itself.
    std::string path = CompressedInstallerPath();
    path = path.substr(0, path.rfind('\\')) + "\\installer-standin.exe";
    return ReadFileBytes(path);
}

// The applications of `folder` in the order the folder lists them, as the program
// reads them.
std::vector<std::string> DirectoryOrder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0 &&
            PathExists(folder + "\\" + name.substr(0, name.size() - 4) + ".log"))
            names.push_back(name.substr(0, name.size() - 4));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

std::string Parent(const std::string& folder)
{
    return folder.substr(0, folder.rfind('\\'));
}

using Update = EndToEnd;

TEST_F(Update, WholeSessionFromADiscRootUpdatesEveryFolderAndTouchesNothingElse)
{
    const std::string disc = LayOutDisc("R:\\");
    // A folder directly under a drive root, and one deeper down.
    const std::string ecole = suite.AddFolder("S:\\Ecole", "1, 2, 0, 0", {"PAVANE 5", "Pavane 5 +", "Atelier"});
    const std::string lycee = suite.AddFolder("Lyc\xE9" "e", "1, 2, 5, 0", {"Tolvane", "quill mx"});
    WriteFileBytes(ecole + "\\notes.txt", "ne pas toucher");
    const auto ecoleBefore = Snapshot(ecole);
    const auto lyceeBefore = Snapshot(lycee);
    const std::vector<std::string> ecoleApps = DirectoryOrder(ecole);

    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    ASSERT_EQ((std::vector<std::string>{lycee, ecole}), ComboItems(dialog, 1000));   // "C:..." sorts first
    ASSERT_TRUE(SelectComboEntry(dialog, 1000, 1));

    // First folder: S:\Ecole.
    std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(std::string(kTitle), boxes[0].caption);
    EXPECT_EQ(std::string(kNotice), boxes[0].text);
    EXPECT_EQ(IconKind::Information, boxes[0].icon) << boxes[0];
    EXPECT_EQ(std::string("L'application 'Atelier' ne peut \xEAtre mise \xE0 jour \xE0 partir du C\xE9" "d\xE9rom."),
              boxes[1].text);
    EXPECT_EQ(IconKind::Warning, boxes[1].icon) << boxes[1];
    // The other folder is offered next, alone.
    EXPECT_EQ(std::vector<std::string>{lycee}, ComboItems(dialog, 1000));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1000)));
    EXPECT_TRUE(IsItemEnabled(dialog, 1002));

    std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ(Mode::Removal, runs[0].mode);
    EXPECT_EQ(" /u/c/*" + ecole, runs[0].commandLine);
    EXPECT_EQ(ecole, runs[0].currentDirectory);
    EXPECT_EQ(Block::Absent, runs[0].info.state);
    EXPECT_EQ(Block::Absent, runs[0].code.state);
    std::vector<std::string> expectedCodes;
    for (const std::string& name : ecoleApps) {
        if (name == "PAVANE 5") expectedCodes.push_back("K7_Q");
        if (name == "Pavane 5 +") expectedCodes.push_back("K_7R");
    }
    for (size_t i = 1; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(" /b/*R:", runs[i].commandLine);        // the disc root: letter and colon
        EXPECT_EQ(ecole, runs[i].currentDirectory);
        EXPECT_EQ(Block::Present, runs[i].info.state);
        EXPECT_EQ("S:", runs[i].info.text);               // the parent of a folder under a root
        EXPECT_EQ(Block::Present, runs[i].code.state);
        EXPECT_EQ(expectedCodes[i - 1], runs[i].code.text);
        EXPECT_LT(runs[i - 1].doneOrder, runs[i].startOrder) << "runs overlapped";
    }

    // Second and last folder: message 8 for Quill Mx, then the end.
    boxes = RunUpdate(app, dialog);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(std::string(kNotice), boxes[0].text);
    EXPECT_EQ(std::string("Le logiciel 'Quill Mx' a \xE9t\xE9 d\xE9sinstall\xE9.\nVous devrez le r\xE9installer "
                          "ult\xE9rieurement \xE0 partir des disquettes originales."),
              boxes[1].text);
    EXPECT_EQ(IconKind::Warning, boxes[1].icon) << boxes[1];
    EXPECT_EQ(std::string(kUpToDate), boxes[2].text);
    EXPECT_EQ(std::string(kTitle), boxes[2].caption);
    EXPECT_EQ(IconKind::Information, boxes[2].icon) << boxes[2];
    EXPECT_TRUE(app.WaitForExit(10000).has_value());

    runs = Runs();
    ASSERT_EQ(5u, runs.size());
    EXPECT_EQ(" /u/c/*" + lycee, runs[3].commandLine);
    EXPECT_EQ(" /b/*R:", runs[4].commandLine);
    EXPECT_EQ("W%_Q", runs[4].code.text);
    EXPECT_EQ(Parent(lycee), runs[4].info.text);

    // Each folder now holds the expanded installer and nothing else new.
    const std::string installer = StandinBytes();
    ASSERT_FALSE(installer.empty());
    for (const auto& [folder, before] : {std::make_pair(ecole, ecoleBefore), std::make_pair(lycee, lyceeBefore)}) {
        SCOPED_TRACE(folder);
        auto after = Snapshot(folder);
        const auto exe = std::find_if(after.begin(), after.end(), [](const auto& f) { return f.first == "_install.exe"; });
        ASSERT_NE(after.end(), exe);
        EXPECT_TRUE(exe->second == installer) << "the expanded installer differs from the stand-in";
        after.erase(exe);
        EXPECT_TRUE(after == before) << "a file of the folder changed, appeared or vanished";
    }
}

TEST_F(Update, ProgramInASubdirectoryFindsTheInstallerInTheRoot)
{
    const std::string disc = LayOutDisc("R:\\Mise a jour\\Programme", false);
    ASSERT_TRUE(::CopyFileA(CompressedInstallerPath().c_str(), "R:\\_install.ex_", FALSE));
    // A pressed disc is read-only, and its copy in the folder keeps the attribute.
    ASSERT_TRUE(::SetFileAttributesA("R:\\_install.ex_", FILE_ATTRIBUTE_READONLY));
    const std::string folder = suite.AddFolder("Salle", "1, 2, 0, 0", {"Logiciel Celmira"});
    // An installer ending with the code that also means "still running" (259) is
    // over all the same: the updater waits for the process, not for a code.
    Environment environment = StandinEnvironment();
    environment.push_back({"MISEAJOUR_STANDIN_EXIT", "259"});
    AppUnderTest app;
    HWND dialog = Start(app, disc, environment);
    ASSERT_NE(nullptr, dialog);
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(std::string(kUpToDate), boxes[1].text);
    const std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(" /b/*R:", runs[1].commandLine);
    EXPECT_EQ("CEL1", runs[1].code.text);
    EXPECT_FALSE(PathExists(folder + "\\_install.ex_"));
    EXPECT_FALSE(PathExists(folder + "\\_install.bak"));
}

TEST_F(Update, NoInstallerOnTheDiscIsErrorFiveAndTheFolderIsLeftAlone)
{
    const std::string disc = LayOutDisc("R:\\Programme", false);
    const std::string folder = suite.AddFolder("Salle", "1, 2, 0, 0", {"Tolvane"});
    suite.AddFolder("Autre", "1, 2, 0, 0", {});
    const auto before = Snapshot(folder);
    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(SelectComboEntry(dialog, 1000, 1));   // "...\Salle"
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Erreur : 5", FirstLine(boxes[1].text));
    EXPECT_EQ(kErrorCaption, boxes[1].caption);
    EXPECT_EQ(IconKind::Warning, boxes[1].icon) << boxes[1];
    // The status does not claim an update; only "Terminer" is left.
    EXPECT_EQ("Erreur : 5", ItemText(dialog, 1007));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1002)));
    EXPECT_TRUE(IsItemEnabled(dialog, IDCANCEL));
    EXPECT_TRUE(Runs().empty());
    EXPECT_TRUE(Snapshot(folder) == before);
    ASSERT_TRUE(Click(dialog, IDCANCEL));
    EXPECT_TRUE(app.WaitForExit(10000).has_value());
}

TEST_F(Update, StaleReadOnlyInstallerFilesAreClearedFirst)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string folder = suite.AddFolder("Salle", "1, 2, 0, 0", {"Brisole"});
    // Left by an earlier run: an old installer, and a copy whose expansion failed.
    for (const char* name : {"_install.exe", "_install.ex_"}) {
        ASSERT_TRUE(WriteFileBytes(folder + "\\" + name, "ancien"));
        ASSERT_TRUE(::SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY));
    }
    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(std::string(kUpToDate), boxes[1].text);
    EXPECT_TRUE(ReadFileBytes(folder + "\\_install.exe") == StandinBytes());
    EXPECT_FALSE(PathExists(folder + "\\_install.ex_"));
    EXPECT_FALSE(PathExists(folder + "\\_install.bak"));
    const std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ("BRIS", runs[1].code.text);
}

TEST_F(Update, LongFolderPathIsUpdatedWhole)
{
    const std::string disc = LayOutDisc("R:\\");
    // Past the 127 characters that OpenFile and lz32 take, within MAX_PATH with the
    // installer's name appended.
    std::string name = "\xC9tablissement scolaire";
    while (suite.root().size() + 1 + name.size() < 240)
        name += "\\Sous-dossier de l'installation";
    name.resize(240 - suite.root().size() - 1);
    const std::string folder = suite.AddFolder(name, "1, 2, 0, 0", {"Ostrabel"});
    ASSERT_GT(folder.size(), 200u);
    ASSERT_TRUE(WriteFileBytes(folder + "\\_install.exe", "ancien"));
    ASSERT_TRUE(::SetFileAttributesA((folder + "\\_install.exe").c_str(), FILE_ATTRIBUTE_READONLY));

    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(std::string(kUpToDate), boxes[1].text);
    const std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(" /u/c/*" + folder, runs[0].commandLine);
    EXPECT_EQ(Parent(folder), runs[1].info.text);
    EXPECT_EQ("OS#Q", runs[1].code.text);
    EXPECT_TRUE(ReadFileBytes(folder + "\\_install.exe") == StandinBytes());
    EXPECT_FALSE(PathExists(folder + "\\_install.ex_"));
    EXPECT_FALSE(PathExists(folder + "\\_install.bak"));
}

TEST_F(Update, DamagedInstallerIsErrorThreeAndNeverRuns)
{
    const std::string whole = ReadFileBytes(CompressedInstallerPath());
    ASSERT_GT(whole.size(), 1000u);
    const struct { const char* label; std::string bytes; } damages[] = {
        {"truncated", whole.substr(0, whole.size() / 2)},
        {"header only", whole.substr(0, 14)},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.label);
        SuiteInstallations local;
        const std::string disc = LayOutDisc("R:\\", false);
        ASSERT_TRUE(WriteFileBytes("R:\\_install.ex_", damage.bytes));
        const std::string folder = local.AddFolder("Salle", "1, 2, 0, 0", {"Tolvane"});
        AppUnderTest app;
        HWND dialog = Start(app, disc, StandinEnvironment());
        ASSERT_NE(nullptr, dialog);
        const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
        ASSERT_EQ(2u, boxes.size());
        EXPECT_EQ("Erreur : 3", FirstLine(boxes[1].text));
        EXPECT_TRUE(Runs().empty());
        EXPECT_FALSE(PathExists(folder + "\\_install.exe")) << "a half-written installer was left";
        EXPECT_TRUE(PathExists(folder + "\\_install.ex_"));
        EXPECT_EQ("Erreur : 3", ItemText(dialog, 1007));
    }
}

TEST_F(Update, RemovalRunThatCannotStartIsErrorFour)
{
    // Not compressed, so copied as it is: a "_install.exe" that is no program.
    const std::string disc = LayOutDisc("R:\\", false);
    ASSERT_TRUE(WriteFileBytes("R:\\_install.ex_", "ceci n'est pas un programme"));
    const std::string folder = suite.AddFolder("Salle", "1, 2, 0, 0", {"Tolvane"});

    // The number the system gives for such a file.
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    char line[] = " /u/c/*x";
    ASSERT_FALSE(::CreateProcessA("R:\\_install.ex_", line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    const DWORD expectedError = ::GetLastError();

    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("CreateProcess error n\xB0" + std::to_string(expectedError), boxes[1].text);
    EXPECT_EQ(kErrorCaption, boxes[1].caption);
    EXPECT_EQ(IconKind::Warning, boxes[1].icon) << boxes[1];
    EXPECT_EQ("Erreur : 4", FirstLine(boxes[2].text));
    EXPECT_TRUE(Runs().empty());
    EXPECT_TRUE(PathExists(folder + "\\_install.exe"));
    EXPECT_TRUE(PathExists(folder + "\\_install.bak"));
}

TEST_F(Update, ReinstallRunsThatCannotStartNameTheirApplications)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string folder = suite.AddFolder("Salle", "1, 2, 0, 0", {"Tolvane", "Marbelo"});
    const std::vector<std::string> order = DirectoryOrder(folder);
    ASSERT_EQ(2u, order.size());
    // The removal run leaves a copy of the installer that is no program: both
    // reinstall runs fail to start, and the procedure goes on to the end.
    Environment environment = StandinEnvironment();
    environment.push_back({"MISEAJOUR_STANDIN_SPOIL_BACKUP", "1"});

    AppUnderTest app;
    HWND dialog = Start(app, disc, environment);
    ASSERT_NE(nullptr, dialog);
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    ASSERT_EQ(6u, boxes.size());
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(order[i]);
        const MessageBoxSeen& error = boxes[1 + 2 * i];
        const MessageBoxSeen& named = boxes[2 + 2 * i];
        EXPECT_EQ(0u, error.text.find("CreateProcess error n\xB0")) << error;
        EXPECT_EQ(kErrorCaption, error.caption);
        EXPECT_EQ("L'application '" + order[i] + "' ne peut \xEAtre mise \xE0 jour \xE0 partir du C\xE9" "d\xE9rom.",
                  named.text);
        EXPECT_EQ(std::string(kTitle), named.caption);
        EXPECT_EQ(IconKind::Error, named.icon) << named;
    }
    EXPECT_EQ(std::string(kUpToDate), boxes[5].text);
    EXPECT_EQ(1u, Runs().size());
    EXPECT_FALSE(PathExists(folder + "\\_install.bak"));
}

TEST_F(Update, DialogStaysLockedButAnswersWhileTheInstallerRuns)
{
    const std::string disc = LayOutDisc("R:\\");
    suite.AddFolder("Salle", "1, 2, 0, 0", {"Quill Mx"});   // one run only: the removal
    suite.AddFolder("Zeta", "1, 2, 0, 0", {});               // keeps the program open afterwards
    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment(5000));
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(Click(dialog, 1002));
    auto notice = app.WaitForMessageBox();
    ASSERT_TRUE(notice.has_value());
    const auto cpuBefore = app.ProcessorMs();
    ASSERT_TRUE(app.Answer(*notice));

    // Wait for the removal run to start, then watch the dialog while it runs.
    for (int i = 0; i < 100 && Runs().empty(); ++i)
        ::Sleep(50);
    ASSERT_EQ(1u, Runs().size());
    DWORD slowest = 0;
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(::IsWindowEnabled(dialog)) << "the dialog took input while the installer ran";
        DWORD elapsed = 0;
        EXPECT_TRUE(IsResponsive(dialog, 2000, &elapsed));
        slowest = std::max(slowest, elapsed);
        EXPECT_EQ("Veuillez patienter", FirstLine(ItemText(dialog, 1007)));
        EXPECT_FALSE(Click(dialog, IDCANCEL));
        ::Sleep(400);
    }
    EXPECT_LT(slowest, 1000u);

    auto quill = app.WaitForMessageBox(15000);   // message 8 once the removal run is over
    ASSERT_TRUE(quill.has_value());
    const auto cpuAfter = app.ProcessorMs();
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    ASSERT_TRUE(app.Answer(*quill));
    // Back in its dialog's loop (the only one left to answer a sent message), the
    // update is over, however slowly the host got there.
    EXPECT_TRUE(IsResponsive(dialog, 10000)) << "the update did not return to the dialog";
    EXPECT_TRUE(::IsWindowEnabled(dialog));
    ASSERT_TRUE(cpuBefore && cpuAfter);
    const double used = *cpuAfter - *cpuBefore;
    std::printf("updater processor time during a 5 s installer run: %.0f ms\n", used);
    EXPECT_LT(used, 1000.0) << "the updater kept a processor busy while it waited";
}

} // namespace
