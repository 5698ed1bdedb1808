#include "CKernelHandle.h"
#include "InstallerHandoff.h"
#include "MessageBoxSpy.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long MillisecondsSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// ---------------------------------------------------------------------------
// Product codes

TEST(ProductCodeLookup, EveryRowAnsweredWithItsCodeInAnyCase)
{
    const struct {
        const char* name;
        const char* code;
    } rows[12] = {
        {"Pavane 5", "K7_Q"},          {"Pavane 5 +", "K_7R"},        {"Tolvane", "W%_Q"},
        {"Marbelo", "M--Q"},           {"Quintar", "QT_Q"},           {"Dravelon", "D/RQ"},
        {"Logiciel Ostrel", "OSTV"},   {"Logiciel Vantoria", "VANB"}, {"Logiciel Celmira", "CEL1"},
        {"Brisole", "BRIS"},           {"Zephalin", "ZEPH"},          {"Ostrabel", "OS#Q"},
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(std::string(rows[i].name), ProductCodeTable[i].name);
        EXPECT_EQ(std::string(rows[i].code), ProductCodeTable[i].code);

        std::string upper(rows[i].name), lower(rows[i].name), mixed(rows[i].name);
        for (size_t k = 0; k < upper.size(); ++k) {
            upper[k] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[k])));
            lower[k] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[k])));
            mixed[k] = k % 2 ? upper[k] : lower[k];
        }
        for (const std::string& spelling : {std::string(rows[i].name), upper, lower, mixed}) {
            CString name(spelling.c_str());
            EXPECT_TRUE(LookupProductCode(name)) << "name \"" << spelling << "\"";
            EXPECT_EQ(std::string(rows[i].code), static_cast<const char*>(name)) << "name \"" << spelling << "\"";
        }
    }
}

TEST(ProductCodeLookup, WholeNamesOnlyAndMissesLeaveTheNameAlone)
{
    const struct {
        const char* name;
        const char* code;   // nullptr: no row
    } cases[] = {
        {"pavane 5", "K7_Q"},   {"PAVANE 5 +", "K_7R"}, {"pavane 5 +", "K_7R"}, {"Quill Mx", nullptr},
        {"QUILL MX", nullptr},  {"", nullptr},          {"Pavane 5 ", nullptr}, {" Pavane 5", nullptr},
        {"Pavane", nullptr},    {"Pavane 5+", nullptr}, {"Pavane 5 + ", nullptr}, {"K7_Q", nullptr},
        {"Logiciel", nullptr},  {"Brisole\t", nullptr}, {"Tolvan\xE9", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("name \"") + c.name + "\"");
        CString name(c.name);
        EXPECT_EQ(c.code != nullptr, LookupProductCode(name) != FALSE);
        EXPECT_EQ(std::string(c.code ? c.code : c.name), static_cast<const char*>(name));
    }
}

// ---------------------------------------------------------------------------
// Shared blocks

// A block name no other test process uses; `tag` may hold Windows-1252 text.
std::string UniqueName(const char* tag)
{
    static int counter = 0;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, " %lu-%d", ::GetCurrentProcessId(), ++counter);
    return std::string("MiseAJour test ") + tag + suffix;
}

bool BlockExists(const std::string& name)
{
    CKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    return mapping.GetSafeHandle() != nullptr;
}

// The first `size` bytes of the block `name`, opened by name as the installer does;
// "<absent>" when no block has that name.
std::string ReadBlock(const std::string& name, DWORD size)
{
    CKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping.GetSafeHandle())
        return "<absent>";
    const void* view = ::MapViewOfFile(mapping.GetSafeHandle(), FILE_MAP_READ, 0, 0, size);
    if (!view)
        return "<no view>";
    std::string bytes(static_cast<const char*>(view), size);
    ::UnmapViewOfFile(view);
    return bytes;
}

