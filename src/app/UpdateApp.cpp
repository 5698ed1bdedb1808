#include "UpdateApp.h"

#include "UpdateDlg.h"

CUpdateApp theApp;

BEGIN_MESSAGE_MAP(CUpdateApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CUpdateApp::InitInstance()
{
    Enable3dControlsStatic();

    CUpdateDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // No message loop follows: the process ends with the dialog.
    return FALSE;
}
