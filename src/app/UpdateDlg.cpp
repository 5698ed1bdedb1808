#include "UpdateDlg.h"

#include "AfxMessageBox.h"
#include "CDataExchange.h"
#include "CPaintDC.h"
#include "CWinApp.h"
#include "InstallCatalog.h"
#include "InstallerHandoff.h"
#include "ReinstallMessage.h"
#include "UpdateProcedure.h"

namespace {

// Raises a flag for as long as it lives, on every way out.
class CRaisedFlag {
public:
    explicit CRaisedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CRaisedFlag() { m_flag = false; }
    CRaisedFlag(const CRaisedFlag&) = delete;
    CRaisedFlag& operator=(const CRaisedFlag&) = delete;

private:
    bool& m_flag;
};

// Points at a local for as long as it lives.
template <class T>
class CBorrowed {
public:
    CBorrowed(T*& pointer, T& value) : m_pointer(pointer) { m_pointer = &value; }
    ~CBorrowed() { m_pointer = nullptr; }
    CBorrowed(const CBorrowed&) = delete;
    CBorrowed& operator=(const CBorrowed&) = delete;

private:
    T*& m_pointer;
};

// "Outils\Carte.exe" for a program in the folder's subfolder "Outils".
CString InsideFolder(const CString& image, const char* folder)
{
    const int length = lstrlenA(folder);
    if (image.GetLength() > length && image.Left(length).CompareNoCase(folder) == 0 && image.GetAt(length) == '\\')
        return image.Mid(length + 1);
    return image;
}

} // namespace

CUpdateDlg::CUpdateDlg(CWnd* pParent)
    : CSkinDialog(IDD_MISEAJOUR_DIALOG, pParent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_UPDATE)))
{
}

CUpdateDlg::~CUpdateDlg() = default;

void CUpdateDlg::DoDataExchange(CDataExchange* pDX)
{
    CSkinDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAPTION_APPS, m_captionApplications);
    DDX_Control(pDX, IDC_CAPTION_FOLDERS, m_captionFolders);
    DDX_Control(pDX, IDCANCEL, m_btnFinish);
    DDX_Control(pDX, IDC_UPDATE, m_btnUpdate);
    DDX_Control(pDX, IDC_APPLICATIONS, m_applicationList);
    DDX_Control(pDX, IDC_FOLDERS, m_folderList);
    DDX_Text(pDX, IDC_STATUS, m_statusText);
}

BEGIN_MESSAGE_MAP(CUpdateDlg, CSkinDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_CBN_SELCHANGE(IDC_FOLDERS, RefreshApplications)
    ON_BN_CLICKED(IDC_UPDATE, OnUpdate)
END_MESSAGE_MAP()

BOOL CUpdateDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();

    // The section labels: heavy Arial in a dark red-brown, left-aligned, over the
    // dialog's own background.
    for (CGradientStatic* caption : {&m_captionFolders, &m_captionApplications}) {
        caption->SetTextColor(RGB(128, 64, 64));
        caption->SetAlignment(CGradientStatic::ALIGN_LEFT);
    }
    CreateCaptionFont(GetDpi());

    // Flat buttons over the dialog's background, the icon at the right of the caption.
    m_btnUpdate.LoadIcons(IDI_UPDATE_HOT, 32, 32, IDI_UPDATE, 32, 32);
    m_btnUpdate.SetImagePlacement(PLACE_IMAGE_RIGHT, TRUE);
    m_btnUpdate.UseParentBackground(FALSE);
    m_btnUpdate.UseBalloonTip();
    m_btnUpdate.LoadTipText(IDS_TIP_UPDATE, TRUE);
    SetUpdateBlockedReason(IDS_BLOCKED_NO_FOLDER);
    m_btnUpdate.EnableWindow(FALSE);   // until a folder is listed

    m_btnFinish.LoadIcons(IDI_FINISH_HOT, 32, 32, IDI_FINISH, 32, 32);
    m_btnFinish.SetImagePlacement(PLACE_IMAGE_RIGHT, TRUE);
    m_btnFinish.UseParentBackground(FALSE);
    m_btnFinish.UseBalloonTip();
    m_btnFinish.LoadTipText(IDS_TIP_FINISH, TRUE);

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_firstRefresh = true;
    m_statusText.Empty();
    RefreshFolders();
    return TRUE;
}