// A block made by someone else before the updater publishes, filled with 'x'.
class CForeignBlock {
public:
    CForeignBlock(const std::string& name, DWORD size)
        : m_mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str())),
          m_size(size)
    {
        m_view = m_mapping.GetSafeHandle() ? static_cast<char*>(::MapViewOfFile(m_mapping.GetSafeHandle(), FILE_MAP_ALL_ACCESS, 0, 0, size))
                                 : nullptr;
        if (m_view)
            std::memset(m_view, 'x', size);
    }
    ~CForeignBlock() { Release(); }
    CForeignBlock(const CForeignBlock&) = delete;
    CForeignBlock& operator=(const CForeignBlock&) = delete;

    bool IsReady() const { return m_view != nullptr; }
    std::string Bytes() const { return std::string(m_view, m_size); }
    void Release()
    {
        if (m_view)
            ::UnmapViewOfFile(m_view);
        m_view = nullptr;
        m_mapping.Close();
    }

private:
    CKernelHandle m_mapping;
    DWORD m_size;
    char* m_view = nullptr;
};

TEST(SharedBlock, NewBlockHoldsTheTextThenZeros)
{
    const struct {
        const char* label;
        const char* tag;
        DWORD size;
        std::string text;
    } cases[] = {
        {"parent directory with accents", "Info", kInfoBlockSize, "C:\\Écoles\\Sciences physiques"},
        {"folder under a drive root", "Info", kInfoBlockSize, "D:"},
        {"product code", "Code", kCodeBlockSize, "OS#Q"},
        {"text filling the block", "Code", kCodeBlockSize, std::string(kCodeBlockSize - 1, 'a')},
        {"empty text", "Code", kCodeBlockSize, ""},
        {"name in Windows-1252", "Données é", kCodeBlockSize, "W%_Q"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string name = UniqueName(c.tag);
        CSharedBlock block;
        ASSERT_TRUE(block.Publish(name.c_str(), c.size, c.text.c_str()));
        EXPECT_TRUE(block.IsOpen());
        std::string expected = c.text;
        expected.resize(c.size, '\0');
        EXPECT_EQ(expected, ReadBlock(name, c.size));
    }
}

TEST(SharedBlock, ExistingBlockIsWrittenAsItIs)
{
    for (const DWORD existingSize : {kCodeBlockSize, DWORD(4096)}) {
        SCOPED_TRACE("existing block of " + std::to_string(existingSize) + " bytes");
        const std::string name = UniqueName("Code");
        CForeignBlock foreign(name, existingSize);
        ASSERT_TRUE(foreign.IsReady());

        CSharedBlock block;
        ASSERT_TRUE(block.Publish(name.c_str(), kCodeBlockSize, "K_7R"));
        std::string expected(existingSize, 'x');
        expected.replace(0, 5, std::string("K_7R\0", 5));
        EXPECT_EQ(expected, foreign.Bytes());

        // The block belongs to every holder: closing ours leaves the other one's.
        block.Close();
        EXPECT_FALSE(block.IsOpen());
        EXPECT_TRUE(BlockExists(name));
        foreign.Release();
        EXPECT_FALSE(BlockExists(name));
    }
}

TEST(SharedBlock, ClosingTheLastHandleRemovesTheName)
{
    const std::string first = UniqueName("Info");
    const std::string second = UniqueName("Info");
    {
        CSharedBlock block;
        ASSERT_TRUE(block.Publish(first.c_str(), kInfoBlockSize, "C:\\Disques"));
        EXPECT_TRUE(BlockExists(first));
        block.Close();
        EXPECT_FALSE(block.IsOpen());
        EXPECT_FALSE(BlockExists(first)) << "after Close";

        ASSERT_TRUE(block.Publish(first.c_str(), kInfoBlockSize, "C:\\Disques"));
        ASSERT_TRUE(block.Publish(second.c_str(), kInfoBlockSize, "C:\\Autres"));
        EXPECT_FALSE(BlockExists(first)) << "after publishing another block on the same object";
        EXPECT_TRUE(BlockExists(second));
    }
    EXPECT_FALSE(BlockExists(second)) << "after destruction";
}

TEST(SharedBlock, WhatCannotBePublishedLeavesNoBlockAndWritesNothing)
{
    const std::string tooLong(kCodeBlockSize, 'k');   // its NUL would be byte 101
    {
        SCOPED_TRACE("text too long for a new block");
        const std::string name = UniqueName("Code");
        CSharedBlock block;
        EXPECT_FALSE(block.Publish(name.c_str(), kCodeBlockSize, tooLong.c_str()));
        EXPECT_FALSE(block.IsOpen());
        EXPECT_FALSE(BlockExists(name));
    }
    {
        SCOPED_TRACE("text too long for an existing block");
        const std::string name = UniqueName("Code");
        CForeignBlock foreign(name, kCodeBlockSize);
        ASSERT_TRUE(foreign.IsReady());
        CSharedBlock block;
        EXPECT_FALSE(block.Publish(name.c_str(), kCodeBlockSize, tooLong.c_str()));
        EXPECT_FALSE(block.IsOpen());
        EXPECT_EQ(std::string(kCodeBlockSize, 'x'), foreign.Bytes());
    }
    {
        SCOPED_TRACE("existing block too small for the view");
        const std::string name = UniqueName("Info");
        CForeignBlock foreign(name, 10);   // the system counts it in whole pages
        ASSERT_TRUE(foreign.IsReady());
        CSharedBlock block;
        EXPECT_FALSE(block.Publish(name.c_str(), 5000, "C:"));
        EXPECT_FALSE(block.IsOpen());
        EXPECT_EQ(std::string(10, 'x'), foreign.Bytes());
    }
    {
        SCOPED_TRACE("name taken by an event");
        const std::string name = UniqueName("Code");
        CKernelHandle event(::CreateEventA(nullptr, TRUE, FALSE, name.c_str()));
        ASSERT_TRUE(event.GetSafeHandle() != nullptr);
        CSharedBlock block;
        EXPECT_FALSE(block.Publish(name.c_str(), kCodeBlockSize, "K7_Q"));
        EXPECT_FALSE(block.IsOpen());
    }
    {
        SCOPED_TRACE("a failed publish closes the block held before");
        const std::string held = UniqueName("Code");
        CSharedBlock block;
        ASSERT_TRUE(block.Publish(held.c_str(), kCodeBlockSize, "K7_Q"));
        EXPECT_FALSE(block.Publish(UniqueName("Code").c_str(), kCodeBlockSize, tooLong.c_str()));
        EXPECT_FALSE(block.IsOpen());
        EXPECT_FALSE(BlockExists(held));
    }
}

// ---------------------------------------------------------------------------
// Running the installer


// The test executable's name without folder and extension: AfxMessageBox's caption.
std::string ExeBaseName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    name = name.substr(name.find_last_of('\\') + 1);
    return name.substr(0, name.rfind('.'));
}

