// The updater as a deployment tool meets it: /quiet and /check, read from a script
// through the exit code and the standard output, started from the disc, a read-only
// drive or a share.

#include "E2eFixture.h"

#include <cstdlib>

namespace {

using standin::Run;

// The parts of an installer run that the updater decides.
std::string Received(const Run& run)
{
    return run.commandLine + " | " + run.currentDirectory + " | info=" + run.info.text + " | code=" + run.code.text;
}

std::vector<std::string> Received(const std::vector<Run>& runs)
{
    std::vector<std::string> all;
    for (const Run& run : runs)
        all.push_back(Received(run));
    return all;
}

std::string StandinPath()
{
    std::string path = CompressedInstallerPath();
    return path.substr(0, path.rfind('\\')) + "\\installer-standin.exe";
}

using Deployment = EndToEnd;

TEST_F(Deployment, QuietRunDoesWhatTheDialogDoesWithNoWindowAtAll)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string root = "S:\\Salles";
    auto layOut = [&](SuiteInstallations& room) {
        room.AddFolder(root + "\\Physique", "1, 2, 0, 0", {"Pavane 5", "Tolvane"});
        room.AddFolder(root + "\\chimie", "1, 2, 5, 0", {"Marbelo"});
        room.AddFolder(root + "\\\xC9tude", "1, 2, 0, 0", {"Dravelon", "Quintar"});
        room.AddFolder(root + "\\Biologie", "1, 3, 0, 0", {"Brisole"});
    };
    const std::vector<std::string> listOrder = {root + "\\chimie", root + "\\\xC9tude", root + "\\Physique"};

    // The dialog, "Mettre à jour" pressed until nothing is left.
    std::vector<std::string> dialogRuns;
    std::vector<std::vector<std::pair<std::string, std::string>>> dialogFiles;
    {
        SuiteInstallations room(root);
        layOut(room);
        AppUnderTest app;
        HWND dialog = Start(app, disc, StandinEnvironment());
        ASSERT_NE(nullptr, dialog);
        ASSERT_EQ(listOrder, ComboItems(dialog, 1000));
        for (int folder = 0; folder < 3 && app.IsRunning(); ++folder)
            RunUpdate(app, dialog);
        EXPECT_EQ(std::optional<DWORD>(0), app.WaitForExit(10000));
        dialogRuns = Received(Runs());
        for (const std::string& folder : listOrder)
            dialogFiles.push_back(Snapshot(folder));
    }
    ASSERT_EQ(3u + 5u, dialogRuns.size());
    RemoveTree(root);
    RemoveTree(log);

    // The same room again, updated by /quiet.
    SuiteInstallations room(root);
    layOut(room);
    const std::string biologie = root + "\\Biologie";
    const auto biologieBefore = Snapshot(biologie);
    const std::string runLog = logFolder / "quiet.log";
    const Unattended quiet = RunUnattended(disc, "/quiet /log=\"" + runLog + "\"", StandinEnvironment());
    EXPECT_EQ(std::optional<DWORD>(0), quiet.exitCode);
    EXPECT_FALSE(quiet.windowShown) << "a window of the updater showed";
    EXPECT_EQ(dialogRuns, Received(Runs()));
    for (size_t i = 0; i < listOrder.size(); ++i)
        EXPECT_EQ(dialogFiles[i], Snapshot(listOrder[i])) << listOrder[i];
    EXPECT_EQ(biologieBefore, Snapshot(biologie));
    for (const std::string& folder : listOrder)
        EXPECT_TRUE(LogHolds(runLog, folder)) << folder << " not in the log";
}

