// What a user's machine or a careless tool can do to the real program from outside:
// clicks that arrive out of turn, folders recorded in odd spellings, names the
// ANSI code page cannot hold, and a second updater started beside the first.
// Folders live on drive S:, the disc on drive R:, and the program runs with its
// current directory on S:, so a file written in the wrong place shows up in a
// snapshot of the two drives.

#include "CKernelHandle.h"
#include "E2eFixture.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

const char kSuiteKey[] = "Software\\Rurodovoz Velmor\\Install\\Orvandel";

std::string CannotReinstall(const std::string& name)
{
    return "L'application '" + name + "' ne peut \xEAtre mise \xE0 jour \xE0 partir du C\xE9" "d\xE9rom.";
}

std::string StandinBytes()
{
    std::string path = CompressedInstallerPath();
    path = path.substr(0, path.rfind('\\')) + "\\installer-standin.exe";
    return ReadFileBytes(path);
}

using Files = std::vector<std::pair<std::string, std::string>>;

// Both spare drives, each file named from the drive's root.
Files Drives()
{
    Files all;
    for (const char* drive : {"R:", "S:"})
        for (auto& file : Snapshot(drive))
            all.emplace_back(std::string(drive) + "\\" + file.first, file.second);
    return all;
}

// The files that appeared or changed since `before`, by name; a file that vanished
// is listed with the content "<vanished>".
std::map<std::string, std::string> Changes(const Files& before, const Files& after)
{
    std::map<std::string, std::string> changes;
    const std::map<std::string, std::string> old(before.begin(), before.end());
    const std::map<std::string, std::string> now(after.begin(), after.end());
    for (const auto& [name, content] : now) {
        const auto was = old.find(name);
        if (was == old.end() || was->second != content)
            changes[name] = content;
    }
    for (const auto& [name, content] : old)
        if (!now.count(name))
            changes[name] = "<vanished>";
    return changes;
}

std::string Names(const std::map<std::string, std::string>& changes)
{
    std::string names;
    for (const auto& change : changes)
        names += "\n  " + change.first;
    return names.empty() ? " (none)" : names;
}

std::vector<std::string> Texts(const std::vector<MessageBoxSeen>& boxes)
{
    std::vector<std::string> texts;
    // An error box's first line: what failed and why follow it.
    for (const MessageBoxSeen& box : boxes)
        texts.push_back(box.text.rfind("Erreur : ", 0) == 0 ? box.text.substr(0, box.text.find('\n')) : box.text);
    return texts;
}

// A click as a robot or a key repeat sends it: posted to the button whatever its state.
void PostClick(HWND dialog)
{
    ::PostMessageA(::GetDlgItem(dialog, 1002), BM_CLICK, 0, 0);
}

// Waits until the program has taken every message posted to it so far: a sent
// message is answered only where the program reads its queue, and the first one
// may be answered before a posted message waiting in that queue.
void Settle(HWND dialog)
{
    IsResponsive(dialog, 5000);
    IsResponsive(dialog, 5000);
}

// Answers every box with OK until the program has ended, or has come back to its
// own message loop with its dialog usable after at least one box.
std::vector<MessageBoxSeen> AnswerUntilIdle(AppUnderTest& app, HWND dialog, DWORD timeoutMs = 60000)
{
    std::vector<MessageBoxSeen> boxes;
    auto idle = [&] {
        return !boxes.empty() && ::IsWindowEnabled(dialog) && !app.FindMessageBox() &&
               WindowText(::GetDlgItem(dialog, 1007)).rfind("Veuillez patienter", 0) != 0;
    };
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (!app.IsRunning() || !::IsWindow(dialog)) {
            app.WaitForExit(10000);
            return boxes;
        }
        if (auto box = app.FindMessageBox()) {
            boxes.push_back(*box);
            app.Answer(*box);
            continue;
        }
        // Still idle once the program has read its queue again: the update is over.
        if (idle() && IsResponsive(dialog, 5000) && idle())
            return boxes;
        ::Sleep(50);
    }
    ADD_FAILURE() << "the update did not end within " << timeoutMs << " ms";
    return boxes;
}

void ClearLog(const std::string& log)
{
    ::DeleteFileA(log.c_str());
}

// --- Wide-character fixtures: names the test writes through the W calls. ------------

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    const int length = ::MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                             static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length : 0));
    return wide;
}

