#pragma once
// What the update of one folder reports while it runs. The procedure tells its
// listeners first (the run log, the exit code), then its driver: the dialog turns
// the reports into its message boxes and status texts, a run with no window into
// nothing more than the log. Every method has an empty default.

#include "CString.h"
#include "CStringArray.h"
#include "ResolvedApplication.h"
#include "UpdateError.h"

#include <windows.h>

// The steps of one folder's update that take time, in the order they run.
enum class UpdateStep {
    CopyInstaller,     // the disc's installer copied into the folder and expanded
    RemoveOldVersion,  // the removal run
    Reinstall,         // one reinstall run per application with a product code
};

// One run of the installer, as it went.
struct CInstallerRun {
    UpdateStep step = UpdateStep::RemoveOldVersion;   // the removal run or a reinstall run
    CString name;            // the application a reinstall run is for; "" for the removal
    CString application;     // "_install.exe" in the folder
    CString commandLine;
    CString directory;       // its current directory
    bool started = false;
    DWORD error = 0;         // why it could not be started, when it was not
    DWORD exitCode = 0;
    DWORD milliseconds = 0;  // from its start to its end

    // A process that dies of an exception ends with its code, 0xC0000000 and above
    // (0xC0000005 for an access violation); no installer chooses such an exit code.
    bool Crashed() const { return started && exitCode >= 0xC0000000; }
};

enum class UpdateOutcome {
    Updated,   // every step ran (applications may still have been left out)
    Failed,    // a numbered error stopped it
    LeftOpen,  // applications of the folder were running: nothing was touched
};

class IUpdateEvents {
public:
    virtual ~IUpdateEvents() = default;

    // The update of `folder` is about to begin: nothing has been looked at yet.
    virtual void OnUpdateBegins(const char* folder) { (void)folder; }
    // The folder's applications, in the order the catalogue found them, each with
    // the product code it is reinstalled under or why it has none. Told once, before
    // anything is looked at; the procedure works on its own copy.
    virtual void OnApplications(const CResolvedApplications& applications) { (void)applications; }
    // Programs are running from inside the folder (full paths of their executables).
    virtual void OnOpenApplications(const char* folder, const CStringArray& images) { (void)folder, (void)images; }
    // The directory of the disc that holds "_install.ex_".
    virtual void OnDiscFound(const char* disc) { (void)disc; }
    // A step begins. For a reinstall: the application's name, its rank from 1 and
    // the number of reinstall runs; otherwise "", 0, 0.
    virtual void OnStep(UpdateStep step, const char* name, int index, int count)
    {
        (void)step, (void)name, (void)index, (void)count;
    }
    // An installer run is over (Crashed() when it died of an exception), or could
    // not be started.
    virtual void OnInstallerRun(const CInstallerRun& run) { (void)run; }
    // An application that does not come back from the disc. `code` is the system's
    // error for PassedOver (the failed mapping) and RunNotStarted, the run's
    // exception code for RunCrashed, 0 otherwise.
    virtual void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code)
    {
        (void)name, (void)why, (void)code;
    }
    // The info block could not be created (`systemError` says why); the reinstall
    // runs take place all the same.
    virtual void OnInfoBlockNotPublished(DWORD systemError) { (void)systemError; }
    // A copy whose result the procedure goes on without: the installer saved to
    // "_install.bak" before the removal run, or put back from it after.
    virtual void OnCopyFailed(const char* source, const char* target, DWORD systemError)
    {
        (void)source, (void)target, (void)systemError;
    }
    // The numbered error that stops the folder's update, told before its end.
    virtual void OnError(const CUpdateError& error) { (void)error; }
    // The folder's end: Updated (every step ran, though runs may have crashed or
    // applications stayed out, as told before), Failed (`error` is the number
    // OnError explained) or LeftOpen.
    virtual void OnUpdateEnds(const char* folder, UpdateOutcome outcome, int error)
    {
        (void)folder, (void)outcome, (void)error;
    }
    // A message box the program showed, with the button that closed it.
    virtual void OnMessageBox(const char* text, UINT type, int answer) { (void)text, (void)type, (void)answer; }
};

// Whoever runs the procedure: it hears every report after the listeners, and
// answers the one question the procedure asks.
class IUpdateDriver : public IUpdateEvents {
public:
    // Applications of `folder` are still running (OnOpenApplications told which):
    // true to look again, false to leave the folder untouched.
    virtual bool RetryWithOpenApplications(const char* folder, const CStringArray& images) = 0;
};
