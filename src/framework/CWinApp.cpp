#include "CWinApp.h"

#include "AfxMessageBox.h"
#include "ModuleFileName.h"

#include <commctrl.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : AfxGetAppName())
{
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    const CString path = AfxGetModuleFileName();
    if (!path.IsEmpty()) {
        const int dot = path.ReverseFind('.');
        m_helpPath = dot > path.ReverseFind('\\') ? path.Left(dot) : path;
        m_helpPath += ".HLP";
    }
    m_pszHelpFilePath = m_helpPath;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

void CWinApp::OnHelp()
{
    if (::GetFileAttributesA(m_pszHelpFilePath) == INVALID_FILE_ATTRIBUTES) {
        ::MessageBeep(MB_OK);
        return;
    }
    HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ::WinHelpA(owner, m_pszHelpFilePath, HELP_FINDER, 0);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    int code = 0;
    try {
        code = app->InitInstance() ? app->Run() : app->ExitInstance();
    } catch (...) {
        code = app->ProcessStartupException();
    }
    return code;
}