std::string ChildSleeperPath()
{
    std::string path = "Z:" CHILD_SLEEPER_PATH;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// What the stand-in child wrote about its start.
struct ChildRecord {
    std::string commandLine, directory;
    DWORD pid = 0, tid = 0, startupFlags = 0, showWindow = 0;
};

bool ReadChildRecord(const std::string& path, ChildRecord& record)
{
    const std::string content = ReadFileBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(content.substr(start, end - start));
    if (lines.size() != 6)
        return false;
    record.commandLine = lines[0];
    record.directory = lines[1];
    record.pid = std::stoul(lines[2]);
    record.tid = std::stoul(lines[3]);
    record.startupFlags = std::stoul(lines[4]);
    record.showWindow = std::stoul(lines[5]);
    return true;
}

// Tells the next children where to record their start and how long to sleep.
class CChildSettings {
public:
    CChildSettings(const std::string& recordPath, int sleepMs)
    {
        ::SetEnvironmentVariableA("MJ_CHILD_RECORD", recordPath.c_str());
        ::SetEnvironmentVariableA("MJ_CHILD_SLEEP_MS", std::to_string(sleepMs).c_str());
    }
    ~CChildSettings()
    {
        ::SetEnvironmentVariableA("MJ_CHILD_RECORD", nullptr);
        ::SetEnvironmentVariableA("MJ_CHILD_SLEEP_MS", nullptr);
    }
    CChildSettings(const CChildSettings&) = delete;
    CChildSettings& operator=(const CChildSettings&) = delete;
};

bool ProcessIdInUse(DWORD pid)
{
    CKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    return process.GetSafeHandle() != nullptr;
}

// Wine frees a finished child's process id only once the child has been torn down,
// some hundreds of milliseconds after its handle was signalled, so the release is
// awaited; a handle still held keeps the id taken for good.
bool ProcessIdReleasedWithin(DWORD pid, long ms)
{
    const Clock::time_point start = Clock::now();
    while (ProcessIdInUse(pid)) {
        if (MillisecondsSince(start) > ms)
            return false;
        ::Sleep(20);
    }
    return true;
}

bool ThreadIdInUse(DWORD tid)
{
    CKernelHandle thread(::OpenThread(SYNCHRONIZE, FALSE, tid));
    return thread.GetSafeHandle() != nullptr;
}

TEST(RunAndWait, ProgramThatCannotBeStartedIsReportedInABox)
{
    TempDir dir("handoff");
    ASSERT_TRUE(::CopyFileA(ChildSleeperPath().c_str(), (dir / "_install.exe").c_str(), FALSE));
    const struct {
        const char* label;
        std::string application, directory;
        const char* text;
    } cases[] = {
        {"missing program", dir / "absent.exe", dir.path(), "CreateProcess error n\xB0" "2"},
        {"missing program folder", dir / "absent\\_install.exe", dir.path(), "CreateProcess error n\xB0" "3"},
        {"missing current directory", dir / "_install.exe", dir / "absent", "CreateProcess error n\xB0" "267"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        MessageBoxSpy spy;
        const std::string line = " /u/c/*" + c.directory;
        EXPECT_FALSE(RunAndWait(c.application.c_str(), line.c_str(), c.directory.c_str()));
        ASSERT_EQ(1u, spy.boxes().size());
        const SeenBox& box = spy.boxes()[0];
        EXPECT_EQ(std::string(c.text), box.text);
        EXPECT_EQ(ExeBaseName(), box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.icon) << "exclamation icon";
        EXPECT_FALSE(box.cancel) << "OK button only";
    }
}

TEST(RunAndWait, ChildGetsItsLineAndFolderAndIsReleasedAfterwards)
{
    TempDir dir("handoff");
    const std::string folder = dir / "Données Orvandel";
    const std::string installer = folder + "\\_install.exe";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileA(ChildSleeperPath().c_str(), installer.c_str(), FALSE));

    {
        // Guard for what follows: a finished child's ids stay taken exactly as long as
        // someone holds a handle to it, so a free id proves both handles were closed.
        CChildSettings settings(dir / "guard.txt", 0);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        ASSERT_TRUE(::CreateProcessA(installer.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                     &startup, &info));
        CKernelHandle process(info.hProcess), thread(info.hThread);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.GetSafeHandle(), 10000));
        EXPECT_TRUE(ThreadIdInUse(info.dwThreadId)) << "finished child, thread handle held";
        thread.Close();
        EXPECT_FALSE(ThreadIdInUse(info.dwThreadId)) << "finished child, thread handle closed";
        EXPECT_FALSE(ProcessIdReleasedWithin(info.dwProcessId, 1000)) << "finished child, process handle held";
        process.Close();
        EXPECT_TRUE(ProcessIdReleasedWithin(info.dwProcessId, 5000)) << "finished child, process handle closed";
    }

    const struct {
        const char* label;
        std::string commandLine;
    } cases[] = {
        {"removal run", " /u/c/*" + folder},
        {"reinstall run from a disc root", " /b/*X:"},
        {"reinstall run from a disc folder", " /b/*E:\\Disque Orvandel\\Réseau"},
    };
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string recordPath = dir / ("record" + std::to_string(++run) + ".txt");
        CChildSettings settings(recordPath, 300);
        MessageBoxSpy spy;
        const Clock::time_point start = Clock::now();
        EXPECT_TRUE(RunAndWait(installer.c_str(), c.commandLine.c_str(), folder.c_str()));
        const long elapsed = MillisecondsSince(start);
        EXPECT_GE(elapsed, 280) << "returned before the child's 300 ms sleep was over";
        EXPECT_EQ(0u, spy.boxes().size());

        ChildRecord record;
        ASSERT_TRUE(ReadChildRecord(recordPath, record)) << ReadFileBytes(recordPath);
        EXPECT_EQ(c.commandLine, record.commandLine);
        EXPECT_EQ(folder, record.directory);
        EXPECT_EQ(DWORD(SW_SHOWMAXIMIZED), record.showWindow);
        EXPECT_EQ(0u, record.startupFlags & STARTF_USESHOWWINDOW) << "flags " << record.startupFlags;
        EXPECT_FALSE(ThreadIdInUse(record.tid)) << "child's thread handle left open";
        EXPECT_TRUE(ProcessIdReleasedWithin(record.pid, 5000)) << "child's process handle left open";
    }
}

