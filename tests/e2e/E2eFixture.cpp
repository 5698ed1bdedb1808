#include "E2eFixture.h"

#include "CKernelHandle.h"
#include <algorithm>
#include <cwchar>
#include <functional>

const char kTitle[] = "Mise \xE0 jour de l'Orvandel";
const char kUpToDate[] = "Votre poste a \xE9t\xE9 mis \xE0 jour en version 1.3.";
const char kNotice[] =
    "Avant de d\xE9" "buter la mise \xE0 jour, fermez  toutes les applications en cours.\n\n"
    "Attention, la proc\xE9" "dure de mise \xE0 jour peut prendre plusieurs minutes.\n\n"
    "Appuyez sur OK pour continuer.";


namespace {
// Removes everything on a drive but the root itself (removing the root of a mapped
// drive would take away the folder Wine maps it to).
void EmptyDrive(const char* root)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((std::string(root) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            RemoveTree(std::string(root) + name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
}

// Runs `program` with `arguments` to its end, its standard output redirected to a
// file, looking for a window of it every few milliseconds all the while.
Unattended RunUnattended(const std::string& program, const std::string& arguments, const Environment& environment,
                         DWORD timeoutMs, const std::string& currentDir)
{
    Unattended result;
    TempDir scratch("out");
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    CKernelHandle output(::CreateFileA((scratch / "stdout.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                       &inheritable, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(output.IsValid());
    {
        AppUnderTest app;
        app.SetStandardOutput(output);
        if (!app.Start(program, environment, currentDir, arguments))
            return result;
        const DWORD start = ::GetTickCount();
        while (app.IsRunning() && ::GetTickCount() - start < timeoutMs) {
            result.windowShown = result.windowShown || VisibleWindowOf(app.ProcessId()) != nullptr;
            ::Sleep(10);
        }
        result.exitCode = app.WaitForExit(1000);
    }
    output.Close();
    result.output = ReadFileBytes(scratch / "stdout.txt");
    return result;
}

std::string Utf8(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                          &wide[0], static_cast<int>(wide.size()))));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                          &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

bool LogHolds(const std::string& path, const std::string& part)
{
    return ReadFileBytes(path).find(Utf8(part)) != std::string::npos;
}

std::string WindowsPath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ProgramPath() { return WindowsPath(MISEAJOUR_EXE_PATH); }
std::string CompressedInstallerPath() { return WindowsPath(STANDIN_COMPRESSED_PATH); }

std::string ApplicationsFound(int count)
{
    return "La proc\xE9" "dure de mise \xE0 jour a d\xE9tect\xE9 " + std::to_string(count) +
           " application(s) dans le dossier selectionn\xE9.\r\n"
           "Si vous cliquez sur le bouton 'Mettre \xE0 jour', l'ensemble de ces applications vont \xEAtre mises "
           "\xE0 niveau.\r\nAttention, l'op\xE9ration peut prendre quelques minutes.";
}

EndToEnd::EndToEnd() : log(logFolder / "runs.log")
{
    EmptyDrive("R:\\");
    EmptyDrive("S:\\");
}

EndToEnd::~EndToEnd()
{
    EmptyDrive("R:\\");
    EmptyDrive("S:\\");
}

std::string EndToEnd::LayOutDisc(const std::string& directory, bool withInstaller)
{
    if (directory.size() > 3) {
        EXPECT_TRUE(MakeFolders(directory)) << directory;
    }
    const std::string base = directory.back() == '\\' ? directory : directory + "\\";
    const std::string program = base + "MiseAJour.exe";
    EXPECT_TRUE(::CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE)) << program;
    if (withInstaller) {
        EXPECT_TRUE(::CopyFileA(CompressedInstallerPath().c_str(), (base + "_install.ex_").c_str(), FALSE));
    }
    return program;
}

Environment EndToEnd::StandinEnvironment(DWORD runMilliseconds) const
{
    return {{"MISEAJOUR_STANDIN_LOG", log}, {"MISEAJOUR_STANDIN_MS", std::to_string(runMilliseconds)}};
}

std::vector<standin::Run> EndToEnd::Runs() const
{
    std::vector<standin::Run> runs;
    standin::ReadLog(log, runs);
    return runs;
}

HWND EndToEnd::Start(AppUnderTest& app, const std::string& program, const Environment& environment)
{
    if (!app.Start(program, environment))
        return nullptr;
    return app.WaitForDialog(kTitle);
}

namespace {
struct BoxSearch {
    DWORD processId;
    HWND dialog;
    const std::vector<MessageBoxSeen>* seen;
    bool found;
};

BOOL CALLBACK FindUnseenBox(HWND window, LPARAM context)
{
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(context);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (processId != search.processId || window == search.dialog || lstrcmpA(className, "#32770") != 0 ||
        !::GetDlgItem(window, 0xFFFF))
        return TRUE;
    for (const MessageBoxSeen& box : *search.seen)
        if (box.hwnd == window)
            return TRUE;
    search.found = true;
    return FALSE;
}

// Whether the program has a message box up that is not among `seen`, shown or not
// yet: a modal box shows itself only once its own loop first finds the queue empty.
bool HasUnseenBox(const AppUnderTest& app, HWND dialog, const std::vector<MessageBoxSeen>& seen)
{
    BoxSearch search{app.ProcessId(), dialog, &seen, false};
    ::EnumWindows(FindUnseenBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The status box's text, read without failing: the program may be ending meanwhile.
bool StatusSaysWait(HWND dialog)
{
    wchar_t status[32] = L"";
    DWORD_PTR unused = 0;
    ::SendMessageTimeoutW(::GetDlgItem(dialog, 1007), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(status),
                          SMTO_ABORTIFHUNG, 1000, &unused);
    // The first line of the status while an update runs; the step under way follows.
    return wcsncmp(status, L"Veuillez patienter", 18) == 0;
}
} // namespace

std::vector<MessageBoxSeen> EndToEnd::RunUpdate(AppUnderTest& app, HWND dialog, DWORD timeoutMs)
{
    std::vector<MessageBoxSeen> boxes;
    EXPECT_TRUE(Click(dialog, 1002));
    const DWORD start = ::GetTickCount();
    for (DWORD elapsed = 0; elapsed < timeoutMs; elapsed = ::GetTickCount() - start) {
        if (!app.IsRunning() || !::IsWindow(dialog)) {
            app.WaitForExit(10000);
            return boxes;
        }
        if (auto box = app.FindMessageBox()) {
            boxes.push_back(*box);
            app.Answer(*box);
            continue;
        }
        // The update has begun once its notice is answered. The dialog takes input
        // again before the update's last box and before the lists are refreshed, so
        // that alone does not say the update is over, however long it lasts. What
        // does is the program's thread answering a sent WM_NULL: it does so only
        // while it waits for messages, in its dialog's loop once the update has
        // returned, in a box's loop once that box exists, or while an installer
        // runs, with the dialog disabled. An answered box's loop still runs, with
        // the dialog enabled again, until the box is destroyed: not before then.
        const bool boxesGone = std::none_of(boxes.begin(), boxes.end(),
                                            [](const MessageBoxSeen& box) { return ::IsWindow(box.hwnd); });
        const bool mayBeOver = !boxes.empty() && boxesGone && ::IsWindowEnabled(dialog) && !StatusSaysWait(dialog);
        if (mayBeOver && IsResponsive(dialog, timeoutMs - elapsed) && app.IsRunning() &&
            ::IsWindow(dialog) && ::IsWindowEnabled(dialog) && !StatusSaysWait(dialog) &&
            !HasUnseenBox(app, dialog, boxes))
            return boxes;
        ::Sleep(50);
    }
    ADD_FAILURE() << "the update did not end within " << timeoutMs << " ms";
    return boxes;
}

std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    std::function<void(const std::string&, const std::string&)> walk = [&](const std::string& dir,
                                                                          const std::string& prefix) {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((dir + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                walk(dir + "\\" + name, prefix + name + "\\");
            else
                files.emplace_back(prefix + name, ReadFileBytes(dir + "\\" + name));
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    };
    walk(folder, "");
    std::sort(files.begin(), files.end());
    return files;
}
