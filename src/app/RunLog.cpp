#include "RunLog.h"

#include "ExceptionCode.h"
#include "ExitCode.h"
#include "InstallerHandoff.h"
#include "LzError.h"
#include "SystemError.h"
#include "SystemInfo.h"

namespace {

// "erreur système 5 : Accès refusé."
CString SystemError(DWORD error)
{
    CString text;
    text.Format("erreur système %lu : ", static_cast<unsigned long>(error));
    return text + SystemErrorText(error);
}

const char* AnswerName(int answer)
{
    switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Annuler";
    case IDRETRY: return "Réessayer";
    case IDYES: return "Oui";
    case IDNO: return "Non";
    case IDABORT: return "Abandonner";
    case IDIGNORE: return "Ignorer";
    default: return "aucune";
    }
}

} // namespace

CString DefaultLogPath()
{
    char directory[MAX_PATH + 1] = "";
    const DWORD length = ::GetTempPathA(sizeof directory, directory);
    CString path = length > 0 && length < sizeof directory ? directory : "";
    if (path.IsEmpty())
        return path;
    if (path.GetAt(path.GetLength() - 1) != '\\')
        path += "\\";
    return path + "MiseAJour.log";
}

bool CRunLog::Open(const char* path)
{
    return m_file.Open(path);
}

CString CRunLog::WrittenPath() const
{
    // A log whose writes fail (a full disc) is no help to whoever reads the box.
    return m_file.IsOpen() && m_file.LastError() == 0 ? m_file.Path() : CString();
}

void CRunLog::WriteStart(const char* programPath, const char* commandLine)
{
    CString version = ModuleFileVersion(programPath);
    if (version.IsEmpty())
        version = "inconnue";
    CString line;
    line.Format("Démarrage de MiseAJour, version %s, sur l'ordinateur « %s », utilisateur « %s », %s",
                static_cast<const char*>(version), static_cast<const char*>(ComputerName()),
                static_cast<const char*>(UserName()), static_cast<const char*>(WindowsVersionText()));
    WriteLine(line);
    line.Format("Programme : « %s »", programPath);
    WriteLine(line);
    line.Format("Ligne de commande : %s", commandLine);
    WriteLine(line);
}

void CRunLog::WriteDisc(bool found, const char* disc, const CStringArray& searched)
{
    CString line;
    if (found) {
        line.Format("Disque : programme d'installation « _install.ex_ » trouvé dans « %s »", disc);
    } else {
        line = "Disque : programme d'installation « _install.ex_ » introuvable ; dossiers examinés :";
        line += QuotedList(searched);
    }
    WriteLine(line);
}

void CRunLog::WriteEnd(int exitCode)
{
    CString line;
    line.Format("Fin de l'exécution, code de sortie %d : %s", exitCode, ExitCodeMeaning(exitCode));
    WriteLine(line);
}

void CRunLog::WriteFault(const char* what)
{
    WriteLine(CString("Erreur interne : l'exécution s'est interrompue (") + what + ")");
}

void CRunLog::OnSuiteKeyMissing(const char* keyPath)
{
    CString line;
    line.Format("Catalogue : clé « %s » absente, la suite n'est pas installée sur ce poste", keyPath);
    WriteLine(line);
}

void CRunLog::OnFolderRead(const CCatalogFolder& folder)
{
    CString line;
    if (!*folder.folder) {
        line.Format("Catalogue : la valeur « %s » ne désigne aucun dossier, ignorée", folder.valueName);
        WriteLine(line);
        return;
    }
    CString version;
    if (*folder.version)
        version.Format("Kerbanista.exe en version « %s »", folder.version);
    else if (folder.whyNoVersion != 0)
        version = CString("version de Kerbanista.exe illisible (") + SystemError(folder.whyNoVersion) + ")";
    else
        version = "Kerbanista.exe sans numéro de version";
    line.Format("Catalogue : dossier « %s » (valeur « %s »), %s, %s", folder.folder, folder.valueName,
                static_cast<const char*>(version),
                folder.offered ? "à mettre à jour" : "déjà en version 1.3 ou plus, non proposé");
    WriteLine(line);
}

void CRunLog::OnUpdateBegins(const char* folder)
{
    CString line;
    line.Format("Mise à jour du dossier « %s »", folder);
    WriteLine(line);
}

void CRunLog::OnApplications(const CResolvedApplications& applications)
{
    for (const CResolvedApplication& application : applications) {
        CString line;
        if (application.HasCode())
            line.Format("Application « %s » : code produit %s", static_cast<const char*>(application.name),
                        static_cast<const char*>(application.productCode));
        else
            line.Format("Application « %s » : sans code produit", static_cast<const char*>(application.name));
        WriteLine(line);
    }
}

void CRunLog::OnOpenApplications(const char* folder, const CStringArray& images)
{
    CString line;
    line.Format("Applications ouvertes dans « %s » :", folder);
    line += QuotedList(images);
    WriteLine(line);
}

void CRunLog::OnDiscFound(const char* disc)
{
    CString line;
    line.Format("Programme d'installation trouvé sur le disque dans « %s »", disc);
    WriteLine(line);
}

