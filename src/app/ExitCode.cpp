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

const char* ExitCodeMeaning(int code)
{
    switch (code) {
    case 0: return "tout dossier proposé a été mis à jour, ou aucun n'en avait besoin";
    case 1: return "au moins un dossier a besoin de la mise à jour";
    case 2: case 3: case 4: case 5: return "la mise à jour s'est arrêtée sur cette erreur";
    case 6: return "mis à jour, mais au moins une application n'a pas été réinstallée";
    case 7: return "un dossier n'a pas été mis à jour : des applications y étaient ouvertes";
    case 1602: return "arrêté par l'utilisateur avant la mise à jour de tous les dossiers proposés";
    case 1603: return "erreur fatale : une exécution du programme d'installation s'est arrêtée sur une exception, "
                      "ou le programme de mise à jour sur une erreur interne";
    case 1618: return "un autre programme de mise à jour était déjà en cours";
    case 1639: return "la ligne de commande contient une option inconnue";
    default: return "";
    }
}