// How a quiet run ends when a folder cannot be updated as it should.
TEST_F(Deployment, QuietRunStopsOnAnErrorAndGoesOnPastOpenApplications)
{
    const std::string disc = LayOutDisc("R:\\");
    struct Case {
        const char* label;
        const char* second;            // the folder listed second: what goes wrong there
        DWORD exitCode;
        bool thirdUpdated;             // whether the run went on to the folder after it
        const char* logged;            // a text the log must hold
    } cases[] = {
        // Registered but missing: the installer cannot be copied there (error 2).
        {"numbered error", "missing", 2, false, "Erreur 2 :"},
        {"message 9", "no product code", 6, true,
         "L'application 'Atelier' ne peut \xEAtre mise \xE0 jour \xE0 partir du C\xE9" "d\xE9rom."},
        {"open application", "open application", 7, true, "installer-standin.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string root = "S:\\Salles";
        RemoveTree(root);
        RemoveTree(log);
        SuiteInstallations room(root);
        const std::string first = room.AddFolder(root + "\\A", "1, 2, 0, 0", {"Tolvane"});
        const std::string second = root + "\\B";
        if (std::string(c.second) == "missing")
            room.Register(second);
        else
            room.AddFolder(second, "1, 2, 0, 0", {"Atelier"});
        const std::string third = room.AddFolder(root + "\\C", "1, 2, 0, 0", {"Marbelo"});
            const auto thirdBefore = Snapshot(third);

        // A program of the suite left open: a copy of the stand-in running from inside B.
        AppUnderTest open;
        TempDir elsewhere("open");
        if (std::string(c.second) == "open application") {
            ASSERT_TRUE(::CopyFileA(StandinPath().c_str(), (second + "\\installer-standin.exe").c_str(), FALSE));
            ASSERT_TRUE(open.Start(second + "\\installer-standin.exe",
                                   {{"MISEAJOUR_STANDIN_LOG", elsewhere / "open.log"}, {"MISEAJOUR_STANDIN_MS", "120000"}},
                                   second));
        }
        const auto secondWithOpen = Snapshot(second);

        const std::string runLog = logFolder / "quiet.log";
        const Unattended quiet = RunUnattended(disc, "/quiet /log=" + runLog, StandinEnvironment());
        open.Kill();
        EXPECT_EQ(std::optional<DWORD>(c.exitCode), quiet.exitCode);
        EXPECT_FALSE(quiet.windowShown);
        const std::vector<standin::Run> runs = Runs();
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(" /u/c/*" + first, runs.front().commandLine) << "the first folder is updated in every case";
        bool thirdRemoved = false, secondRemoved = false;
        for (const standin::Run& run : runs) {
            thirdRemoved = thirdRemoved || run.commandLine == " /u/c/*" + third;
            secondRemoved = secondRemoved || run.commandLine == " /u/c/*" + second;
        }
        EXPECT_EQ(c.thirdUpdated, thirdRemoved);
        if (!c.thirdUpdated) {
            EXPECT_EQ(thirdBefore, Snapshot(third)) << "a folder after the error was touched";
        }
        if (std::string(c.second) == "open application") {
            EXPECT_FALSE(secondRemoved);
            EXPECT_EQ(secondWithOpen, Snapshot(second)) << "a folder with an open application was touched";
        }
        EXPECT_TRUE(LogHolds(runLog, c.logged)) << "the log does not hold: " << c.logged;
    }
}

TEST_F(Deployment, CheckTellsWhetherThePcStillNeedsTheUpdateAndChangesNothing)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string old = suite.AddFolder("Salle B", "1, 2, 0, 0", {"Tolvane"});
    suite.AddFolder("Salle A", "1, 3, 0, 0", {"Marbelo"});
    const auto before = Snapshot(old);

    Environment stamping = StandinEnvironment();
    stamping.push_back({"MISEAJOUR_STANDIN_STAMP", "1"});
    const Unattended needed = RunUnattended(disc, "/check", stamping);
    EXPECT_EQ(std::optional<DWORD>(1), needed.exitCode);
    EXPECT_EQ(old + "\r\n", needed.output);
    EXPECT_FALSE(needed.windowShown);
    EXPECT_TRUE(Runs().empty());
    EXPECT_EQ(before, Snapshot(old));

    // The installer stamps the folder as 1.3, as the real one leaves it.
    EXPECT_EQ(std::optional<DWORD>(0), RunUnattended(disc, "-QUIET", stamping).exitCode);
    const Unattended after = RunUnattended(disc, "/Check", stamping);
    EXPECT_EQ(std::optional<DWORD>(0), after.exitCode);
    EXPECT_EQ("", after.output);
}