// A window of the test thread that counts what it is given while RunAndWait waits.
struct WindowLog {
    int timerTicks = 0;
    int ticksAfterQuit = 0;
    Clock::time_point postedHandledAt;
    bool postedHandled = false;
};
WindowLog g_log;
// Also read or set by the test's second thread.
std::atomic<int> g_paints{0};
std::atomic<bool> g_quitRequested{false};

constexpr UINT kPostedMessage = WM_APP;
constexpr UINT kSentMessage = WM_APP + 1;
constexpr UINT kQuitRequest = WM_APP + 2;

LRESULT CALLBACK LoggingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        ++g_log.timerTicks;
        if (g_quitRequested)
            ++g_log.ticksAfterQuit;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        ::BeginPaint(window, &paint);
        ::EndPaint(window, &paint);
        ++g_paints;
        return 0;
    }
    case kPostedMessage:
        g_log.postedHandled = true;
        g_log.postedHandledAt = Clock::now();
        return 0;
    case kSentMessage:
        return 1234;
    case kQuitRequest:
        g_quitRequested = true;
        ::PostQuitMessage(static_cast<int>(wParam));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

class CLoggingWindow {
public:
    CLoggingWindow()
    {
        static const ATOM atom = [] {
            WNDCLASSA cls = {};
            cls.lpfnWndProc = LoggingWindowProc;
            cls.hInstance = ::GetModuleHandleA(nullptr);
            cls.lpszClassName = "MiseAJourHandoffTestWindow";
            return ::RegisterClassA(&cls);
        }();
        m_hWnd = ::CreateWindowExA(0, MAKEINTATOM(atom), "attente", WS_OVERLAPPEDWINDOW, 10, 10, 200, 120, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_hWnd);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        g_log = WindowLog();
        g_paints = 0;
        g_quitRequested = false;
        ::SetTimer(m_hWnd, 1, 50, nullptr);
    }
    ~CLoggingWindow()
    {
        ::KillTimer(m_hWnd, 1);
        ::DestroyWindow(m_hWnd);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    CLoggingWindow(const CLoggingWindow&) = delete;
    CLoggingWindow& operator=(const CLoggingWindow&) = delete;

    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// Processor time of the whole test process, kernel and user, in milliseconds.
double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

TEST(RunAndWait, WindowsStayServedWhileTheProcessorIsLeftToTheChild)
{
    {
        // Guard: the measurement below means something only if a busy loop shows in it.
        const double before = ProcessCpuMs();
        const Clock::time_point start = Clock::now();
        volatile unsigned spin = 0;
        while (ProcessCpuMs() - before < 100 && MillisecondsSince(start) < 5000)
            ++spin;
        ASSERT_GE(ProcessCpuMs() - before, 100) << "GetProcessTimes does not see this process spinning";
    }

    TempDir dir("handoff");
    CChildSettings settings(dir / "record.txt", 1500);
    CLoggingWindow window;
    const HWND hwnd = window.Get();

    long sendMs = -1;
    LRESULT sendResult = 0;
    int paintsBeforeInvalidate = -1;
    Clock::time_point postedAt;
    const Clock::time_point start = Clock::now();
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        postedAt = Clock::now();
        ::PostMessageA(hwnd, kPostedMessage, 0, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const Clock::time_point sent = Clock::now();
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutA(hwnd, kSentMessage, 0, 0, SMTO_NORMAL, 3000, &result))
            sendResult = static_cast<LRESULT>(result);
        sendMs = MillisecondsSince(sent);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        paintsBeforeInvalidate = g_paints;
        ::InvalidateRect(hwnd, nullptr, FALSE);
    });
    const double cpuBefore = ProcessCpuMs();
    const BOOL ran = RunAndWait(ChildSleeperPath().c_str(), " /b/*X:", dir.path().c_str());
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    const long wallMs = MillisecondsSince(start);
    const WindowLog log = g_log;
    other.join();