void CUpdateDlg::CreateCaptionFont(int dpi)
{
    // 14 pixels high at 96 DPI.
    auto font = std::make_unique<CFont>();
    font->CreateFont(skin::ScaleToDpi(14, dpi), 0, 0, 0, 900, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    for (CGradientStatic* caption : {&m_captionFolders, &m_captionApplications})
        caption->SetFont(font.get(), TRUE);
    m_pCaptionFont = std::move(font);   // no label holds the old one any more
}

void CUpdateDlg::OnDpiChanged(int dpi)
{
    CreateCaptionFont(dpi);
}

void CUpdateDlg::SetUpdateBlockedReason(UINT reasonId)
{
    CString reason;
    reason.LoadString(reasonId);
    m_btnUpdate.SetDisabledTipText(reason);
}

int CUpdateDlg::ShowMessage(const char* text, UINT type)
{
    CString caption;
    caption.LoadString(IDS_TITLE);
    const int answer = MessageBox(text, caption, type);
    ReportMessage(text, type, answer);
    return answer;
}

int CUpdateDlg::ShowFrameworkMessage(const char* text, UINT type)
{
    const int answer = AfxMessageBox(text, type);
    ReportMessage(text, type, answer);
    return answer;
}

void CUpdateDlg::ReportMessage(const char* text, UINT type, int answer)
{
    for (IUpdateEvents* listener : m_listeners)
        listener->OnMessageBox(text, type, answer);
}

int CUpdateDlg::FoldersLeft() const
{
    int left = 0;
    for (int i = 0; i < m_folders.GetSize(); ++i)
        if (!m_updatedFolders.Contains(m_folders.GetAt(i)))
            ++left;
    return left;
}

void CUpdateDlg::RefreshFolders()
{
    m_folderList.ResetContent();
    m_folders.RemoveAll();
    theCatalog.FindInstallFolders(m_folders);

    int listed = 0;
    for (int i = 0; i < m_folders.GetSize(); ++i) {
        if (m_updatedFolders.Contains(m_folders.GetAt(i)))
            continue;
        m_folderList.AddString(m_folders.GetAt(i));
        ++listed;
    }

    if (listed <= 0) {
        CString text;
        text.LoadString(m_firstRefresh ? IDS_NO_UPDATE_NEEDED : IDS_UP_TO_DATE);
        ShowMessage(text, MB_ICONINFORMATION);
        EndDialog(0);
    } else {
        m_folderList.SetCurSel(0);   // the list sorts itself: the alphabetically first folder
        RefreshApplications();
        if (listed == 1)
            m_folderList.EnableWindow(FALSE);
        m_btnUpdate.EnableWindow(TRUE);
    }
    m_firstRefresh = false;
}

void CUpdateDlg::RefreshApplications()
{
    m_applicationList.ResetContent();
    m_applications.RemoveAll();

    CString folder;
    m_folderList.GetLBText(m_folderList.GetCurSel(), folder);
    theCatalog.FindApplications(folder, m_applications);
    for (int i = 0; i < m_applications.GetSize(); ++i)
        m_applicationList.AddString(m_applications.GetAt(i));

    CString format;
    format.LoadString(IDS_APPLICATIONS_FOUND);
    m_statusText.Format(format, m_applications.GetSize());
    UpdateData(FALSE);
}

void CUpdateDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CUpdateDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CUpdateDlg::KeepDisabled()
{
    // Windows leaves a disabled owner disabled when a message box closes; Wine enables
    // it. The dialog must stay closed to input until the procedure is over.
    EnableWindow(FALSE);
    if (m_pWait)
        m_pWait->Restore();
}

void CUpdateDlg::OnUpdate()
{
    // A click can come when no update may start: posted twice at once by a robot or
    // a key repeat, while an installer runs (the waits below dispatch messages, and
    // a disabled button may still act on BM_CLICK), after the last folder or after
    // a failed update. It then does nothing at all: with no folder selected the
    // installer's paths would fall in the root of the current drive, and a folder
    // already handled is not updated twice in one run.
    if (m_updateRunning || IsEnding())
        return;
    const int selected = m_folderList.GetCurSel();
    if (selected < 0)
        return;
    CString folder;
    m_folderList.GetLBText(selected, folder);
    if (folder.IsEmpty() || m_updatedFolders.Contains(folder))
        return;
    CRaisedFlag running(m_updateRunning);

    CWaitCursor wait;
    const CBorrowed<CWaitCursor> hourglass(m_pWait, wait);
    m_error = CUpdateError();
    m_reinstallRuns = 0;
    m_stepsBegun = 0;

    EnableWindow(FALSE);
    SetUpdateBlockedReason(IDS_BLOCKED_RUNNING);
    m_btnUpdate.EnableWindow(FALSE);

    // The disc is searched from the program's own directory up.
    const CWinApp* app = AfxGetApp();
    CUpdateProcedure procedure(*this, m_listeners, app && app->m_pszHelpFilePath ? app->m_pszHelpFilePath : "");
    const UpdateOutcome outcome = procedure.Run(folder, ResolveApplications(m_applications));
    m_taskbar.Clear();

    if (outcome == UpdateOutcome::LeftOpen) {
        // Nothing was touched: the folder is offered as before.
        EnableWindow(TRUE);
        m_btnUpdate.EnableWindow(TRUE);
        return;
    }

    m_updatedFolders.Add(folder);
    if (m_error.number == kNoError) {
        m_statusText.LoadString(IDS_UP_TO_DATE);
    } else {
        // The status must not claim an update that failed.
        m_statusText.Format("Erreur : %d", m_error.number);
        SetUpdateBlockedReason(IDS_BLOCKED_ERROR);
    }
    UpdateData(FALSE);
    EnableWindow(TRUE);

    if (m_error.number != kNoError)
        ShowFrameworkMessage(ErrorBoxText(), MB_OK);
    else
        RefreshFolders();
}

CString CUpdateDlg::ErrorBoxText() const
{
    CString text;
    text.Format("Erreur : %d\n\n", m_error.number);
    text += m_error.Sentence();
    if (!m_logPath.IsEmpty()) {
        CString log;
        log.Format("\n\nLe d\xE9tail de cette ex\xE9" "cution est dans le journal \xAB %s \xBB.",
                   static_cast<const char*>(m_logPath));
        text += log;
    }
    return text;
}

void CUpdateDlg::OnUpdateBegins(const char* /*folder*/)
{
    CString notice;
    notice.LoadString(IDS_CLOSE_APPLICATIONS);
    ShowMessage(notice, MB_ICONINFORMATION);
    KeepDisabled();
}

void CUpdateDlg::OnApplications(const CResolvedApplications& applications)
{
    m_reinstallRuns = CountWithCode(applications);
}

bool CUpdateDlg::RetryWithOpenApplications(const char* folder, const CStringArray& images)
{
    CString text = "Fermez les applications suivantes avant de poursuivre la mise \xE0 jour :";
    for (int i = 0; i < images.GetSize(); ++i) {
        text += i ? ", " : " ";
        text += InsideFolder(images.GetAt(i), folder);
    }
    text += ".";
    const int answer = ShowMessage(text, MB_RETRYCANCEL | MB_ICONEXCLAMATION);
    KeepDisabled();
    return answer == IDRETRY;
}

void CUpdateDlg::OnStep(UpdateStep step, const char* name, int index, int count)
{
    m_statusText = "Veuillez patienter\r\n";
    switch (step) {
    case UpdateStep::CopyInstaller:
        m_statusText += "Copie du programme d'installation";
        break;
    case UpdateStep::RemoveOldVersion:
        m_statusText += "D\xE9sinstallation de l'ancienne version";
        break;
    case UpdateStep::Reinstall: {
        CString line;
        line.Format("R\xE9installation de \xAB %s \xBB (%d sur %d)", name, index, count);
        m_statusText += line;
        break;
    }
    }
    UpdateData(FALSE);
    // The copy, the removal, then each reinstall run: the steps begun so far of all.
    m_taskbar.Show(m_hWnd, static_cast<ULONGLONG>(m_stepsBegun), static_cast<ULONGLONG>(2 + m_reinstallRuns));
    ++m_stepsBegun;
}

void CUpdateDlg::OnInstallerRun(const CInstallerRun& run)
{
    if (run.started)
        return;
    CString text;
    text.Format("CreateProcess error n\xB0%d", static_cast<int>(run.error));
    ShowFrameworkMessage(text, MB_OK);
    KeepDisabled();
}

void CUpdateDlg::OnNotReinstalled(const char* name, NotReinstalled why, DWORD /*code*/)
{
    // An application passed over goes without a box, and a crashed run shows none:
    // the log alone tells of them.
    if (why == NotReinstalled::PassedOver || why == NotReinstalled::RunCrashed)
        return;
    ShowMessage(NotReinstalledMessage(name, why), why == NotReinstalled::RunNotStarted ? MB_ICONSTOP : MB_ICONEXCLAMATION);
    KeepDisabled();
}

void CUpdateDlg::OnError(const CUpdateError& error)
{
    // Shown once the procedure is over, with the dialog usable again.
    m_error = error;
}
