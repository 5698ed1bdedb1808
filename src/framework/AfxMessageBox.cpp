#include "AfxMessageBox.h"

#include "CWinApp.h"
#include "ModuleFileName.h"

const char* AfxGetAppName()
{
    // Taken once, from the program's full path whatever its length.
    static const CString name = [] {
        const CString path = AfxGetModuleFileName();
        CString file = path.Mid(path.ReverseFind('\\') + 1);
        const int dot = file.ReverseFind('.');
        return dot >= 0 ? file.Left(dot) : file;
    }();
    return name;
}

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/)
{
    if ((type & MB_ICONMASK) == 0) {
        const UINT buttons = type & MB_TYPEMASK;
        if (buttons == MB_OK || buttons == MB_OKCANCEL)
            type |= MB_ICONEXCLAMATION;
    }
    HWND owner = nullptr;
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd))
            owner = ::GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    }
    return ::MessageBoxA(owner, text, AfxGetAppName(), type);
}