// What the ANSI calls make of `wide`: look-alikes where the code page has them, '?' elsewhere.
std::string AsTheAnsiCallsGiveIt(const std::wstring& wide)
{
    char ansi[MAX_PATH] = "";
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
    return length > 0 ? std::string(ansi) : std::string();
}

void RegisterWide(const std::wstring& valueName, const std::wstring& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(kSuiteKey).c_str(), 0, nullptr, 0,
                                               KEY_SET_VALUE, nullptr, &key, nullptr));
    const LONG status = ::RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                         static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, status);
}

void WriteWide(const std::wstring& path, const std::string& content)
{
    const CKernelHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.IsValid()) << "cannot write a file with a wide name";
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

// Removes what the ANSI calls cannot reach: a tree whose names hold such characters.
void RemoveWideTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveWideTree(path + L"\\" + name);
            else
                ::DeleteFileW((path + L"\\" + name).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

// A window of the test's own, put in front of everything.
class FrontWindow {
public:
    FrontWindow()
    {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = ::DefWindowProcA;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.lpszClassName = "OutsideFaultsFront";
        ::RegisterClassA(&cls);
        m_window = ::CreateWindowExA(0, cls.lpszClassName, "Fen\xEAtre du test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                     0, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
        ::SetForegroundWindow(m_window);
        Pump();
    }
    ~FrontWindow()
    {
        if (m_window)
            ::DestroyWindow(m_window);
    }
    FrontWindow(const FrontWindow&) = delete;
    FrontWindow& operator=(const FrontWindow&) = delete;

    HWND get() const { return m_window; }
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

private:
    HWND m_window = nullptr;
};

// A program run from start to end while its windows are watched.
struct Watched {
    bool started = false;
    bool ended = false;
    HWND shown = nullptr;       // the first visible window it showed
    DWORD milliseconds = 0;     // from creation to its end
};

Watched StartAndWatch(const std::string& program, DWORD timeoutMs)
{
    Watched watched;
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const DWORD start = ::GetTickCount();
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return watched;
    const CKernelHandle child(process.hProcess), thread(process.hThread);
    watched.started = true;
    while (::WaitForSingleObject(process.hProcess, 2) == WAIT_TIMEOUT && ::GetTickCount() - start < timeoutMs) {
        if (!watched.shown)
            watched.shown = VisibleWindowOf(process.dwProcessId);
    }
    watched.milliseconds = ::GetTickCount() - start;
    watched.ended = ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    if (!watched.ended) {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, 5000);
    }
    return watched;
}

using OutsideFaults = EndToEnd;

// 1. Clicks on "Mettre à jour" that come together, during a run, or after a failure.
TEST_F(OutsideFaults, UpdateRunsOnlyForASelectedFolderAndNeverTwiceAtOnce)
{
    enum class When { Together, WhileInstallerRuns, AfterFailure };
    struct Case {
        const char* label;
        When when;
        bool installerOnDisc;
        bool folderLeft;                        // a second folder keeps the program open
        std::vector<std::string> boxes;         // texts, in order
        size_t runs;
    };
    const std::string notice = kNotice;
    const std::string upToDate = kUpToDate;
    const Case cases[] = {
        {"two clicks at once on the last folder", When::Together, true, false, {notice, upToDate}, 2},
        {"two clicks at once, another folder left", When::Together, true, true, {notice}, 2},
        {"clicks while the installer runs", When::WhileInstallerRuns, true, false, {notice, upToDate}, 2},
        {"clicks after a failed update", When::AfterFailure, false, true, {notice, "Erreur : 5"}, 0},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ClearLog(log);
        const std::string base = "S:\\Cas " + std::to_string(++number);
        const std::string disc = LayOutDisc("R:\\Cas " + std::to_string(number), c.installerOnDisc);
        SuiteInstallations local;
        const std::string first = local.AddFolder(base + "\\Salle A", "1, 2, 0, 0", {"Tolvane"});
        if (c.folderLeft)
            local.AddFolder(base + "\\Salle B", "1, 2, 0, 0", {"Tolvane"});
        const std::string current = base + "\\Travail";
        ASSERT_TRUE(MakeFolders(current));
        const Files before = Drives();

        AppUnderTest app;
        ASSERT_TRUE(app.Start(disc, StandinEnvironment(c.when == When::WhileInstallerRuns ? 2000 : 0), current));
        HWND dialog = app.WaitForDialog(kTitle);
        ASSERT_NE(nullptr, dialog);
        ASSERT_EQ(first, ItemText(dialog, 1000));

        std::vector<MessageBoxSeen> boxes;
        auto keep = [&boxes](const std::vector<MessageBoxSeen>& more) {
            boxes.insert(boxes.end(), more.begin(), more.end());
        };
        switch (c.when) {
        case When::Together:
            PostClick(dialog);
            PostClick(dialog);
            keep(AnswerUntilIdle(app, dialog));
            break;
        case When::WhileInstallerRuns: {
            PostClick(dialog);
            auto box = app.WaitForMessageBox();
            ASSERT_TRUE(box.has_value());
            boxes.push_back(*box);
            app.Answer(*box);
            for (int i = 0; i < 200 && Runs().empty(); ++i)
                ::Sleep(20);
            ASSERT_EQ(1u, Runs().size()) << "the removal run did not start";
            PostClick(dialog);
            PostClick(dialog);
            keep(AnswerUntilIdle(app, dialog));
            break;
        }
        case When::AfterFailure:
            PostClick(dialog);
            keep(AnswerUntilIdle(app, dialog));
            PostClick(dialog);
            PostClick(dialog);
            Settle(dialog);
            if (auto extra = app.FindMessageBox()) {
                boxes.push_back(*extra);
                keep(AnswerUntilIdle(app, dialog));
            }
            EXPECT_EQ("Erreur : 5", ItemText(dialog, 1007));
            break;
        }

        EXPECT_EQ(c.boxes, Texts(boxes));
        const std::vector<standin::Run> runs = Runs();
        EXPECT_EQ(c.runs, runs.size());
        for (size_t i = 1; i < runs.size(); ++i)
            EXPECT_LT(runs[i - 1].doneOrder, runs[i].startOrder) << "runs overlapped";
        if (!runs.empty()) {
            EXPECT_EQ(" /u/c/*" + first, runs[0].commandLine);
        }
        if (c.folderLeft && c.when == When::Together) {
            EXPECT_EQ(std::vector<std::string>{base + "\\Salle B"}, ComboItems(dialog, 1000));
            EXPECT_TRUE(IsItemEnabled(dialog, 1002));
        }

        // Nothing but the updated folder's installer on either drive, and nothing in
        // the root of the program's current drive.
        std::map<std::string, std::string> expected;
        if (c.runs > 0)
            expected[first + "\\_install.exe"] = StandinBytes();
        const auto changes = Changes(before, Drives());
        EXPECT_TRUE(changes == expected) << "changed on the drives:" << Names(changes);
        app.Kill();
    }
}

// 2. Folders recorded with a trailing backslash, forward slashes or doubled separators.
TEST_F(OutsideFaults, FoldersAreTakenInTheirNormalForm)
{
    struct Case {
        const char* label;
        std::vector<std::string> recorded;   // the values' data
        std::string folder;                  // shown and updated
        std::string parent;                  // what the installer finds in the info block
    };
    const Case cases[] = {
        {"trailing backslash", {"S:\\Orv 1\\Trail\\"}, "S:\\Orv 1\\Trail", "S:\\Orv 1"},
        {"forward slashes", {"S:/Orv 2/Fwd"}, "S:\\Orv 2\\Fwd", "S:\\Orv 2"},
        {"doubled and mixed separators", {"S:\\Orv 3//Mix\\\\/"}, "S:\\Orv 3\\Mix", "S:\\Orv 3"},
        {"a folder under the drive root", {"S:/Racine/"}, "S:\\Racine", "S:"},
        {"one folder in two spellings", {"S:\\Orv 5\\Deux", "S:/Orv 5/Deux/"}, "S:\\Orv 5\\Deux", "S:\\Orv 5"},
    };
    const std::string disc = LayOutDisc("R:\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ClearLog(log);
        SuiteInstallations local;
        local.MakeFolder(c.folder, "1, 2, 0, 0", {"Tolvane"});
        for (const std::string& spelling : c.recorded)
            local.Register(spelling);
        const Files before = Drives();

        AppUnderTest app;
        HWND dialog = Start(app, disc, StandinEnvironment());
        ASSERT_NE(nullptr, dialog);
        // A folder recorded twice is listed twice, in one spelling.
        EXPECT_EQ(std::vector<std::string>(c.recorded.size(), c.folder), ComboItems(dialog, 1000));
        EXPECT_EQ(std::vector<std::string>{"Tolvane"}, ListItems(dialog, 1001));

        // Once updated, the folder is not offered again, in any spelling.
        const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
        EXPECT_EQ((std::vector<std::string>{kNotice, kUpToDate}), Texts(boxes));
        EXPECT_FALSE(app.IsRunning());

        const std::vector<standin::Run> runs = Runs();
        ASSERT_EQ(2u, runs.size());
        EXPECT_EQ(" /u/c/*" + c.folder, runs[0].commandLine);
        EXPECT_EQ(c.folder, runs[0].currentDirectory);
        EXPECT_EQ(c.parent, runs[1].info.text);
        EXPECT_EQ("W%_Q", runs[1].code.text);
        EXPECT_EQ(c.folder, runs[1].currentDirectory);

        const std::map<std::string, std::string> expected{{c.folder + "\\_install.exe", StandinBytes()}};
        const auto changes = Changes(before, Drives());
        EXPECT_TRUE(changes == expected) << "changed on the drives:" << Names(changes);
    }
}

// 3. Value names, application names and folder paths the ANSI code page cannot hold.
TEST_F(OutsideFaults, NamesTheCodePageCannotHoldAreNeverDroppedSilently)
{
    const std::wstring greek = L"\u03A3\u03C7\u03BF\u03BB\u03AE";        // 5 letters
    const std::wstring japanese = L"\u5B66\u6821";                       // 2 letters
    const std::wstring software = L"Logiciel \u039B\u03BF\u03B3\u03BF\u03C2";   // "Logiciel " + 5 letters
    struct Case {
        const char* label;
        std::wstring valueName;
        std::wstring folder;                  // recorded, made with the W calls
        std::vector<std::wstring> files;      // written into the folder
        std::string listed;                   // the folder as the list shows it
        std::vector<std::string> applications;
        std::vector<std::string> boxes;
        size_t runs;
    };
    const Case cases[] = {
        {"value named in Greek", greek, L"S:\\Grec", {L"Tolvane.ini", L"Tolvane.log"}, "S:\\Grec",
         {"Tolvane"}, {kNotice, kUpToDate}, 2},
        {"value named in Japanese", japanese, L"S:\\Japon", {L"Tolvane.ini", L"Tolvane.log"}, "S:\\Japon",
         {"Tolvane"}, {kNotice, kUpToDate}, 2},
        {"application named in Greek", L"Install 01", L"S:\\Appli",
         {L"Tolvane.ini", L"Tolvane.log", software + L".ini", software + L".log", greek + L".ini"}, "S:\\Appli",
         {"Logiciel ?????", "Tolvane"}, {kNotice, CannotReinstall("Logiciel ?????"), kUpToDate}, 2},
        // Honest: the path the registry's ANSI calls give opens nothing, and nothing runs.
        {"folder path in Greek", L"Install 01", L"S:\\" + greek, {L"Tolvane.ini", L"Tolvane.log"},
         AsTheAnsiCallsGiveIt(L"S:\\" + greek), {}, {kNotice, "Erreur : 2"}, 0},
    };
    const std::string disc = LayOutDisc("R:\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ClearLog(log);
        SuiteInstallations local;
        ASSERT_TRUE(::CreateDirectoryW(c.folder.c_str(), nullptr));
        for (const std::wstring& file : c.files)
            WriteWide(c.folder + L"\\" + file, "[Application]\r\n");
        RegisterWide(c.valueName, c.folder);
        const Files before = Drives();

        AppUnderTest app;
        HWND dialog = Start(app, disc, StandinEnvironment());
        ASSERT_NE(nullptr, dialog);
        // With no folder listed, the window of that title is the box saying so.
        ASSERT_NE(nullptr, ::GetDlgItem(dialog, 1000)) << "no folder listed: \"" << ItemText(dialog, 0xFFFF) << "\"";
        EXPECT_EQ(std::vector<std::string>{c.listed}, ComboItems(dialog, 1000));
        EXPECT_EQ(c.applications, ListItems(dialog, 1001));

        const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
        EXPECT_EQ(c.boxes, Texts(boxes));
        for (const MessageBoxSeen& box : boxes)
            if (box.text.find("L'application") == 0) {
                EXPECT_EQ(IconKind::Warning, box.icon) << box;
            }
        const std::vector<standin::Run> runs = Runs();
        EXPECT_EQ(c.runs, runs.size());
        if (runs.size() == 2) {
            EXPECT_EQ(" /u/c/*" + c.listed, runs[0].commandLine);
            EXPECT_EQ("W%_Q", runs[1].code.text);
        }

        std::map<std::string, std::string> expected;
        if (c.runs > 0)
            expected[c.listed + "\\_install.exe"] = StandinBytes();
        const auto changes = Changes(before, Drives());
        EXPECT_TRUE(changes == expected) << "changed on the drives:" << Names(changes);
        // The folder the program could not reach is as it was.
        for (const std::wstring& file : c.files)
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((c.folder + L"\\" + file).c_str()));
        app.Kill();
        RemoveWideTree(c.folder);
    }
}

