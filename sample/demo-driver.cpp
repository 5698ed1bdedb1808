// Drives the updater for the demo when there is no one at the screen: waits for its
// dialog and prints where it is (for the screenshot), or presses "Mettre à jour" and
// answers every message box with OK, printing each, until the updater has ended.
//
//   demo-driver wait     prints "x y width height" of the dialog
//   demo-driver update   runs the update(s) to the end
//   demo-driver buttons  prints "x y width height" round the dialog's two buttons
//   demo-driver hover ID puts the mouse over control ID (0: out of the way)
//   demo-driver run PROGRAM [ARGUMENTS...]
//                        runs PROGRAM to its end and prints its exit code whole (a
//                        Linux shell sees only its low 8 bits) and how long it took

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kTitle[] = "Mise à jour de l'Orvandel";

std::string TextOf(HWND window)
{
    wchar_t wide[4096] = L"";
    ::SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, nullptr);
    char text[8192] = "";
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

HWND FindDialog()
{
    HWND dialog = ::FindWindowA("#32770", kTitle);
    return dialog && ::IsWindowVisible(dialog) && ::GetDlgItem(dialog, 1002) ? dialog : nullptr;
}

struct BoxSearch { DWORD pid; bool visibleOnly; HWND found; };

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char cls[16] = "";
    ::GetClassNameA(window, cls, sizeof cls);
    if (pid == search->pid && std::strcmp(cls, "#32770") == 0 && (!search->visibleOnly || ::IsWindowVisible(window)) &&
        ::GetDlgItem(window, 0xFFFF)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A message box of process `pid`: a shown one, or with `visibleOnly` false one that
// is still to show itself.
HWND MessageBoxOf(DWORD pid, bool visibleOnly)
{
    BoxSearch search = {pid, visibleOnly, nullptr};
    ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether the updater is done with the update it was asked for: back in its dialog's
// message loop with "Mettre à jour" usable and no box up or coming. Its thread
// answers a sent WM_NULL only while it waits for messages: in that loop, in a box's
// (once the box exists) or while an installer runs (with the dialog disabled).
bool BackInDialog(HWND dialog, DWORD pid)
{
    auto usable = [&] { return ::IsWindowEnabled(dialog) && ::IsWindowEnabled(::GetDlgItem(dialog, 1002)); };
    DWORD_PTR unused = 0;
    return usable() && ::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &unused) && usable() &&
           !MessageBoxOf(pid, false);
}

int Wait()
{
    for (int i = 0; i < 300; ++i) {
        if (HWND dialog = FindDialog()) {
            ::Sleep(500);   // let it paint
            RECT r;
            ::GetWindowRect(dialog, &r);
            std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
            return 0;
        }
        ::Sleep(100);
    }
    std::fprintf(stderr, "demo-driver: the dialog did not appear\n");
    return 1;
}

int Update()
{
    HWND dialog = FindDialog();
    if (!dialog) {
        std::fprintf(stderr, "demo-driver: no dialog to drive\n");
        return 1;
    }
    DWORD pid = 0;
    ::GetWindowThreadProcessId(dialog, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    std::printf("Dossier : %s\n", TextOf(::GetDlgItem(dialog, 1000)).c_str());
    ::PostMessageA(::GetDlgItem(dialog, 1002), BM_CLICK, 0, 0);
    // Every update begins with a notice box: until one has been answered, the update
    // just asked for has not begun.
    int boxesSinceClick = 0;

    for (int waited = 0; waited < 600000; waited += 100) {
        if (process && ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            break;
        if (HWND box = MessageBoxOf(pid, true)) {
            std::printf("[%s] %s\n", TextOf(box).c_str(), TextOf(::GetDlgItem(box, 0xFFFF)).c_str());
            std::fflush(stdout);
            ::Sleep(300);
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            for (int i = 0; i < 50 && ::IsWindow(box); ++i)
                ::Sleep(100);
            ++boxesSinceClick;
            continue;
        }
        // A folder offered after an update is updated as well.
        HWND current = FindDialog();
        if (boxesSinceClick > 0 && current && BackInDialog(current, pid)) {
            std::printf("Dossier : %s\n", TextOf(::GetDlgItem(current, 1000)).c_str());
            std::fflush(stdout);
            ::PostMessageA(::GetDlgItem(current, 1002), BM_CLICK, 0, 0);
            boxesSinceClick = 0;
        }
        ::Sleep(100);
    }
    if (process)
        ::CloseHandle(process);
    return 0;
}

// The screen rectangle round both buttons, with a few pixels of the dialog about it.
int Buttons()
{
    HWND dialog = FindDialog();
    if (!dialog) {
        std::fprintf(stderr, "demo-driver: no dialog\n");
        return 1;
    }
    RECT update, finish, both;
    ::GetWindowRect(::GetDlgItem(dialog, 1002), &update);
    ::GetWindowRect(::GetDlgItem(dialog, IDCANCEL), &finish);
    ::UnionRect(&both, &update, &finish);
    ::InflateRect(&both, 6, 6);
    std::printf("%ld %ld %ld %ld\n", both.left, both.top, both.right - both.left, both.bottom - both.top);
    return 0;
}

int Hover(int id)
{
    HWND dialog = FindDialog();
    if (!dialog || (id && !::GetDlgItem(dialog, id))) {
        std::fprintf(stderr, "demo-driver: no control %d to hover\n", id);
        return 1;
    }
    POINT at = {0, 0};
    if (id) {
        RECT r;
        ::GetWindowRect(::GetDlgItem(dialog, id), &r);
        at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    ::SetCursorPos(at.x, at.y);
    ::Sleep(150);   // the button repaints at once; its tip waits half a second
    return 0;
}

// The arguments after PROGRAM are passed on as the shell split them, each quoted.
int Run(int argc, char** argv)
{
    std::string line = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i)
        line += std::string(" \"") + argv[i] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const DWORD start = ::GetTickCount();
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "demo-driver: %s could not be started (error %lu)\n", argv[2], ::GetLastError());
        return 1;
    }
    ::WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(info.hProcess, &code);
    std::printf("exit code %lu, after %lu ms\n", code, ::GetTickCount() - start);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "wait") == 0)
        return Wait();
    if (argc == 2 && std::strcmp(argv[1], "update") == 0)
        return Update();
    if (argc == 2 && std::strcmp(argv[1], "buttons") == 0)
        return Buttons();
    if (argc == 3 && std::strcmp(argv[1], "hover") == 0)
        return Hover(std::atoi(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0)
        return Run(argc, argv);
    std::fprintf(stderr, "usage: demo-driver wait|update|buttons|hover ID|run PROGRAM [ARGUMENTS...]\n");
    return 2;
}
