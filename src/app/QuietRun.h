#pragma once
// The update with no window (/quiet), for scripts and deployment tools: what a user
// pressing "Mettre à jour" on every folder offered would get, with nothing shown.
// The notice before each folder is not given; what a box would say goes to the run
// log; a folder whose applications are open is left as it is and the run goes on.

#include "RunLog.h"
#include "UpdateEvents.h"

#include <vector>

class CQuietRun : public IUpdateDriver {
public:
    // Neither the log nor the listeners are owned; they must outlive the object. The
    // procedure tells the listeners of every step, the log among them or not, and
    // searches the disc from `programPath` up.
    CQuietRun(CRunLog& log, std::vector<IUpdateEvents*> listeners, CString programPath);

    // Updates the folders the dialog would offer, one after the other in the order
    // its list shows them, as the dialog's procedure does, until none is left or a
    // numbered error stops the run (the folders after it are not touched).
    void Run();

    bool RetryWithOpenApplications(const char* folder, const CStringArray& images) override;
    void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code) override;

private:
    CRunLog& m_log;
    std::vector<IUpdateEvents*> m_listeners;
    CString m_programPath;
};
