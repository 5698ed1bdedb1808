// Outcomes a script and a technician believe, seen from outside: an application
// passed over, an installer run that crashed, and a fault of the updater itself all
// end with the code that says so and a log that names them.

#include "CKernelHandle.h"
#include "E2eFixture.h"

namespace {

// The log's last line, without its line end.
std::string LastLine(const std::string& path)
{
    std::string text = ReadFileBytes(path);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

std::optional<DWORD> RunToEnd(const std::string& program, const std::string& arguments, const Environment& environment)
{
    AppUnderTest app;
    if (!app.Start(program, environment, "", arguments))
        return std::nullopt;
    return app.WaitForExit(60000);
}

class HonestOutcome : public EndToEnd {
protected:
    std::string runLog = logFolder / "run.log";
    std::string Quiet() const { return "/quiet /log=\"" + runLog + "\""; }
};

TEST_F(HonestOutcome, ApplicationsPassedOverAreLoggedAndTheRunEndsWith6)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string folder = suite.AddFolder("Salle 4", "1, 2, 0, 0", {"Pavane 5", "Tolvane"});
    // Another program holds the code block's name as an object of another kind.
    CKernelHandle holder(::CreateEventA(nullptr, TRUE, FALSE, "Installation VELMOR (Code)"));
    ASSERT_TRUE(holder.IsValid());
    EXPECT_EQ(std::optional<DWORD>(6), RunToEnd(disc, Quiet(), StandinEnvironment()));
    holder.Close();

    const std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(1u, runs.size()) << "only the removal runs";
    EXPECT_EQ(standin::Mode::Removal, runs[0].mode);
    for (const char* name : {"Pavane 5", "Tolvane"})
        EXPECT_TRUE(LogHolds(runLog, std::string("Application « ") + name +
                                         " » non réinstallée : aucune exécution, le bloc « Installation VELMOR "
                                         "(Code) » n'a pas pu être créé (erreur système 6 : "))
            << name << "\n" << ReadFileBytes(runLog);
    EXPECT_FALSE(LogHolds(runLog, "Message non affiché")) << "no box would have been shown";
    EXPECT_NE(std::string::npos, LastLine(runLog).find("code de sortie 6")) << LastLine(runLog);
}

TEST_F(HonestOutcome, CrashedInstallerRunsAreShownAsExceptionsAndTheRunEndsWith1603)
{
    const std::string disc = LayOutDisc("R:\\");
    suite.AddFolder("Salle 5", "1, 2, 0, 0", {"Pavane 5"});
    Environment environment = StandinEnvironment();
    environment.push_back({"MISEAJOUR_STANDIN_CRASH", "1"});
    EXPECT_EQ(std::optional<DWORD>(1603), RunToEnd(disc, Quiet(), environment));

    // The update goes on past a crashed removal run, as it does past any exit code.
    const std::vector<standin::Run> runs = Runs();
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(standin::Mode::Reinstall, runs[1].mode);
    EXPECT_TRUE(LogHolds(runLog, "arrêtée sur l'exception 0xC0000005 (violation d'accès)")) << ReadFileBytes(runLog);
    EXPECT_FALSE(LogHolds(runLog, "3221225477")) << "the code written as a decimal";
    EXPECT_TRUE(LogHolds(runLog, "Application « Pavane 5 » non réinstallée : sa réinstallation s'est arrêtée"));
    EXPECT_NE(std::string::npos, LastLine(runLog).find("code de sortie 1603")) << LastLine(runLog);
}

TEST_F(HonestOutcome, FaultOfTheUpdaterEndsWith1603AndALastLogLine)
{
    std::string program = "R:\\MiseAJour.exe";
    ASSERT_TRUE(::CopyFileA(WindowsPath(FAULTY_UPDATER_PATH).c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(CompressedInstallerPath().c_str(), "R:\\_install.ex_", FALSE));
    suite.AddFolder("Salle 6", "1, 2, 0, 0", {"Pavane 5"});

    struct Case {
        const char* fault;
        const char* arguments;   // "" for the dialog
        const char* logged;      // in the line before the last; "" when no log is open yet
    };
    const Case cases[] = {
        {"throw", "", "exception pendant le traitement du message 0x0111"},
        {"throw", "/quiet", "Erreur interne : l'exécution s'est interrompue (exception)"},
        {"crash", "/quiet", "exception 0xC0000005 (violation d'accès) à l'adresse"},
        {"start", "/check", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.arguments);
        RemoveTree(runLog);
        Environment environment = StandinEnvironment();
        environment.push_back({"MISEAJOUR_TEST_FAULT", c.fault});
        const std::string arguments = std::string(c.arguments) + " /log=\"" + runLog + "\"";
        std::optional<DWORD> code;
        if (!*c.arguments) {
            AppUnderTest app;
            ASSERT_TRUE(app.Start(program, environment, "", arguments));
            HWND dialog = app.WaitForDialog(kTitle);
            ASSERT_NE(nullptr, dialog);
            RunUpdate(app, dialog);
            // The dialog is never left disabled: it ends, and the process with it.
            code = app.WaitForExit(10000);
        } else {
            code = RunToEnd(program, arguments, environment);
        }
        EXPECT_EQ(std::optional<DWORD>(1603), code);
        if (*c.logged) {
            EXPECT_TRUE(LogHolds(runLog, c.logged)) << ReadFileBytes(runLog);
            EXPECT_NE(std::string::npos, LastLine(runLog).find("code de sortie 1603")) << ReadFileBytes(runLog);
        }
        EXPECT_TRUE(Runs().empty()) << "the fault comes before the removal run";
    }
}

} // namespace
