// ParseCommandLine on command lines as Windows hands them to the program.

#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Str(const CString& text)
{
    return static_cast<const char*>(text);
}

} // namespace

TEST(CommandLine, SwitchesQuotingAndUnknownArguments)
{
    struct Case {
        const char* line;
        bool ok;
        bool quiet, check, usage;
        const char* logPath;
        const char* unknown;
    };
    const Case cases[] = {
        {"", true, false, false, false, "", ""},
        {"MiseAJour.exe", true, false, false, false, "", ""},
        {"\"D:\\Mise a jour\\MiseAJour.exe\"   ", true, false, false, false, "", ""},
        {"\"D:\\Mise a jour\\MiseAJour.exe\" /quiet", true, true, false, false, "", ""},
        {"MiseAJour.exe /QUIET -Check", true, true, true, false, "", ""},
        {"MiseAJour.exe /?", true, false, false, true, "", ""},
        {"MiseAJour.exe -h", true, false, false, true, "", ""},
        {"MiseAJour.exe /HeLp", true, false, false, true, "", ""},
        // The path as the three ways of writing it give it.
        {"MiseAJour.exe /log=C:\\x.log", true, false, false, false, "C:\\x.log", ""},
        {"MiseAJour.exe /log=\"C:\\a b\\x.log\"", true, false, false, false, "C:\\a b\\x.log", ""},
        {"MiseAJour.exe \"/log=C:\\a b\\x.log\" /quiet", true, true, false, false, "C:\\a b\\x.log", ""},
        {"MiseAJour.exe -LOG=\\\\serveur\\journaux\\Coll\xE8ge.log", true, false, false, false,
         "\\\\serveur\\journaux\\Coll\xE8ge.log", ""},
        {"MiseAJour.exe /log=a.log /log=b.log", true, false, false, false, "b.log", ""},
        // A backslash before a quote escapes it, and two before it stand for one.
        {"MiseAJour.exe \"/log=C:\\journaux\\\\\" /check", true, false, true, false, "C:\\journaux\\", ""},
        {"MiseAJour.exe /log=\"C:\\a\\\"b\"", true, false, false, false, "C:\\a\"b", ""},
        // Not known: the first is named, the others are still applied.
        {"MiseAJour.exe /log=", false, false, false, false, "", "/log="},
        {"MiseAJour.exe /log=\"\"", false, false, false, false, "", "/log="},
        {"MiseAJour.exe /log", false, false, false, false, "", "/log"},
        {"MiseAJour.exe /log:C:\\x.log", false, false, false, false, "", "/log:C:\\x.log"},
        {"MiseAJour.exe /quiet /VERYSILENT /check -S", false, true, true, false, "", "/VERYSILENT"},
        {"MiseAJour.exe /S /log=C:\\x.log", false, false, false, false, "C:\\x.log", "/S"},
        {"MiseAJour.exe /quiet=1", false, false, false, false, "", "/quiet=1"},
        {"MiseAJour.exe quiet", false, false, false, false, "", "quiet"},
        {"MiseAJour.exe /", false, false, false, false, "", "/"},
        {"MiseAJour.exe \"\"", false, false, false, false, "", "\"\""},
        {"MiseAJour.exe \"/quiet /check\"", false, false, false, false, "", "/quiet /check"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("command line: ") + c.line);
        CCommandLine out;
        EXPECT_EQ(c.ok, ParseCommandLine(c.line, out));
        EXPECT_EQ(c.quiet, out.quiet);
        EXPECT_EQ(c.check, out.check);
        EXPECT_EQ(c.usage, out.usage);
        EXPECT_EQ(c.logPath, Str(out.logPath));
        EXPECT_EQ(c.unknown, Str(out.unknown));
    }
}

TEST(CommandLine, TheRoomsFolders)
{
    const struct {
        const char* line;
        bool ok;
        const char* report;
        const char* summary;
    } cases[] = {
        {"MiseAJour.exe /quiet /report=\\\\serveur\\journaux\\Orvandel13", true, "\\\\serveur\\journaux\\Orvandel13", ""},
        {"MiseAJour.exe /check \"/REPORT=C:\\Mes relev\xE9s\"", true, "C:\\Mes relev\xE9s", ""},
        {"MiseAJour.exe -summary=\"R:\\salle 12\" /quiet", true, "", "R:\\salle 12"},
        {"MiseAJour.exe /report=a /report=b /summary=c", true, "b", "c"},
        {"MiseAJour.exe /report=", false, "", ""},
        {"MiseAJour.exe /summary= /report=x", false, "x", ""},
        {"MiseAJour.exe /rapport=x", false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CCommandLine out;
        EXPECT_EQ(c.ok, ParseCommandLine(c.line, out));
        EXPECT_EQ(c.report, Str(out.reportFolder));
        EXPECT_EQ(c.summary, Str(out.summaryFolder));
    }
}

TEST(CommandLine, UsageNamesEverySwitchInFrench)
{
    const std::string text = Str(UsageText());
    for (const char* needle : {"/quiet", "/check", "/log=", "/report=", "/summary=", "/?", "Utilisation", "\xE9" /* é, Windows-1252 */})
        EXPECT_NE(std::string::npos, text.find(needle)) << needle << " in:\n" << text;
}
