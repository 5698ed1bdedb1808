#include "ExitCode.h"

namespace {

int IndexOf(const CStringArray& folders, const char* folder)
{
    for (int i = 0; i < folders.GetSize(); ++i)
        if (folders.GetAt(i).Compare(folder) == 0)
            return i;
    return -1;
}

} // namespace

void CExitCode::OnInstallerRun(const CInstallerRun& run)
{
    if (run.Crashed())
        m_runCrashed = true;
}

void CExitCode::OnNotReinstalled(const char* /*name*/, NotReinstalled /*why*/, DWORD /*code*/)
{
    m_notReinstalled = true;
}

void CExitCode::OnError(const CUpdateError& error)
{
    if (m_firstError == 0)
        m_firstError = error.number;
}

void CExitCode::OnUpdateEnds(const char* folder, UpdateOutcome outcome, int /*error*/)
{
    const int index = IndexOf(m_leftOpen, folder);
    if (outcome == UpdateOutcome::LeftOpen && index < 0)
        m_leftOpen.Add(folder);
    // Tried again once the applications were closed: that folder no longer counts.
    if (outcome != UpdateOutcome::LeftOpen && index >= 0)
        m_leftOpen.RemoveAt(index);
}

int CExitCode::Code() const
{
    if (m_firstError != 0)
        return m_firstError;
    if (m_runCrashed)
        return kExitFatalError;
    if (m_leftOpen.GetSize() > 0)
        return kExitApplicationsOpen;
    if (m_notReinstalled)
        return kExitNotReinstalled;
    if (m_foldersLeft > 0)
        return kExitEndedByUser;
    return kExitDone;
}