// 4. A second updater started beside the first shows nothing and puts the first in front.
TEST_F(OutsideFaults, SecondUpdaterBringsTheFirstToTheFrontAndEnds)
{
    enum class State { Waiting, NoticeShown, InstallerRuns };
    struct Case {
        const char* label;
        State state;
    };
    const Case cases[] = {
        {"the first waits for the user", State::Waiting},
        {"the first shows its notice", State::NoticeShown},
        {"the first's installer runs", State::InstallerRuns},
    };
    const std::string disc = LayOutDisc("R:\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ClearLog(log);
        SuiteInstallations local;
        const std::string folder = local.AddFolder("S:\\Salle", "1, 2, 0, 0", {"Tolvane"});

        // The removal run must outlast the second updater's whole life and the check
        // after it, however slowly a loaded machine starts a program: ended first, it
        // leaves the first updater between two runs, which is not the case meant
        // (seen once, with nothing in front).
        AppUnderTest first;
        HWND dialog = Start(first, disc, StandinEnvironment(c.state == State::InstallerRuns ? 8000 : 0));
        ASSERT_NE(nullptr, dialog);
        HWND expectedFront = dialog;
        std::vector<MessageBoxSeen> boxes;
        if (c.state != State::Waiting) {
            ASSERT_TRUE(Click(dialog, 1002));
            auto notice = first.WaitForMessageBox();
            ASSERT_TRUE(notice.has_value());
            boxes.push_back(*notice);
            expectedFront = notice->hwnd;
            if (c.state == State::InstallerRuns) {
                first.Answer(*notice);
                for (int i = 0; i < 200 && Runs().empty(); ++i)
                    ::Sleep(20);
                ASSERT_EQ(1u, Runs().size()) << "the removal run did not start";
                expectedFront = dialog;
            }
        }

        FrontWindow front;
        ASSERT_EQ(front.get(), ::GetForegroundWindow()) << "the test cannot take the front";

        // Started here rather than through AppUnderTest, which waits for the program
        // to be idle first: every moment of the second updater's life is watched.
        const Watched second = StartAndWatch(disc, 15000);
        ASSERT_TRUE(second.started);
        ASSERT_TRUE(second.ended) << "the second updater did not end";
        std::printf("%s: the second updater ended after %lu ms\n", c.label, second.milliseconds);
        const HWND shown = second.shown;
        EXPECT_EQ(nullptr, shown) << "the second updater showed \"" << WindowText(shown) << "\"";
        FrontWindow::Pump();
        HWND foreground = ::GetForegroundWindow();
        if (c.state == State::InstallerRuns) {
            ASSERT_EQ(-1, Runs().at(0).doneOrder) << "the removal run ended before the front was looked at";
        }
        EXPECT_EQ(expectedFront, foreground) << "in front: \"" << WindowText(foreground) << "\"";

        // The first goes on as if nothing happened, and the folder is updated once.
        if (c.state == State::NoticeShown)
            first.Answer(boxes.back());
        if (c.state == State::Waiting) {
            boxes = RunUpdate(first, dialog);
        } else {
            const std::vector<MessageBoxSeen> rest = AnswerUntilIdle(first, dialog);
            boxes.insert(boxes.end(), rest.begin(), rest.end());
        }
        EXPECT_EQ((std::vector<std::string>{kNotice, kUpToDate}), Texts(boxes));
        const std::vector<standin::Run> runs = Runs();
        ASSERT_EQ(2u, runs.size());
        EXPECT_EQ(" /u/c/*" + folder, runs[0].commandLine);
        EXPECT_LT(runs[0].doneOrder, runs[1].startOrder);
    }
}

