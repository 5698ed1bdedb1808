// The update procedure on its own, heard through a recording driver: each case is
// the sequence of events it must report, written as a table, and the exit code that
// sequence gives. The disc's installer is the real stand-in, expanded and run in a
// temporary folder; its behaviour comes from its own environment variables.

#include "CKernelHandle.h"
#include "ExitCode.h"
#include "InstallerHandoff.h"
#include "UpdateProcedure.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string WindowsPath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A variable of the test process, which the stand-in inherits, set for one case.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) { ::SetEnvironmentVariableA(name, value); }
    ~ScopedVariable() { ::SetEnvironmentVariableA(m_name, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
};

const char* WhyName(NotReinstalled why)
{
    switch (why) {
    case NotReinstalled::QuillMx: return "quill-mx";
    case NotReinstalled::NoProductCode: return "no-code";
    case NotReinstalled::RunNotStarted: return "not-started";
    case NotReinstalled::PassedOver: return "passed-over";
    case NotReinstalled::RunCrashed: return "crashed";
    }
    return "?";
}

std::string Hex(DWORD value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// Every report as a short line; the folder is "F", the disc "D". Answers the
// question of open applications from a list of answers, then with "give up".
class CRecordingDriver : public IUpdateDriver {
public:
    CRecordingDriver(std::string folder, std::string disc) : m_folder(std::move(folder)), m_disc(std::move(disc)) {}

    std::vector<std::string> events;
    std::vector<bool> answers;

    bool RetryWithOpenApplications(const char*, const CStringArray&) override
    {
        const bool retry = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        events.push_back(retry ? "answer retry" : "answer cancel");
        return retry;
    }
    void OnUpdateBegins(const char* folder) override { events.push_back("begins " + Short(folder)); }
    void OnApplications(const CResolvedApplications& applications) override
    {
        std::string line = "applications";
        for (const CResolvedApplication& application : applications)
            line += std::string(" ") + static_cast<const char*>(application.name) + "=" +
                    (application.HasCode() ? static_cast<const char*>(application.productCode)
                                           : WhyName(application.whyNoCode));
        events.push_back(line);
    }
    void OnOpenApplications(const char*, const CStringArray& images) override
    {
        std::string line = "open";
        for (int i = 0; i < images.GetSize(); ++i)
            line += " " + Short(images.GetAt(i));
        events.push_back(line);
    }
    void OnDiscFound(const char* disc) override { events.push_back("disc " + Short(disc)); }
    void OnStep(UpdateStep step, const char* name, int index, int count) override
    {
        if (step == UpdateStep::CopyInstaller)
            events.push_back("step copy");
        else if (step == UpdateStep::RemoveOldVersion)
            events.push_back("step removal");
        else
            events.push_back("step reinstall " + std::string(name) + " " + std::to_string(index) + "/" +
                             std::to_string(count));
    }
    void OnInstallerRun(const CInstallerRun& run) override
    {
        std::string line = run.step == UpdateStep::RemoveOldVersion ? "run removal" : "run " + Short(run.name);
        if (!run.started)
            line += run.error != 0 ? " not started" : " not started, no error";
        else if (run.Crashed())
            line += " crashed " + Hex(run.exitCode);
        else
            line += " exit " + std::to_string(run.exitCode);
        events.push_back(line);
    }
    void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code) override
    {
        std::string line = std::string("not reinstalled ") + name + " " + WhyName(why);
        if (why == NotReinstalled::RunCrashed || why == NotReinstalled::PassedOver)
            line += " " + (why == NotReinstalled::RunCrashed ? Hex(code) : std::to_string(code));
        events.push_back(line);
    }
    void OnInfoBlockNotPublished(DWORD error) override { events.push_back("info block " + std::to_string(error)); }
    void OnCopyFailed(const char* source, const char* target, DWORD error) override
    {
        events.push_back("copy failed " + Short(source) + " > " + Short(target) + (error ? " with error" : ""));
    }
    void OnError(const CUpdateError& error) override
    {
        events.push_back("error " + std::to_string(error.number) + (error.systemError ? " with error" : ""));
    }
    void OnUpdateEnds(const char* folder, UpdateOutcome outcome, int error) override
    {
        const char* how = outcome == UpdateOutcome::Updated ? "updated" : outcome == UpdateOutcome::Failed ? "failed"
                                                                                                            : "left open";
        events.push_back("ends " + Short(folder) + " " + how + " " + std::to_string(error));
    }

private:
    std::string Short(const char* path) const
    {
        std::string text = path;
        for (const auto& [long_, short_] : {std::make_pair(m_folder, "F"), std::make_pair(m_disc, "D")})
            if (text.compare(0, long_.size(), long_) == 0)
                text = short_ + text.substr(long_.size());
        return text;
    }

    std::string m_folder;
    std::string m_disc;
};

std::string ExpectedEvents(const std::vector<std::string>& events)
{
    std::string text;
    for (const std::string& event : events)
        text += "  " + event + "\n";
    return text;
}

// A disc with the compressed stand-in, an installation folder and the stand-in's log.
class UpdateProcedureTest : public ::testing::Test {
protected:
    UpdateProcedureTest()
        : standinLog("MISEAJOUR_STANDIN_LOG", (scratch / "standin.log").c_str()),
          driver(folder.path(), disc.path())
    {
        ::CopyFileA(WindowsPath(STANDIN_COMPRESSED_PATH).c_str(), (disc / "_install.ex_").c_str(), FALSE);
    }

    // Runs the procedure on the folder with `applications`; checks the events it
    // reported against `expected` and the exit code they give.
    void Check(const char* label, const std::vector<const char*>& applications,
               const std::vector<std::string>& expected, int expectedCode)
    {
        CStringArray names;
        for (const char* name : applications)
            names.Add(name);
        CExitCode code;
        CUpdateProcedure procedure(driver, {&code}, (disc / "MiseAJour.exe").c_str());
        procedure.Run(folder.path().c_str(), ResolveApplications(names));
        code.RunEnds(0);
        EXPECT_EQ(ExpectedEvents(expected), ExpectedEvents(driver.events)) << label;
        EXPECT_EQ(expectedCode, code.Code()) << label;
    }

    TempDir disc{"disc"};
    TempDir folder{"folder"};
    TempDir scratch{"scratch"};
    ScopedVariable standinLog;
    CRecordingDriver driver;
};

TEST_F(UpdateProcedureTest, CleanFolderRunsTheRemovalThenOneReinstallPerApplication)
{
    Check("clean folder", {"Pavane 5", "Tolvane"},
          {"begins F", "applications Pavane 5=K7_Q Tolvane=W%_Q", "step copy", "disc D", "step removal",
           "run removal exit 0", "step reinstall Pavane 5 1/2", "run Pavane 5 exit 0", "step reinstall Tolvane 2/2",
           "run Tolvane exit 0", "ends F updated 0"},
          kExitDone);
    EXPECT_FALSE(PathExists(folder / "_install.bak")) << "the backup is removed at the end";
}

TEST_F(UpdateProcedureTest, ApplicationsWithoutACodeAreToldInTheirOrder)
{
    Check("without a code, and Quill Mx", {"Atlas", "Pavane 5", "quill mx"},
          {"begins F", "applications Atlas=no-code Pavane 5=K7_Q quill mx=quill-mx", "step copy", "disc D",
           "step removal", "run removal exit 0", "not reinstalled Atlas no-code", "step reinstall Pavane 5 1/1",
           "run Pavane 5 exit 0", "not reinstalled quill mx quill-mx", "ends F updated 0"},
          kExitNotReinstalled);
}

TEST_F(UpdateProcedureTest, BlocksThatCannotBeMadeAreToldAndOnlyTheCodeBlockStopsARun)
{
    // Another program holds a block's name as an event: the mapping fails with
    // ERROR_INVALID_HANDLE.
    struct Case {
        const char* held;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {kCodeBlockName,
         {"begins F", "applications Pavane 5=K7_Q Quill Mx=quill-mx", "step copy", "disc D", "step removal",
          "run removal exit 0", "not reinstalled Pavane 5 passed-over 6", "not reinstalled Quill Mx quill-mx",
          "ends F updated 0"}},
        {kInfoBlockName,
         {"begins F", "applications Pavane 5=K7_Q Quill Mx=quill-mx", "step copy", "disc D", "step removal",
          "run removal exit 0", "info block 6", "step reinstall Pavane 5 1/1", "run Pavane 5 exit 0",
          "not reinstalled Quill Mx quill-mx", "ends F updated 0"}},
    };
    for (const Case& c : cases) {
        driver.events.clear();
        const CKernelHandle holder(::CreateEventA(nullptr, TRUE, FALSE, c.held));
        ASSERT_TRUE(holder.IsValid());
        Check(c.held, {"Pavane 5", "Quill Mx"}, c.events, kExitNotReinstalled);
    }
}

TEST_F(UpdateProcedureTest, RemovalRunThatCannotStartIsError4)
{
    // Stored uncompressed, the disc's file is copied as it is: text, no program.
    ASSERT_TRUE(WriteFileBytes(disc / "_install.ex_", "ceci n'est pas un programme"));
    Check("removal not started", {"Pavane 5"},
          {"begins F", "applications Pavane 5=K7_Q", "step copy", "disc D", "step removal", "run removal not started",
           "error 4 with error", "ends F failed 4"},
          4);
}

TEST_F(UpdateProcedureTest, CrashedRunsGoOnAndEndWith1603)
{
    struct Case {
        const char* crash;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"removal",
         {"begins F", "applications Pavane 5=K7_Q", "step copy", "disc D", "step removal",
          "run removal crashed 0xC0000005", "step reinstall Pavane 5 1/1", "run Pavane 5 exit 0", "ends F updated 0"}},
        {"reinstall",
         {"begins F", "applications Pavane 5=K7_Q", "step copy", "disc D", "step removal", "run removal exit 0",
          "step reinstall Pavane 5 1/1", "run Pavane 5 crashed 0xC0000005",
          "not reinstalled Pavane 5 crashed 0xC0000005", "ends F updated 0"}},
    };
    for (const Case& c : cases) {
        driver.events.clear();
        const ScopedVariable crash("MISEAJOUR_STANDIN_CRASH", c.crash);
        Check(c.crash, {"Pavane 5"}, c.events, kExitFatalError);
    }
}

