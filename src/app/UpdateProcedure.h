#pragma once
// The update of one installation folder from the disc: the disc's installer copied
// into the folder and expanded, run once to remove the old installation and once per
// application to reinstall it. The procedure talks to nobody itself: it reports
// every step to its listeners and its driver (UpdateEvents.h), which decide what the
// user sees, if anything.

#include "CString.h"
#include "CStringArray.h"
#include "UpdateEvents.h"

#include <vector>

class CUpdateProcedure {
public:
    // Neither the driver nor the listeners are owned; they must outlive the object.
    // Listeners hear each report in the order given, the driver after them. The disc
    // is searched from `programPath` up (LocateDiscInstaller), before each folder.
    CUpdateProcedure(IUpdateDriver& driver, std::vector<IUpdateEvents*> listeners, CString programPath);

    // Updates `folder` (its normal form) whose applications are `applications`, in
    // the order the catalogue found them; the procedure keeps its own copy, so
    // whatever the driver's windows do meanwhile cannot change them. Before anything
    // is copied or run it looks for programs running from inside the folder and,
    // while there are some, asks the driver whether to look again; when the driver
    // gives up, the folder is left untouched (LeftOpen). A numbered error (Error())
    // stops the steps after it.
    UpdateOutcome Run(const CString& folder, CResolvedApplications applications);
    // The numbered error of the last Run, 0 when it had none.
    int Error() const { return m_error.number; }

    // The disc directory holding "_install.ex_": the directory of `programPath`, else
    // the nearest one above it, the last candidate being the drive letter and colon
    // alone. `searched`, when given, receives every directory tried, nearest first.
    static bool LocateDiscInstaller(const char* programPath, CString& discDirectory,
                                    CStringArray* searched = nullptr);

private:
    template <class Report>
    void Tell(Report report);
    void Fail(CUpdateError error);
    bool WaitUntilNoApplicationRuns(const CString& folder);
    void BringInstallerInto(const CString& folder, const CString& disc);
    void CopyTold(const CString& source, const CString& target);
    CInstallerRun RunInstaller(const CString& folder, const CString& commandLine, UpdateStep step,
                               const char* name);
    void ReinstallApplications(const CString& folder, const CString& disc,
                               const CResolvedApplications& applications);

    IUpdateDriver& m_driver;
    std::vector<IUpdateEvents*> m_listeners;
    CString m_programPath;
    CUpdateError m_error;
};
