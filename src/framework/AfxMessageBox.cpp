#include "AfxMessageBox.h"

#include "CWinApp.h"

#include <cstring>

const char* AfxGetAppName()
{
    static char name[MAX_PATH] = "";
    if (!name[0]) {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        const char* file = std::strrchr(path, '\\');
        file = file ? file + 1 : path;
        lstrcpynA(name, file, MAX_PATH);
        char* dot = std::strrchr(name, '.');
        if (dot)
            *dot = '\0';
    }
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
