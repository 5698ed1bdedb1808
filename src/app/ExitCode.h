#pragma once
// How a run of the updater went, as the process's exit code, for the scripts and
// deployment tools that start it. Where a meaning is shared, the code is the one
// Windows Installer gives it, since those tools already know them.

#include "CStringArray.h"
#include "UpdateEvents.h"

enum ExitCode : int {
    kExitDone = 0,              // every folder offered was updated, or none needed it
    kExitNeedsUpdate = 1,       // /check: at least one folder needs the update
    // 2 to 5: the update stopped on that numbered error (UpdateErrorNumber)
    kExitNotReinstalled = 6,    // updated, but an application was not reinstalled
    kExitApplicationsOpen = 7,  // a folder was left because applications in it were open
    kExitEndedByUser = 1602,    // ended by the user with a folder offered and not updated
    kExitAnotherRuns = 1618,    // another updater was already running
    kExitUnknownSwitch = 1639,  // the command line holds a switch the updater does not know
    // Windows Installer's "fatal error during installation": an installer run that
    // died of an exception, or a fault of the updater itself that broke the run off.
    kExitFatalError = 1603,
};

// What an exit code means, in a few French words for the log and the record; ""
// for a code the updater never gives.
const char* ExitCodeMeaning(int code);

// Listens to the update procedure and keeps what the exit code needs. Where several
// apply, the code is the first numbered error, else 1603 for a crashed installer
// run, else 7, else 6, else 1602.
class CExitCode : public IUpdateEvents {
public:
    void OnInstallerRun(const CInstallerRun& run) override;
    void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code) override;
    void OnError(const CUpdateError& error) override;
    void OnUpdateEnds(const char* folder, UpdateOutcome outcome, int error) override;

    // The run ends with `foldersLeft` folders offered and not handled.
    void RunEnds(int foldersLeft) { m_foldersLeft = foldersLeft; }
    int Code() const;

private:
    int m_firstError = 0;
    bool m_runCrashed = false;
    bool m_notReinstalled = false;
    // Folders left because applications were open, and not updated since.
    CStringArray m_leftOpen;
    int m_foldersLeft = 0;
};
