#include "InstallerHandoff.h"

#include "AfxMessageBox.h"
#include "CWaitCursor.h"

#include <cstring>
#include <vector>

const ProductCodeRow ProductCodeTable[12] = {
    {"Pavane 5", "K7_Q"},
    {"Pavane 5 +", "K_7R"},
    {"Tolvane", "W%_Q"},
    {"Marbelo", "M--Q"},
    {"Quintar", "QT_Q"},
    {"Dravelon", "D/RQ"},
    {"Logiciel Ostrel", "OSTV"},
    {"Logiciel Vantoria", "VANB"},
    {"Logiciel Celmira", "CEL1"},
    {"Brisole", "BRIS"},
    {"Zephalin", "ZEPH"},
    {"Ostrabel", "OS#Q"},
};

const char kInfoBlockName[] = "Installation VELMOR (Info)";
const char kCodeBlockName[] = "Installation VELMOR (Code)";
const char kRemovalCommandFormat[] = " /u/c/*%s";
const char kReinstallCommandFormat[] = " /b/*%s";

BOOL LookupProductCode(CString& name)
{
    for (const ProductCodeRow& row : ProductCodeTable) {
        if (name.CompareNoCase(row.name) == 0) {
            name = row.code;
            return TRUE;
        }
    }
    return FALSE;
}

namespace {

// Owner of the two handles CreateProcessA returns. A finished child's process and
// thread objects, and with them its ids, stay in the system while they are open.
class CProcessHandles {
public:
    explicit CProcessHandles(const PROCESS_INFORMATION& info) : m_info(info) {}
    ~CProcessHandles()
    {
        if (m_info.hThread)
            ::CloseHandle(m_info.hThread);
        if (m_info.hProcess)
            ::CloseHandle(m_info.hProcess);
    }
    CProcessHandles(const CProcessHandles&) = delete;
    CProcessHandles& operator=(const CProcessHandles&) = delete;

    HANDLE Process() const { return m_info.hProcess; }

private:
    PROCESS_INFORMATION m_info;
};

// Owner of a view of a file mapping: UnmapViewOfFile runs when it goes out of scope.
class CMappedView {
public:
    CMappedView(HANDLE mapping, DWORD size)
        : m_view(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, size))
    {
    }
    ~CMappedView()
    {
        if (m_view)
            ::UnmapViewOfFile(m_view);
    }
    CMappedView(const CMappedView&) = delete;
    CMappedView& operator=(const CMappedView&) = delete;

    char* Bytes() const { return static_cast<char*>(m_view); }

private:
    void* m_view;
};

// Dispatches every message waiting for this thread. A WM_QUIT is not dispatched:
// it is reported through `quitCode` so that it can be posted again later.
void DispatchPending(bool& quitSeen, WPARAM& quitCode)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen = true;
            quitCode = msg.wParam;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Sleeps until `process` ends, waking for every message that reaches the thread
// (input, posted and sent messages, timers, paint) to dispatch it. The queue is
// emptied before each wait: MsgWaitForMultipleObjects wakes only for input that
// arrived since the queue was last looked at, so a message left behind would
// otherwise wait for the next one.
void WaitDispatching(HANDLE process)
{
    bool quitSeen = false;
    WPARAM quitCode = 0;
    for (;;) {
        DispatchPending(quitSeen, quitCode);
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1)
            break;   // the process has ended (or its handle cannot be waited on)
    }
    // PostQuitMessage only raises the thread's quit flag: the caller's message loop
    // sees WM_QUIT once the rest of its queue is empty, as it would have without us.
    if (quitSeen)
        ::PostQuitMessage(static_cast<int>(quitCode));
}

}   // namespace

bool StartAndWait(const char* applicationPath, const char* commandLine, const char* currentDirectory,
                  CRunOutcome& outcome)
{
    CWaitCursor wait;
    outcome = CRunOutcome();
    const DWORD start = ::GetTickCount();

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    // Without STARTF_USESHOWWINDOW in dwFlags the show state is not applied: the
    // installer's first window opens the way the installer itself chooses.
    startup.wShowWindow = SW_SHOWMAXIMIZED;

    // CreateProcessA may write into the command line, so it gets its own copy.
    std::vector<char> line;
    if (commandLine)
        line.assign(commandLine, commandLine + std::strlen(commandLine) + 1);

    PROCESS_INFORMATION info;
    std::memset(&info, 0, sizeof info);
    if (!::CreateProcessA(applicationPath, line.empty() ? nullptr : line.data(), nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, currentDirectory, &startup, &info)) {
        outcome.error = ::GetLastError();
        return false;
    }

    CProcessHandles child(info);
    WaitDispatching(child.Process());
    outcome.started = true;
    ::GetExitCodeProcess(child.Process(), &outcome.exitCode);
    outcome.milliseconds = ::GetTickCount() - start;
    return true;
}

BOOL RunAndWait(const char* applicationPath, const char* commandLine, const char* currentDirectory)
{
    CRunOutcome outcome;
    if (!StartAndWait(applicationPath, commandLine, currentDirectory, outcome)) {
        CString text;
        text.Format("CreateProcess error n°%d", static_cast<int>(outcome.error));
        AfxMessageBox(text, MB_OK);
        return FALSE;
    }
    return TRUE;
}

CSharedBlock::~CSharedBlock()
{
    Close();
}

void CSharedBlock::Close()
{
    if (m_hMapping) {
        ::CloseHandle(m_hMapping);
        m_hMapping = nullptr;
    }
}

BOOL CSharedBlock::Publish(const char* name, DWORD size, const char* text)
{
    Close();
    const size_t length = std::strlen(text) + 1;
    if (length > size) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }

    // When the name is taken by a block already, CreateFileMappingA opens that one
    // (GetLastError says ERROR_ALREADY_EXISTS) with the size it was created with.
    m_hMapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
    if (!m_hMapping)
        return FALSE;
    CMappedView view(m_hMapping, size);
    if (!view.Bytes()) {
        const DWORD error = ::GetLastError();
        Close();
        ::SetLastError(error);
        return FALSE;
    }
    std::memcpy(view.Bytes(), text, length);
    return TRUE;
}
