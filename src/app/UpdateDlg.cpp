#include "UpdateDlg.h"

#include "CDataExchange.h"
#include "CPaintDC.h"
#include "InstallCatalog.h"

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
    return MessageBox(text, caption, type);
}

void CUpdateDlg::RefreshFolders()
{
    m_folderList.ResetContent();
    m_folders.RemoveAll();
    theCatalog.FindInstallFolders(m_folders);

    int listed = 0;
    for (int i = 0; i < m_folders.GetSize(); ++i) {
        bool handled = false;
        for (int j = 0; j < m_updatedFolders.GetSize() && !handled; ++j)
            handled = m_folders.GetAt(i).Compare(m_updatedFolders.GetAt(j)) == 0;
        if (handled)
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
