#include "UpdateApp.h"

#include "CKernelHandle.h"
#include "CommandLine.h"
#include "CrashGuard.h"
#include "ExceptionCode.h"
#include "FolderOrder.h"
#include "InstallCatalog.h"
#include "ModuleFileName.h"
#include "QuietRun.h"
#include "StandardOutput.h"
#include "UpdateDlg.h"
#include "UpdateProcedure.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CUpdateApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

namespace {

// One updater on the computer at a time, as installers do: two of them could
// otherwise run installers on one folder at the same time. The name is global: a
// deployment tool's run, in the system's own session, and a teacher's, in a user's,
// must see each other.
const char kInstanceMutexName[] = "Global\\MiseAJour Orvandel";
// Where a global name cannot be had at all, one updater per session at least.
const char kSessionMutexName[] = "Local\\MiseAJour Orvandel";
// How long a second start looks for the first one's window, which a first start
// a moment earlier may not have made yet.
const DWORD kFindRunningMs = 3000;

// The session's updater mutex, held until the process ends.
class CInstanceMutex {
public:
    CInstanceMutex()
    {
        m_mutex.Attach(::CreateMutexA(nullptr, FALSE, kInstanceMutexName));
        DWORD error = ::GetLastError();
        // Made by an updater of another account, the mutex may refuse this one.
        if (!m_mutex.IsValid() && error == ERROR_ACCESS_DENIED) {
            m_another = true;
            return;
        }
        if (!m_mutex.IsValid()) {
            m_mutex.Attach(::CreateMutexA(nullptr, FALSE, kSessionMutexName));
            error = ::GetLastError();
        }
        // When no name can be had at all, this updater runs as before.
        m_another = m_mutex.IsValid() && error == ERROR_ALREADY_EXISTS;
    }

    bool AnotherRuns() const { return m_another; }

private:
    CKernelHandle m_mutex;
    bool m_another = false;
};

// The running updater's main dialog. Its message boxes carry the same title in
// the same window class, but they have the dialog as their owner.
HWND FindRunningUpdater()
{
    CString title;
    title.LoadString(IDS_TITLE);
    for (HWND window = ::FindWindowExA(nullptr, nullptr, "#32770", title); window;
         window = ::FindWindowExA(nullptr, window, "#32770", title)) {
        if (!::GetWindow(window, GW_OWNER))
            return window;
    }
    return nullptr;
}

// Puts the running updater in front: the box it is showing, if any, else its dialog.
void BringRunningUpdaterToFront()
{
    const DWORD start = ::GetTickCount();
    HWND dialog = FindRunningUpdater();
    while (!dialog && ::GetTickCount() - start < kFindRunningMs) {
        ::Sleep(100);
        dialog = FindRunningUpdater();
    }
    if (!dialog)
        return;
    if (::IsIconic(dialog))
        ::ShowWindow(dialog, SW_RESTORE);
    ::SetForegroundWindow(::GetLastActivePopup(dialog));
}

} // namespace

