#include "UpdateApp.h"

#include "CommandLine.h"
#include "InstallCatalog.h"
#include "ModuleFileName.h"
#include "UpdateDlg.h"
#include "UpdateProcedure.h"


CUpdateApp theApp;

BEGIN_MESSAGE_MAP(CUpdateApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

namespace {

// One updater per session, as installers do: two of them could otherwise run
// installers on one folder at the same time.
const char kInstanceMutexName[] = "Local\\MiseAJour Orvandel";
// How long a second start looks for the first one's window, which a first start
// a moment earlier may not have made yet.
const DWORD kFindRunningMs = 3000;

// The session's updater mutex, held until the process ends.
class CInstanceMutex {
public:
    CInstanceMutex()
    {
        m_hMutex = ::CreateMutexA(nullptr, FALSE, kInstanceMutexName);
        // When the name cannot be had at all, this updater runs as before.
        m_another = m_hMutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    }
    ~CInstanceMutex()
    {
        if (m_hMutex)
            ::CloseHandle(m_hMutex);
    }
    CInstanceMutex(const CInstanceMutex&) = delete;
    CInstanceMutex& operator=(const CInstanceMutex&) = delete;

    bool AnotherRuns() const { return m_another; }

private:
    HANDLE m_hMutex = nullptr;
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
    CCommandLine options;
    const bool known = ParseCommandLine(::GetCommandLineA(), options);
    // A log that cannot be opened leaves the run as it is, without a record.
    m_log.Open(options.logPath.IsEmpty() ? DefaultLogPath() : options.logPath);
    m_log.WriteStart(AfxGetModuleFileName(), ::GetCommandLineA());

    if (!known || options.usage) {
        ShowUsage(known ? nullptr : static_cast<const char*>(options.unknown));
        m_exitCode = known ? kExitDone : kExitUnknownSwitch;
        return FALSE;
    }

    const CInstanceMutex instance;
    if (instance.AnotherRuns()) {
        m_log.WriteLine("Un autre programme de mise à jour est déjà en cours : il est mis au premier plan");
        BringRunningUpdaterToFront();
        m_exitCode = kExitAnotherRuns;
        return FALSE;
    }

    CString disc;
    CStringArray searched;
    const bool found = CUpdateProcedure::LocateDiscInstaller(disc, &searched);
    m_log.WriteDisc(found, disc, searched);

    Enable3dControlsStatic();

    theCatalog.SetListener(&m_log);
    CUpdateDlg dlg;
    dlg.AddListener(&m_log);
    dlg.AddListener(&m_outcome);
    dlg.SetLogPath(m_log.WrittenPath());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    theCatalog.SetListener(nullptr);

    m_outcome.RunEnds(dlg.FoldersLeft());
    m_exitCode = m_outcome.Code();
    // No message loop follows: the process ends with the dialog.
    return FALSE;
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