// 5. Folders whose paths are longer than the file functions take: each is listed,
// shows no applications when selected, and the dialog keeps answering. A common
// controls 6 combo box converts an ANSI read of an entry through a buffer of 512
// wide characters under Wine, so the lengths go both sides of 512.
TEST_F(OutsideFaults, FolderPathsOfAnyLengthCanBeSelected)
{
    // No such folders exist: their Kerbanista.exe has no version, so they are listed.
    const size_t lengths[] = {511, 512, 600, 2000};
    std::vector<std::string> folders;
    for (size_t length : lengths) {
        char head[32];
        std::snprintf(head, sizeof head, "S:\\Tr\xE8s long %04u", static_cast<unsigned>(length));
        std::string path = head;
        while (path.size() < length)
            path += "\\Sous-dossier";
        path.resize(length);
        if (path.back() == '\\')
            path.back() = 'x';
        folders.push_back(path);
        suite.Register(path);
    }
    const std::string disc = LayOutDisc("R:\\");
    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(folders, ComboItems(dialog, 1000));   // sorted as registered

    for (size_t i = 0; i < folders.size(); ++i) {
        SCOPED_TRACE(std::to_string(folders[i].size()) + " characters");
        ASSERT_TRUE(SelectComboEntry(dialog, 1000, static_cast<int>(i)));
        ASSERT_TRUE(IsResponsive(dialog, 5000)) << "the dialog no longer answers";
        EXPECT_EQ(static_cast<int>(i), ComboSelection(dialog, 1000));
        EXPECT_TRUE(ListItems(dialog, 1001).empty());
        EXPECT_EQ(ApplicationsFound(0), ItemText(dialog, 1007));
    }
    // The update reads the selected entry too: the copy into the folder fails, as
    // it does for any folder that cannot be reached.
    const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
    EXPECT_EQ((std::vector<std::string>{kNotice, "Erreur : 2"}), Texts(boxes));
    EXPECT_TRUE(app.IsRunning());
    EXPECT_TRUE(IsResponsive(dialog, 5000));
    EXPECT_TRUE(Runs().empty());
}