    std::printf("[ measured ] RunAndWait over a 1500 ms child: wall %ld ms, processor %.1f ms, %d timer ticks\n",
                wallMs, cpuMs, log.timerTicks);
    EXPECT_TRUE(ran);
    EXPECT_GE(wallMs, 1480);
    // A loop polling without sleep shows about half the wall time here: under Wine
    // each PeekMessage and GetExitCodeProcess is partly spent in the wine server.
    EXPECT_LT(cpuMs, 0.2 * wallMs) << "processor time in ms during the wait (spinning?)";
    EXPECT_GE(log.timerTicks, 10) << "a 50 ms timer over 1.5 s";
    ASSERT_TRUE(log.postedHandled) << "posted message not dispatched during the wait";
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(log.postedHandledAt - postedAt).count(), 500);
    EXPECT_EQ(1234, sendResult) << "message sent from another thread";
    EXPECT_GE(sendMs, 0);
    EXPECT_LT(sendMs, 1000) << "SendMessageTimeout from another thread waited";
    EXPECT_GT(g_paints.load(), paintsBeforeInvalidate) << "invalidated window not repainted during the wait";
}

TEST(RunAndWait, QuitArrivingDuringTheWaitIsLeftForTheCaller)
{
    TempDir dir("handoff");
    const DWORD testThread = ::GetCurrentThreadId();
    const struct {
        const char* label;
        bool fromHandler;
        WPARAM code;
    } cases[] = {
        {"PostQuitMessage in a dispatched handler", true, 77},
        {"WM_QUIT posted to the thread", false, 78},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CChildSettings settings(dir / "record.txt", 800);
        CLoggingWindow window;
        const HWND hwnd = window.Get();
        std::thread other([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (c.fromHandler) {
                ::PostMessageA(hwnd, kQuitRequest, c.code, 0);
            } else {
                g_quitRequested = true;
                ::PostThreadMessageA(testThread, WM_QUIT, c.code, 0);
            }
        });
        const Clock::time_point start = Clock::now();
        const BOOL ran = RunAndWait(ChildSleeperPath().c_str(), " /u/c/*X:\\Orvandel", dir.path().c_str());
        const long wallMs = MillisecondsSince(start);
        const int ticksAfterQuit = g_log.ticksAfterQuit;
        other.join();

        EXPECT_TRUE(ran);
        EXPECT_GE(wallMs, 780) << "the wait ended with the quit instead of the child";
        EXPECT_GE(ticksAfterQuit, 3) << "messages no longer dispatched after the quit";
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT lost";
        EXPECT_EQ(c.code, msg.wParam);
        EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT doubled";
    }
}

}   // namespace

