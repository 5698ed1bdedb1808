#include "UpdateApp.h"

#include "CKernelHandle.h"
#include "CommandLine.h"
#include "CrashGuard.h"
#include "DefaultProgram.h"
#include "ExceptionCode.h"
#include "FileQueries.h"
#include "FolderOrder.h"
#include "InstallCatalog.h"
#include "InstallerHandoff.h"
#include "ModuleFileName.h"
#include "QuietRun.h"
#include "ResolvedApplication.h"
#include "Room.h"
#include "RoomPage.h"
#include "RunRecorder.h"
#include "StandardOutput.h"
#include "SystemError.h"
#include "TextConversion.h"
#include "WholeFile.h"
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

// The catalogue tells one listener: this one tells the log, then the record.
class CCatalogListeners : public ICatalogEvents {
public:
    CCatalogListeners(ICatalogEvents& log, ICatalogEvents& record) : m_log(log), m_record(record) {}
    void OnSuiteKeyMissing(const char* keyPath) override
    {
        m_log.OnSuiteKeyMissing(keyPath);
        m_record.OnSuiteKeyMissing(keyPath);
    }
    void OnFolderRead(const CCatalogFolder& folder) override
    {
        m_log.OnFolderRead(folder);
        m_record.OnFolderRead(folder);
    }

private:
    ICatalogEvents& m_log;
    ICatalogEvents& m_record;
};

// The applications of `folder` that have no product code: the update removes them
// and cannot put them back from the disc.
CStringArray CodelessApplications(const char* folder)
{
    CStringArray names;
    theCatalog.FindApplications(folder, names);
    CStringArray codeless;
    for (const CResolvedApplication& application : ResolveApplications(names)) {
        if (!application.HasCode())
            codeless.Add(application.name);
    }
    return codeless;
}

CString SystemErrorWords(DWORD error)
{
    CString text;
    text.Format("erreur système %lu : ", static_cast<unsigned long>(error));
    return text + SystemErrorText(error);
}

// The first letter of a French word as a line begins with it ("à" becomes "À").
CString Capitalised(const char* word)
{
    CString text = word;
    if (!text.IsEmpty()) {
        char first[2] = {text.GetAt(0), 0};
        ::CharUpperBuffA(first, 1);
        text = CString(first) + text.Mid(1);
    }
    return text;
}

} // namespace

BOOL CUpdateApp::InitInstance()
{
    CCommandLine options;
    try {
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
    if (!options.reportFolder.IsEmpty() && options.summaryFolder.IsEmpty()) {
        try {
            WriteRecord(options);
        } catch (...) {
            // The run's outcome stands; only its record is missing.
            m_log.WriteLine("Erreur interne : le relevé du poste n'a pas été écrit");
        }
    }
    // No message loop follows: the process ends here.
    return FALSE;
}

std::vector<IUpdateEvents*> CUpdateApp::Listeners()
{
    return {&m_log, &m_outcome, &m_recorder};
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

    if (!options.summaryFolder.IsEmpty())
        return SummarizeRoom(options.summaryFolder, options.quiet);
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

    CCatalogListeners catalogListeners(m_log, m_recorder);
    theCatalog.SetListener(&catalogListeners);
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
    CCatalogListeners catalogListeners(m_log, m_recorder);
    theCatalog.SetListener(&catalogListeners);
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

void CUpdateApp::WriteRecord(const CCommandLine& options)
{
    CRunRecord facts = RunFacts(AfxGetModuleFileName());
    facts.mode = options.check ? RunMode::Check : options.quiet ? RunMode::Quiet : RunMode::Dialog;
    facts.exitCode = m_exitCode;
    facts.meaning = AfxUtf8FromAnsi(ExitCodeMeaning(m_exitCode));
    char logPath[MAX_PATH] = "";
    const CString log = m_log.WrittenPath();
    const DWORD length = log.IsEmpty() ? 0 : ::GetFullPathNameA(log, sizeof logPath, logPath, nullptr);
    facts.logPath = AfxUtf8FromAnsi(length > 0 && length < sizeof logPath ? logPath : static_cast<const char*>(log));

    // A record that cannot be written changes nothing of the run: the log says so.
    CString written;
    bool kept = false;
    const DWORD error =
        WriteRunRecord(options.reportFolder, m_recorder.Record(facts, CodelessApplications), written, kept);
    if (kept)
        m_log.WriteLine(CString("Relevé du poste laissé tel quel, celui de la mise à jour : « ") + written + " »");
    else if (error == 0)
        m_log.WriteLine(CString("Relevé du poste écrit : « ") + written + " »");
    else
        m_log.WriteLine(CString("Relevé du poste non écrit : « ") + written + " » : " + SystemErrorWords(error));
}

int CUpdateApp::SummarizeRoom(const CString& folder, bool quiet)
{
    CStandardOutput output;
    const CString room = NormalFolderPath(folder);
    if (!IsDirectory(room)) {
        const CString line = CString("Dossier des relevés introuvable : « ") + room + " »";
        output.WriteLine(line);
        m_log.WriteLine(line);
        return kExitNeedsUpdate;
    }
    const CRoom read = ReadRoom(room);
    for (int i = 0; i < kPcStateCount; ++i) {
        CString line;
        line.Format("%s : %d", static_cast<const char*>(Capitalised(StateWords(static_cast<PcState>(i)))),
                    read.counts[i]);
        output.WriteLine(line);
        m_log.WriteLine(CString("Rapport de la salle : ") + line);
    }

    const CRunRecord facts = RunFacts(AfxGetModuleFileName());
    const CString page = room + "\\rapport.html";
    const CString table = room + "\\rapport.csv";
    DWORD error = WriteFileWhole(page, RoomHtml(read, AfxUtf8FromAnsi(room), facts.endTime));
    if (error == 0)
        error = WriteFileWhole(table, RoomCsv(read));
    if (error != 0) {
        const CString line = CString("Rapport non écrit dans « ") + room + " » : " + SystemErrorWords(error);
        output.WriteLine(line);
        m_log.WriteLine(line);
    } else {
        output.WriteLine(CString("Rapport : ") + page);
        m_log.WriteLine(CString("Rapport écrit : « ") + page + " » et « " + table + " »");
        if (!quiet && !OpenWithDefaultProgram(page))
            m_log.WriteLine(CString("Le rapport n'a pas pu être ouvert dans le navigateur : « ") + page + " »");
    }
    return read.IsDone() ? kExitDone : kExitNeedsUpdate;
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
