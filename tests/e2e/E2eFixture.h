#pragma once
// What every end-to-end test starts from: an empty suite register, two empty spare
// drives R: and S:, and a log file for the stand-in installer's record of its runs.

#include "Automation.h"
#include "StandinLog.h"
#include "SuiteFixture.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern const char kTitle[];          // the dialog's title, Windows-1252
extern const char kUpToDate[];       // message 3
extern const char kNotice[];         // message 10

// A file of the Linux build as Wine sees it.
std::string WindowsPath(const char* unixPath);
std::string ProgramPath();            // the built MiseAJour.exe
std::string CompressedInstallerPath();// the stand-in compressed into _install.ex_

// Message 7 with `count`.
std::string ApplicationsFound(int count);

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd();
    ~EndToEnd() override;

    // Copies the program to `directory` (made if missing) and, when `withInstaller`,
    // the compressed stand-in beside it. Returns the program's path there.
    std::string LayOutDisc(const std::string& directory, bool withInstaller = true);
    // The environment the program is started with: where the stand-in records its runs.
    Environment StandinEnvironment(DWORD runMilliseconds = 0) const;
    std::vector<standin::Run> Runs() const;

    // Starts `program` and waits for its dialog: null when it did not appear.
    HWND Start(AppUnderTest& app, const std::string& program, const Environment& environment);

    // Presses "Mettre à jour" and answers every box with OK until the update is
    // over: the program has ended, or it is back in its dialog's message loop (it
    // answers a sent WM_NULL with its dialog usable, no box up and none coming).
    std::vector<MessageBoxSeen> RunUpdate(AppUnderTest& app, HWND dialog, DWORD timeoutMs = 60000);

    SuiteInstallations suite;
    TempDir logFolder{"log"};
    std::string log;
};

// How a run started by a script went.
struct Unattended {
    std::optional<DWORD> exitCode;
    std::string output;           // what the program wrote to its standard output
    bool windowShown = false;     // a visible top-level window of the program was seen
};

// Runs `program` with `arguments` to its end, its standard output redirected to a
// file, looking for a window of it every few milliseconds all the while.
Unattended RunUnattended(const std::string& program, const std::string& arguments, const Environment& environment,
                         DWORD timeoutMs = 60000, const std::string& currentDir = "");

// `ansi` (Windows-1252, the program's own texts) in UTF-8, as the run log holds it.
std::string Utf8(const std::string& ansi);
// Whether the run log at `path` holds `part` (Windows-1252).
bool LogHolds(const std::string& path, const std::string& part);

// Every file below `folder` with its content, by name relative to it.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder);