// Removes a tree made with the W calls when the test leaves, on every way out.
struct WideTreeRemover {
    std::wstring path;
    ~WideTreeRemover() { RemoveWideTree(path); }
};

// 6. The program on a disc fifteen folders deep, its path longer than MAX_PATH: it
// knows its name and finds the installer at the disc's root.
TEST_F(OutsideFaults, ProgramDeepOnTheDiscFindsTheInstallerAndNamesItself)
{
    struct Case {
        const char* label;
        bool installerAtRoot;
        std::vector<std::string> boxes, captions;
        size_t runs;
    };
    const Case cases[] = {
        {"installer at the disc root", true, {kNotice, kUpToDate}, {kTitle, kTitle}, 2},
        {"no installer on the disc", false, {kNotice, "Erreur : 5"}, {kTitle, "MiseAJour"}, 0},
    };
    std::string directory = "R:";
    for (int level = 1; level <= 15; ++level)
        directory += "\\Niveau " + std::to_string(100 + level).substr(1) + " du disque";
    const std::string program = directory + "\\MiseAJour.exe";
    ASSERT_GT(program.size(), 300u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ClearLog(log);
        const WideTreeRemover remover{L"R:\\Niveau 01 du disque"};
        for (size_t slash = directory.find('\\'); slash != std::string::npos; slash = directory.find('\\', slash + 1))
            ::CreateDirectoryW(Wide(directory.substr(0, directory.find('\\', slash + 1))).c_str(), nullptr);
        ASSERT_TRUE(::CopyFileW(Wide(ProgramPath()).c_str(), Wide(program).c_str(), FALSE));
        ::DeleteFileA("R:\\_install.ex_");
        if (c.installerAtRoot) {
            ASSERT_TRUE(::CopyFileA(CompressedInstallerPath().c_str(), "R:\\_install.ex_", FALSE));
        }
        SuiteInstallations local;
        const std::string folder = local.AddFolder("S:\\Salle", "1, 2, 0, 0", {"Tolvane"});

        // Wine's CreateProcess takes no image path this long; its loader does.
        AppUnderTest app;
        HWND dialog = app.StartThroughLoader(program, StandinEnvironment(), kTitle);
        ASSERT_NE(nullptr, dialog);
        const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
        EXPECT_EQ(c.boxes, Texts(boxes));
        std::vector<std::string> captions;
        for (const MessageBoxSeen& box : boxes)
            captions.push_back(box.caption);
        EXPECT_EQ(c.captions, captions);
        const std::vector<standin::Run> runs = Runs();
        EXPECT_EQ(c.runs, runs.size());
        if (runs.size() == 2) {
            EXPECT_EQ(" /u/c/*" + folder, runs[0].commandLine);
            EXPECT_EQ(" /b/*R:", runs[1].commandLine);
        }
        app.Kill();
    }
}

} // namespace
