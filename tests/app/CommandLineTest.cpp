// ParseCommandLine on command lines as Windows hands them to the program, split by
// the C runtime as the program's own arguments are; and that split held against the
// system's own (CommandLineToArgvW), which the program no longer loads.

#include "CommandLine.h"
#include "CKernelHandle.h"
#include "TempDir.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Str(const CString& text)
{
    return static_cast<const char*>(text);
}

// The arguments after the program name that the C runtime of a windows-subsystem
// program makes of `line` (argv_echo records them). Empty, with a failure, when the
// child cannot be run.
std::vector<std::string> RuntimeArguments(const std::string& line)
{
    static TempDir dir("argv");
    const std::string record = dir / "argv.txt";
    ::DeleteFileA(record.c_str());
    ::SetEnvironmentVariableA("MJ_ARGV_RECORD", record.c_str());
    std::vector<char> copy(line.begin(), line.end());
    copy.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(ARGV_ECHO_PATH, copy.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        ADD_FAILURE() << "argv_echo does not start: error " << ::GetLastError();
        return {};
    }
    const CKernelHandle process(info.hProcess), thread(info.hThread);
    ::WaitForSingleObject(process, 30000);
    DWORD code = 99;
    ::GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code) << "argv_echo's exit code";
    std::vector<std::string> arguments;
    const std::string text = ReadFileBytes(record);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        arguments.push_back(text.substr(start, end - start));
    return arguments;
}

// What the system's CommandLineToArgvW makes of `line`, after the program name, in
// the ANSI code page.
std::vector<std::string> SystemArguments(const std::string& line)
{
    wchar_t wide[1024] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, wide, 1024);
    int count = 0;
    wchar_t** argv = ::CommandLineToArgvW(wide, &count);
    std::vector<std::string> arguments;
    for (int i = 1; argv && i < count; ++i) {
        char ansi[1024] = "";
        ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, ansi, sizeof ansi, nullptr, nullptr);
        arguments.push_back(ansi);
    }
    ::LocalFree(argv);
    return arguments;
}

bool Parse(const std::vector<std::string>& arguments, CCommandLine& out)
{
    std::vector<const char*> argv{"MiseAJour.exe"};
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), out);
}

std::string Joined(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += "[" + argument + "]";
    return text;
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
        EXPECT_EQ(c.ok, Parse(RuntimeArguments(c.line), out));
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
        EXPECT_EQ(c.ok, Parse(RuntimeArguments(c.line), out));
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

TEST(CommandLine, TheRuntimeSplitsAsTheSystemDoes)
{
    // Quotes group blanks, 2n backslashes before a quote give n and a quote that
    // opens or closes, 2n + 1 give n and a literal quote, other backslashes are kept.
    const char* const alike[] = {
        "MiseAJour.exe /quiet   /check\t-LOG=x",
        "\"D:\\Mise a jour\\MiseAJour.exe\" /log=\"C:\\a b\\x.log\"",
        "MiseAJour.exe \"/log=C:\\a b\\x.log\" /quiet",
        "MiseAJour.exe \"/log=C:\\journaux\\\\\" /check",
        "MiseAJour.exe /log=\"C:\\a\\\"b\"",
        "MiseAJour.exe /log=C:\\a\\\\\\b \\\\serveur\\partage",
        "MiseAJour.exe \"\" /log=\"\" a\"b c\"d",
        "MiseAJour.exe /log=C:\\*.log ?",
        "MiseAJour.exe \"/log=C:\\Coll\xE8ge\\x.log\"",
    };
    for (const char* line : alike) {
        SCOPED_TRACE(std::string("command line: ") + line);
        EXPECT_EQ(Joined(SystemArguments(line)), Joined(RuntimeArguments(line)));
    }
    // Where they part: two quotes inside quotes give a literal quote, after which the
    // runtime stays within the quotes and the system leaves them. No switch of the
    // updater is written so, and a Windows path holds no quote.
    const char* const twoQuotes = "MiseAJour.exe \"a\"\"b c\"";
    EXPECT_EQ("[a\"b c]", Joined(RuntimeArguments(twoQuotes)));
    EXPECT_EQ("[a\"b][c]", Joined(SystemArguments(twoQuotes)));
}
