#include "QuietRun.h"

#include "FolderOrder.h"
#include "InstallCatalog.h"
#include "ReinstallMessage.h"
#include "UpdateProcedure.h"

CQuietRun::CQuietRun(CRunLog& log, std::vector<IUpdateEvents*> listeners, CString programPath)
    : m_log(log), m_listeners(std::move(listeners)), m_programPath(std::move(programPath))
{
}

void CQuietRun::Run()
{
    CUpdateProcedure procedure(*this, m_listeners, m_programPath);
    // Like the dialog: a folder is handled once in a run, whatever became of it.
    CStringArray handled;
    for (;;) {
        CStringArray catalogue;
        theCatalog.FindInstallFolders(catalogue);
        CStringArray offered;
        SortOffered(catalogue, handled, offered);
        if (offered.GetSize() == 0)
            return;
        const CString folder = offered.GetAt(0);
        CStringArray applications;
        theCatalog.FindApplications(folder, applications);
        handled.Add(folder);
        if (procedure.Run(folder, ResolveApplications(applications)) == UpdateOutcome::Failed)
            return;
    }
}

bool CQuietRun::RetryWithOpenApplications(const char*, const CStringArray&)
{
    // Nobody is there to close them: the folder waits for another run.
    return false;
}

void CQuietRun::OnNotReinstalled(const char* name, NotReinstalled why, DWORD /*code*/)
{
    // The dialog shows no box for these either.
    if (why == NotReinstalled::PassedOver || why == NotReinstalled::RunCrashed)
        return;
    // What the dialog would have shown in a box, said as the log says a box's text.
    m_log.WriteLine(CString("Message non affiché (exécution sans fenêtre) : « ") + NotReinstalledMessage(name, why) +
                    " »");
}