TEST_F(UpdateProcedureTest, FailedBackupIsToldAndTheUpdateGoesOn)
{
    // A folder named "_install.bak" takes the backup's place: neither copy can be made.
    ASSERT_TRUE(MakeFolders(folder / "_install.bak"));
    Check("backup blocked", {"Tolvane"},
          {"begins F", "applications Tolvane=W%_Q", "step copy", "disc D",
           "copy failed F\\_install.exe > F\\_install.bak with error", "step removal", "run removal exit 0",
           "copy failed F\\_install.bak > F\\_install.exe with error", "step reinstall Tolvane 1/1",
           "run Tolvane exit 0", "ends F updated 0"},
          kExitDone);
}

TEST_F(UpdateProcedureTest, DiscTakenOutBetweenTwoFoldersIsError5)
{
    Check("first folder", {}, {"begins F", "applications", "step copy", "disc D", "step removal", "run removal exit 0",
                               "ends F updated 0"},
          kExitDone);
    ASSERT_TRUE(::DeleteFileA((disc / "_install.ex_").c_str()));
    driver.events.clear();
    Check("second folder", {}, {"begins F", "applications", "step copy", "error 5", "ends F failed 5"}, 5);
}

TEST_F(UpdateProcedureTest, OpenApplicationsRetriedThenCancelledLeaveTheFolderUntouched)
{
    const std::string sleeper = folder / "child_sleeper.exe";
    ASSERT_TRUE(::CopyFileA(WindowsPath(CHILD_SLEEPER_PATH).c_str(), sleeper.c_str(), FALSE));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    {
        const ScopedVariable sleep("MJ_CHILD_SLEEP_MS", "60000");
        ASSERT_TRUE(::CreateProcessA(sleeper.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                     folder.path().c_str(), &startup, &child));
    }
    const CKernelHandle process(child.hProcess), thread(child.hThread);
    driver.answers = {true, false};
    Check("open applications", {"Pavane 5"},
          {"begins F", "applications Pavane 5=K7_Q", "open F\\child_sleeper.exe", "answer retry",
           "open F\\child_sleeper.exe", "answer cancel", "ends F left open 0"},
          kExitApplicationsOpen);
    EXPECT_FALSE(PathExists(folder / "_install.exe")) << "nothing may be copied into an open folder";
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, 10000);
}

} // namespace
