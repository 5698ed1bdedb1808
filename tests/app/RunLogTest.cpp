// What the run log says of the outcomes the end-to-end runs do not show: each event,
// written to a real log file, gives a line holding these words.

#include "InstallerHandoff.h"
#include "RunLog.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The log is UTF-8; the program's texts are Windows-1252.
std::string Utf8(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<size_t>(
        ::MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], static_cast<int>(wide.size()))));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                          &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

TEST(RunLogTest, EachOutcomeIsNamedWithItsCause)
{
    CUpdateError lz;
    lz.number = kExpandFailed;
    lz.folder = "C:\\S";
    lz.path = "C:\\S\\_install.exe";
    lz.lzError = -3;
    lz.expandedBytes = 0;
    lz.expectedBytes = 5000;
    struct Case {
        const char* label;
        std::function<void(CRunLog&)> event;
        std::string expected;
    };
    const Case cases[] = {
        {"stack overflow", [](CRunLog& log) { CInstallerRun run; run.started = true; run.exitCode = 0xC00000FD;
                                              log.OnInstallerRun(run); },
         "arrêtée sur l'exception 0xC00000FD (dépassement de pile)"},
        {"info block", [](CRunLog& log) { log.OnInfoBlockNotPublished(ERROR_INVALID_HANDLE); },
         "Le bloc « Installation VELMOR (Info) » n'a pas pu être créé (erreur système 6 : "},
        {"backup copy", [](CRunLog& log) { log.OnCopyFailed("C:\\S\\_install.exe", "C:\\S\\_install.bak", 5); },
         "Copie de « C:\\S\\_install.exe » vers « C:\\S\\_install.bak » impossible (erreur système 5 : "},
        {"LZ error", [&](CRunLog& log) { log.OnError(lz); },
         "Erreur 3 : décompression du programme d'installation, « C:\\S\\_install.exe », LZERROR_READ (-3) : "},
        {"unnamed LZ error", [&](CRunLog& log) { lz.lzError = -20; log.OnError(lz); }, "erreur LZ -20"},
    };
    for (const Case& c : cases) {
        TempDir folder("log");
        {
            CRunLog log;
            ASSERT_TRUE(log.Open((folder / "run.log").c_str()));
            c.event(log);
        }
        const std::string written = ReadFileBytes(folder / "run.log");
        EXPECT_NE(std::string::npos, written.find(Utf8(c.expected))) << c.label << "\n  got: " << written;
    }
}

} // namespace