// The installer is asked to prefer the system folder's DLLs over those beside it; a
// Windows that knows the policy (Wine takes it too) starts the run with it, and the
// run is the same as without: its line, folder and exit code.
TEST(StartAndWait, TheRunStartsWithTheSystemFoldersDllsPreferred)
{
    TempDir dir("prefer");
    const std::string installer = dir / "_install.exe";
    ASSERT_TRUE(::CopyFileA(ChildSleeperPath().c_str(), installer.c_str(), FALSE));
    const std::string recordPath = dir / "record.txt";
    CChildSettings settings(recordPath, 0);
    CRunOutcome outcome;
    outcome.preferSystemRefused = 0xdeadbeef;
    ASSERT_TRUE(StartAndWait(installer.c_str(), " /b/*R:", dir.path().c_str(), outcome));
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(0u, outcome.preferSystemRefused) << "the policy was refused";
    EXPECT_EQ(7u, outcome.exitCode);
    ChildRecord record;
    ASSERT_TRUE(ReadChildRecord(recordPath, record)) << ReadFileBytes(recordPath);
    EXPECT_EQ(" /b/*R:", record.commandLine);
    EXPECT_EQ(dir.path(), record.directory);

    // A program that cannot be started is reported as such, not as a refused policy.
    CRunOutcome missing;
    EXPECT_FALSE(StartAndWait((dir / "absent.exe").c_str(), " /b/*R:", dir.path().c_str(), missing));
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), missing.error);
    EXPECT_EQ(0u, missing.preferSystemRefused);
}
