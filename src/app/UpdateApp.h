#pragma once
// The program's application object: it shows the main dialog and ends when it closes.

#include "CWinApp.h"
#include "ExitCode.h"
#include "RunLog.h"

class CUpdateApp : public CWinApp {
public:
    CUpdateApp() = default;
    BOOL InitInstance() override;
    // Ends the log and gives the run's exit code (ExitCode.h) to the process.
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()

private:
    // The usage box, after the switch the updater did not know when there is one.
    void ShowUsage(const char* unknownSwitch);

    CRunLog m_log;
    CExitCode m_outcome;
    int m_exitCode = kExitDone;
};

extern CUpdateApp theApp;
