#include "SelfCheckDialog.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

const char* const kSelfCheckChildArgument = "--selfcheck-dialog";
const char* const kSelfCheckTitle = "Épreuve d'automatisation";
const double kSelfCheckSpinMs = 800;

namespace {

void ShowSelection(HWND dialog)
{
    HWND folders = ::GetDlgItem(dialog, IDC_FOLDERS);
    const int selected = static_cast<int>(::SendMessageA(folders, CB_GETCURSEL, 0, 0));
    char folder[MAX_PATH] = "";
    ::SendMessageA(folders, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(folder));

    HWND applications = ::GetDlgItem(dialog, IDC_APPLICATIONS);
    ::SendMessageA(applications, LB_RESETCONTENT, 0, 0);
    const char* const names[] = {"Zèbre", "Atlas", "Écho"};
    for (const char* name : names) {
        char entry[2 * MAX_PATH];
        std::snprintf(entry, sizeof entry, "%s de %s", name, folder);
        ::SendMessageA(applications, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }

    char directory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    const char* value = std::getenv("SELFCHECK_VALUE");
    char status[1024];
    std::snprintf(status, sizeof status, "Sélection %d : %s\r\nvaleur=%s\r\ndossier=%s", selected, folder,
                  value ? value : "(aucune)", directory);
    ::SetDlgItemTextA(dialog, IDC_STATUS, status);
}

double ThreadProcessorMs()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

// Computes until this thread has used `ms` milliseconds of processor time, however
// long that takes on a loaded machine, serving the queue every 10 ms. (Under Wine
// each PeekMessage is a round trip to the server, whose time is not the
// process's own: a loop of bare PeekMessage calls shows little processor time.)
void Spin(double ms)
{
    const double start = ThreadProcessorMs();
    DWORD served = ::GetTickCount();
    volatile unsigned sink = 0;
    while (ThreadProcessorMs() - start < ms) {
        for (unsigned i = 0; i < 10000; ++i)
            sink = sink * 33 + i;
        if (::GetTickCount() - served < 10)
            continue;
        served = ::GetTickCount();
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

void ShowBoxes(HWND dialog)
{
    ::EnableWindow(dialog, FALSE);
    ::MessageBoxA(dialog, "Avant de débuter\n\nAppuyez sur OK pour continuer.", kSelfCheckTitle, MB_ICONINFORMATION);
    ::MessageBoxA(dialog, "L'application 'Écho' ne peut être mise à jour.", kSelfCheckTitle, MB_ICONEXCLAMATION);
    ::MessageBoxA(dialog, "Arrêt", kSelfCheckTitle, MB_ICONSTOP);
    ::MessageBoxA(dialog, "Erreur : 5", "support_selfcheck", MB_ICONEXCLAMATION);
    ::MessageBoxA(dialog, "Sans icône", kSelfCheckTitle, MB_OK);
    ::EnableWindow(dialog, TRUE);
    ::EndDialog(dialog, 3);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND folders = ::GetDlgItem(dialog, IDC_FOLDERS);
        const char* const names[] = {"Hiver", "Été", "Automne"};
        for (const char* name : names)
            ::SendMessageA(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        ::SendMessageA(folders, CB_SETCURSEL, 0, 0);
        ShowSelection(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FOLDERS:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                ShowSelection(dialog);
            return TRUE;
        case IDC_BOXES:
            ShowBoxes(dialog);
            return TRUE;
        case IDC_BUSY:
            Spin(kSelfCheckSpinMs);
            ::SetDlgItemTextA(dialog, IDC_STATUS, "occupé");
            return TRUE;
        case IDC_BLOCKED:
            ::Sleep(1500);
            ::SetDlgItemTextA(dialog, IDC_STATUS, "bloqué");
            return TRUE;
        case IDCANCEL:
            ::EndDialog(dialog, 7);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int RunSelfCheckDialog()
{
    return static_cast<int>(::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SELFCHECK), nullptr,
                                              DialogProc, 0));
}
