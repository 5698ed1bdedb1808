#pragma once
// The program's application object: what the command line asks for (the main dialog,
// a run with no window, or a check), and the exit code that says how it went.

#include "CWinApp.h"
#include "CommandLine.h"
#include "ExitCode.h"
#include "RunLog.h"
#include "RunRecorder.h"

#include <vector>

class CDialog;

class CUpdateApp : public CWinApp {
public:
    CUpdateApp() = default;
    BOOL InitInstance() override;
    // Ends the log and gives the run's exit code (ExitCode.h) to the process.
    int ExitInstance() override;

    // A fault of the updater in a message handler ends the run as one anywhere else
    // does: a last log line, the dialog ended (never left disabled), exit code 1603.
    void ProcessWndProcException(UINT message) override;
    // A fault before the run's own handler (or after it) ends with 1603 too, never
    // with 1, which is /check's "an update is needed".
    int ProcessStartupException() override;

    DECLARE_MESSAGE_MAP()

protected:
    // Who hears the update procedure: the log and the exit code.
    virtual std::vector<IUpdateEvents*> Listeners();

private:
    // What the command line asks for, once the log is open; returns the exit code.
    int RunAsAsked(const CCommandLine& options, bool known, bool unattended);
    // /check: writes the folders that need the update to standard output and logs
    // them; the exit code is 1 when there is one at least, else 0. Changes nothing.
    int CheckFolders();
    // /report=FOLDER: leaves the record of this run there, once the exit code is known.
    void WriteRecord(const CCommandLine& options);
    // /summary=FOLDER: the room's report from the records there, its counts on
    // standard output, the page opened unless `quiet`. 0 when the room is done, else 1.
    int SummarizeRoom(const CString& folder, bool quiet);
    // The usage box, after the switch the updater did not know when there is one.
    void ShowUsage(const char* unknownSwitch);

    // The last lines of a run broken off by a fault of the updater.
    void EndOnFault(const char* what);
    // What an unattended run's crash leaves in the log before the process ends.
    static void ReportCrash(DWORD code, const void* address);

    CRunLog m_log;
    CExitCode m_outcome;
    CRunRecorder m_recorder;
    int m_exitCode = kExitDone;
    // The main dialog while it runs.
    CDialog* m_pDialog = nullptr;
    bool m_faulted = false;
};

extern CUpdateApp theApp;
