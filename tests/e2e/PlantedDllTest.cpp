// DLLs left beside the updater under the names of system DLLs that are not known DLLs
// (lz32, winmm, msimg32; version.dll too, which Wine's own user32 loads for every
// windowed program, so that it is shown by the loader's test), with Wine told to
// search as Windows does (a DLL in the program's folder before its own builtin one;
// WINEDLLOVERRIDES, which Wine reads from the Unix environment its programs inherit,
// is set for this test by CTest): the updater never loads them, on the disc, from a
// share, with its dialog or without.

#include "E2eFixture.h"

namespace {

const char* const kPlantedNames[] = {"version.dll", "lz32.dll", "winmm.dll", "msimg32.dll"};

// Puts the planted DLL into `folder` under each name.
void Plant(const std::string& folder)
{
    for (const char* name : kPlantedNames) {
        const std::string target = folder + "\\" + name;
        EXPECT_TRUE(::CopyFileA(WindowsPath(PLANTED_DLL_PATH).c_str(), target.c_str(), FALSE)) << target;
    }
}

class PlantedDlls : public EndToEnd {
protected:
    PlantedDlls() { marker = markerFolder / "loaded.txt"; }

    // The stand-in's environment, with the file in which a planted DLL says it was loaded.
    Environment Planted() const
    {
        Environment environment = StandinEnvironment();
        environment.push_back({"MJ_PLANTED_LOG", marker});
        return environment;
    }

    // Runs `program` with `arguments` to its end; its exit code.
    std::optional<DWORD> RunToEnd(const std::string& program, const std::string& arguments)
    {
        AppUnderTest app;
        if (!app.Start(program, Planted(), "", arguments))
            return std::nullopt;
        return app.WaitForExit(60000);
    }

    // The planted DLLs loaded since the last call, one path a line.
    std::string Loaded()
    {
        const std::string loaded = ReadFileBytes(marker);
        ::DeleteFileA(marker.c_str());
        return loaded;
    }

    TempDir markerFolder{"plant"};
    std::string marker;
};

} // namespace

TEST_F(PlantedDlls, AreNeverLoadedOnTheDiscFromAShareOrWithTheDialog)
{
    const std::string disc = LayOutDisc("R:\\");
    Plant("R:");
    const std::string folder = suite.AddFolder("Salle B", "1, 2, 0, 0", {"Tolvane", "Marbelo"});

    // The search order is Windows': a program that loads the names bare gets the planted ones.
    const std::string probe = "R:\\planted_probe.exe";
    ASSERT_TRUE(::CopyFileA(WindowsPath(PLANTED_PROBE_PATH).c_str(), probe.c_str(), FALSE));
    EXPECT_EQ(std::optional<DWORD>(3), RunToEnd(probe, "lz32.dll winmm.dll msimg32.dll"));
    const std::string byProbe = Loaded();
    EXPECT_NE(std::string::npos, byProbe.find("R:\\msimg32.dll")) << "the test's search order is not Windows': "
                                                                   << byProbe;
    ::DeleteFileA(probe.c_str());

    EXPECT_EQ(std::optional<DWORD>(1), RunToEnd(disc, "/check"));
    EXPECT_EQ("", Loaded()) << "/check";

    // The dialog, with its labels and buttons painted, ended by « Terminer ».
    {
        AppUnderTest app;
        const HWND dialog = Start(app, disc, Planted());
        ASSERT_NE(nullptr, dialog);
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(IsResponsive(dialog, 5000));
        ASSERT_TRUE(Click(dialog, IDCANCEL));
        EXPECT_TRUE(app.WaitForExit(10000).has_value());
    }
    EXPECT_EQ("", Loaded()) << "the dialog";

    // /quiet from a school's share, the update expanding and running the installer in
    // two folders, the second of which every user may change: the log warns of that
    // one, once.
    const std::string open = suite.AddFolder(OPEN_INSTALL_FOLDER, "1, 2, 0, 0", {"Tolvane"});
    RemoveTree("U:\\Orvandel13");
    LayOutDisc("U:\\Orvandel13");
    Plant("U:\\Orvandel13");
    const std::string runLog = markerFolder / "run.log";
    EXPECT_EQ(std::optional<DWORD>(0), RunToEnd("\\\\serveur\\logiciels\\Orvandel13\\MiseAJour.exe",
                                                "/quiet /log=\"" + runLog + "\""));
    EXPECT_EQ("", Loaded()) << "/quiet from the share";
    const std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(5u, runs.size());
    EXPECT_EQ(" /u/c/*" + folder, runs[0].commandLine);
    EXPECT_EQ(" /u/c/*" + open, runs[3].commandLine);
    const std::string written = ReadFileBytes(runLog);
    const std::string warning = "Attention : le dossier ";
    const size_t first = written.find(warning);
    ASSERT_NE(std::string::npos, first) << written;
    EXPECT_EQ(std::string::npos, written.find(warning, first + 1)) << "warned more than once:\n" << written;
    EXPECT_EQ(0, written.compare(first + warning.size() + 3, open.size(), open))
        << "warned of another folder:\n" << written;
    RemoveTree("U:\\Orvandel13");
}