void CRunLog::OnStep(UpdateStep step, const char* name, int index, int count)
{
    CString line;
    switch (step) {
    case UpdateStep::CopyInstaller:
        line = "Étape : copie et décompression du programme d'installation";
        break;
    case UpdateStep::RemoveOldVersion:
        line = "Étape : désinstallation de l'ancienne version";
        break;
    case UpdateStep::Reinstall:
        line.Format("Étape : réinstallation de « %s » (%d sur %d)", name, index, count);
        break;
    }
    WriteLine(line);
}

void CRunLog::OnInstallerRun(const CInstallerRun& run)
{
    if (run.folderOpenToUsers && !m_openFoldersTold.Contains(run.directory)) {
        m_openFoldersTold.Add(run.directory);
        WriteLine(CString("Attention : le dossier « ") + run.directory +
                  " » peut être modifié par les utilisateurs ordinaires (Tout le monde, Utilisateurs ou "
                  "Utilisateurs authentifiés) ; réservez-le aux administrateurs");
    }
    if (run.started && run.preferSystemRefused)
        WriteLine(CString("Le système ne permet pas de démarrer le programme d'installation en préférant les DLL "
                          "du dossier système (") + SystemError(run.preferSystemRefused) + ") : démarré sans");
    CString line;
    if (run.Crashed()) {
        line.Format("Exécution de « %s », ligne de commande « %s », dossier courant « %s » : arrêtée sur "
                    "l'exception %s, durée %lu ms",
                    static_cast<const char*>(run.application), static_cast<const char*>(run.commandLine),
                    static_cast<const char*>(run.directory), static_cast<const char*>(ExceptionCodeText(run.exitCode)),
                    static_cast<unsigned long>(run.milliseconds));
    } else if (run.started) {
        line.Format("Exécution de « %s », ligne de commande « %s », dossier courant « %s » : code de sortie %lu, "
                    "durée %lu ms",
                    static_cast<const char*>(run.application), static_cast<const char*>(run.commandLine),
                    static_cast<const char*>(run.directory), static_cast<unsigned long>(run.exitCode),
                    static_cast<unsigned long>(run.milliseconds));
    } else {
        line.Format("Exécution de « %s », ligne de commande « %s », dossier courant « %s » : lancement impossible, ",
                    static_cast<const char*>(run.application), static_cast<const char*>(run.commandLine),
                    static_cast<const char*>(run.directory));
        line += SystemError(run.error);
    }
    WriteLine(line);
}

void CRunLog::OnNotReinstalled(const char* name, NotReinstalled why, DWORD code)
{
    CString reason;
    switch (why) {
    case NotReinstalled::QuillMx:
        reason = "sans code produit, à réinstaller depuis ses disquettes";
        break;
    case NotReinstalled::NoProductCode:
        reason = "sans code produit";
        break;
    case NotReinstalled::RunNotStarted:
        reason = CString("le programme d'installation n'a pas pu être lancé (") + SystemError(code) + ")";
        break;
    case NotReinstalled::PassedOver:
        reason.Format("aucune exécution, le bloc « %s » n'a pas pu être créé (", kCodeBlockName);
        reason += SystemError(code) + ")";
        break;
    case NotReinstalled::RunCrashed:
        reason = CString("sa réinstallation s'est arrêtée sur l'exception ") + ExceptionCodeText(code);
        break;
    }
    CString line;
    line.Format("Application « %s » non réinstallée : %s", name, static_cast<const char*>(reason));
    WriteLine(line);
}

void CRunLog::OnInfoBlockNotPublished(DWORD systemError)
{
    CString line;
    line.Format("Le bloc « %s » n'a pas pu être créé (", kInfoBlockName);
    line += SystemError(systemError) + ") : les réinstallations ont lieu sans lui";
    WriteLine(line);
}

void CRunLog::OnCopyFailed(const char* source, const char* target, DWORD systemError)
{
    CString line;
    line.Format("Copie de « %s » vers « %s » impossible (", source, target);
    line += SystemError(systemError) + ") : la mise à jour continue";
    WriteLine(line);
}

void CRunLog::OnError(const CUpdateError& error)
{
    CString line;
    line.Format("Erreur %d : %s, « %s »", error.number, static_cast<const char*>(error.Operation()),
                static_cast<const char*>(error.path));
    if (error.systemError != 0)
        line += CString(", ") + SystemError(error.systemError);
    if (error.lzError != 0)
        line += CString(", ") + LzErrorText(error.lzError);
    line += CString(". ") + error.Sentence();
    WriteLine(line);
}

void CRunLog::OnUpdateEnds(const char* folder, UpdateOutcome outcome, int error)
{
    CString line;
    switch (outcome) {
    case UpdateOutcome::Updated:
        line.Format("Dossier « %s » mis à jour", folder);
        break;
    case UpdateOutcome::Failed:
        line.Format("Dossier « %s » : mise à jour arrêtée par l'erreur %d", folder, error);
        break;
    case UpdateOutcome::LeftOpen:
        line.Format("Dossier « %s » laissé intact : des applications y sont ouvertes", folder);
        break;
    }
    WriteLine(line);
}

void CRunLog::OnMessageBox(const char* text, UINT /*type*/, int answer)
{
    CString line;
    line.Format("Message affiché : « %s », réponse : %s", text, AnswerName(answer));
    WriteLine(line);
}