// A school's software share: T: and \\serveur\logiciels show the same folder
// read-only, U: the same writable for laying the disc out (see wine-env.sh).
TEST_F(Deployment, StartedFromAReadOnlyDriveOrShareTheInstallerIsFoundThere)
{
    const char* readOnly = std::getenv("MISEAJOUR_SHARE_READONLY");
    if (!readOnly || std::string(readOnly) != "1")
        std::cout << "note: the share is not read-only on this host (a bind mount needs root)\n";
    RemoveTree("U:\\Orvandel13");
    LayOutDisc("U:\\Orvandel13");
    const auto shareBefore = Snapshot("U:\\Orvandel13");
    for (const std::string place : {"T:\\Orvandel13", "\\\\serveur\\logiciels\\Orvandel13"}) {
        SCOPED_TRACE(place);
        RemoveTree(log);
        SuiteInstallations room("S:\\Salles");
        const std::string folder = room.AddFolder("S:\\Salles\\A", "1, 2, 0, 0", {"Tolvane", "Marbelo"});
        const Unattended quiet = RunUnattended(place + "\\MiseAJour.exe", "/quiet", StandinEnvironment());
        EXPECT_EQ(std::optional<DWORD>(0), quiet.exitCode);
        const std::vector<standin::Run> runs = Runs();
        ASSERT_EQ(3u, runs.size());
        EXPECT_EQ(" /u/c/*" + folder, runs[0].commandLine);
        EXPECT_EQ(" /b/*" + place, runs[1].commandLine);
        EXPECT_EQ(" /b/*" + place, runs[2].commandLine);
        EXPECT_EQ(shareBefore, Snapshot("U:\\Orvandel13")) << "the share was written to";
        RemoveTree("S:\\Salles");
    }
    RemoveTree("U:\\Orvandel13");

    // A share without the installer: the search ends at the share's name, and never
    // takes the root of the current drive for a folder above it.
    LayOutDisc("U:\\Vide", false);
    LayOutDisc("R:\\");
    RemoveTree(log);
    SuiteInstallations room("S:\\Salles");
    room.AddFolder("S:\\Salles\\A", "1, 2, 0, 0", {"Tolvane"});
    const Unattended quiet =
        RunUnattended("\\\\serveur\\logiciels\\Vide\\MiseAJour.exe", "/quiet", StandinEnvironment(), 60000, "R:\\");
    EXPECT_EQ(std::optional<DWORD>(5), quiet.exitCode);
    EXPECT_TRUE(Runs().empty());
    RemoveTree("U:\\Vide");
}

TEST_F(Deployment, QuietStartWhileAnotherUpdaterRunsEndsAtOnceWith1618)
{
    const std::string disc = LayOutDisc("R:\\");
    suite.AddFolder("Salle B", "1, 2, 0, 0", {"Tolvane"});
    AppUnderTest first;
    HWND dialog = Start(first, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    const HWND front = ::GetForegroundWindow();

    const Unattended second = RunUnattended(disc, "/quiet", StandinEnvironment(), 20000);
    EXPECT_EQ(std::optional<DWORD>(1618), second.exitCode);
    EXPECT_FALSE(second.windowShown);
    EXPECT_EQ(front, ::GetForegroundWindow());
    EXPECT_TRUE(Runs().empty());
    EXPECT_TRUE(IsResponsive(dialog, 5000));
}

} // namespace