BOOL CUpdateApp::InitInstance()
{
    try {
        CCommandLine options;
        // The C runtime has split the line already, by the rules the system's own
        // CommandLineToArgvW follows, which would bring shell32 into every start.
        const bool known = ParseCommandLine(__argc, __argv, options);
        // A log that cannot be opened leaves the run as it is, without a record.
        m_log.Open(options.logPath.IsEmpty() ? DefaultLogPath() : options.logPath);
        m_log.WriteStart(AfxGetModuleFileName(), ::GetCommandLineA());
        // Nobody answers a box in a run started by a script or a deployment tool: it
        // tells through its exit code and its log alone. Nor the system's own box for
        // a drive with no medium or a failing disc, which the catalogue and the search
        // for the installer may touch, nor its box or debugger for a crash.
        const bool unattended = options.quiet || options.check;
        if (unattended) {
            ::SetErrorMode(::SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
            EndProcessOnCrash(&CUpdateApp::ReportCrash, kExitFatalError);
        }
        m_exitCode = RunAsAsked(options, known, unattended);
    } catch (...) {
        // A script must never read a crash as an answer (1 is /check's "needed").
        theCatalog.SetListener(nullptr);
        m_pMainWnd = nullptr;
        m_pDialog = nullptr;
        m_log.WriteFault("exception");
        m_exitCode = kExitFatalError;
    }
    // No message loop follows: the process ends here.
    return FALSE;
}

std::vector<IUpdateEvents*> CUpdateApp::Listeners()
{
    return {&m_log, &m_outcome};
}

void CUpdateApp::EndOnFault(const char* what)
{
    m_faulted = true;
    m_log.WriteFault(what);
    m_exitCode = kExitFatalError;
}

void CUpdateApp::ProcessWndProcException(UINT message)
{
    if (m_faulted)
        return;
    CString what;
    what.Format("exception pendant le traitement du message 0x%04X", message);
    EndOnFault(what);
    // The modal loop sees the end once the handlers under way have returned; the
    // procedure that may still be one of them tells nobody the dialog is gone.
    if (m_pDialog) {
        m_pDialog->EnableWindow(TRUE);
        m_pDialog->EndDialog(-1);
    }
}

int CUpdateApp::ProcessStartupException()
{
    EndOnFault("exception hors du traitement de la mise à jour");
    m_log.WriteEnd(m_exitCode);
    return m_exitCode;
}

void CUpdateApp::ReportCrash(DWORD code, const void* address)
{
    CUpdateApp* app = static_cast<CUpdateApp*>(AfxGetApp());
    if (!app)
        return;
    CString what;
    what.Format("exception %s à l'adresse 0x%p", static_cast<const char*>(ExceptionCodeText(code)), address);
    app->m_log.WriteFault(what);
    app->m_log.WriteEnd(kExitFatalError);
}

int CUpdateApp::RunAsAsked(const CCommandLine& options, bool known, bool unattended)
{
    if (!known || options.usage) {
        if (unattended)
            m_log.WriteLine(known ? CString("Aide demandée : rien n'est fait")
                                  : CString("Option inconnue : « ") + options.unknown + " » : rien n'est fait");
        else
            ShowUsage(known ? nullptr : static_cast<const char*>(options.unknown));
        return known ? kExitDone : kExitUnknownSwitch;
    }

    if (options.check)
        return CheckFolders();

    const CInstanceMutex instance;
    if (instance.AnotherRuns()) {
        if (options.quiet) {
            m_log.WriteLine("Un autre programme de mise à jour est déjà en cours : rien n'est fait");
        } else {
            m_log.WriteLine("Un autre programme de mise à jour est déjà en cours : il est mis au premier plan");
            BringRunningUpdaterToFront();
        }
        return kExitAnotherRuns;
    }

    CString disc;
    CStringArray searched;
    const bool found = CUpdateProcedure::LocateDiscInstaller(m_pszHelpFilePath, disc, &searched);
    m_log.WriteDisc(found, disc, searched);

    theCatalog.SetListener(&m_log);
    if (options.quiet) {
        CQuietRun run(m_log, Listeners(), m_pszHelpFilePath);
        run.Run();
        m_outcome.RunEnds(0);
    } else {
        Enable3dControlsStatic();
        CUpdateDlg dlg;
        for (IUpdateEvents* listener : Listeners())
            dlg.AddListener(listener);
        dlg.SetLogPath(m_log.WrittenPath());
        m_pMainWnd = &dlg;
        m_pDialog = &dlg;
        dlg.DoModal();
        m_pDialog = nullptr;
        m_pMainWnd = nullptr;
        m_outcome.RunEnds(dlg.FoldersLeft());
    }
    theCatalog.SetListener(nullptr);
    return m_faulted ? kExitFatalError : m_outcome.Code();
}

int CUpdateApp::CheckFolders()
{
    CStringArray catalogue;
    theCatalog.SetListener(&m_log);
    theCatalog.FindInstallFolders(catalogue);
    theCatalog.SetListener(nullptr);
    CStringArray offered;
    SortOffered(catalogue, CStringArray(), offered);

    CStandardOutput output;
    for (int i = 0; i < offered.GetSize(); ++i) {
        output.WriteLine(offered.GetAt(i));
        m_log.WriteLine(CString("À mettre à jour : ") + offered.GetAt(i));
    }
    if (offered.GetSize() == 0)
        m_log.WriteLine("Aucun dossier n'a besoin de la mise à jour");
    return offered.GetSize() > 0 ? kExitNeedsUpdate : kExitDone;
}

int CUpdateApp::ExitInstance()
{
    m_log.WriteEnd(m_exitCode);
    return m_exitCode;
}

void CUpdateApp::ShowUsage(const char* unknownSwitch)
{
    CString text;
    if (unknownSwitch)
        text.Format("Option inconnue : « %s »\n\n", unknownSwitch);
    text += UsageText();
    CString caption;
    caption.LoadString(IDS_TITLE);
    const UINT type = unknownSwitch ? MB_ICONEXCLAMATION : MB_ICONINFORMATION;
    const int answer = ::MessageBoxA(nullptr, text, caption, type);
    m_log.OnMessageBox(text, type, answer);
}
