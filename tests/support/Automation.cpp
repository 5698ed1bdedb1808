#include "Automation.h"

#include "PixelCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

const DWORD kSendTimeoutMs = 5000;
const DWORD kIconPaintMs = 2000;
const int kMessageTextId = 0xFFFF;  // the message of a system message box
const int kMessageIconId = 0x0440;  // its icon, a static control with SS_ICON

DWORD Elapsed(DWORD start)
{
    return ::GetTickCount() - start;
}

std::string ToAnsi(const wchar_t* text, int length)
{
    if (length <= 0)
        return std::string();
    const int size = ::WideCharToMultiByte(1252, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(1252, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

// SendMessageTimeoutW: the W message, because Wine 8 hands back UTF-16 in the
// buffer of a cross-process CB_GETLBTEXT/LB_GETTEXT sent as A.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

HWND Item(HWND dialog, int id, const char* what, CallSite where)
{
    HWND item = ::GetDlgItem(dialog, id);
    if (!item)
        ADD_FAILURE_AT(where.file, where.line) << what << ": dialog " << dialog << " has no control " << id;
    return item;
}

void ReportUnanswered(HWND window, UINT message, CallSite where)
{
    ADD_FAILURE_AT(where.file, where.line) << "window " << window << " did not answer message 0x" << std::hex << message
                                           << std::dec << " within " << kSendTimeoutMs << " ms (error "
                                           << ::GetLastError() << ")";
}

// The text of a control (WM_GETTEXT); false, `text` unchanged, when the window
// does not answer the message that the result names in `failed`.
bool TryTextOf(HWND window, std::string& text, UINT& failed)
{
    LRESULT length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, length)) {
        failed = WM_GETTEXTLENGTH;
        return false;
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied)) {
        failed = WM_GETTEXT;
        return false;
    }
    text = ToAnsi(buffer.data(), static_cast<int>(copied));
    return true;
}

std::string TextOf(HWND window, CallSite where)
{
    std::string text;
    UINT failed = 0;
    if (!TryTextOf(window, text, failed))
        ReportUnanswered(window, failed, where);
    return text;
}

// Entries of a combo box or list box, whose messages differ only in name.
std::vector<std::string> Entries(HWND dialog, int id, UINT getCount, UINT getLength, UINT getText, const char* what,
                                 CallSite where)
{
    std::vector<std::string> entries;
    HWND control = Item(dialog, id, what, where);
    if (!control)
        return entries;
    LRESULT count = 0;
    if (!Send(control, getCount, 0, 0, count)) {
        ReportUnanswered(control, getCount, where);
        return entries;
    }
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!Send(control, getLength, i, 0, length) || length < 0) {
            ReportUnanswered(control, getLength, where);
            return entries;
        }
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = 0;
        if (!Send(control, getText, i, reinterpret_cast<LPARAM>(buffer.data()), copied) || copied < 0) {
            ReportUnanswered(control, getText, where);
            return entries;
        }
        entries.push_back(ToAnsi(buffer.data(), static_cast<int>(copied)));
    }
    return entries;
}

// --- Icon of a message box ----------------------------------------------------------
// An icon handle means nothing outside its process under Wine: STM_GETICON gives a
// handle that differs from the same system icon loaded here, and GetIconInfo on it
// fails with ERROR_INVALID_CURSOR_HANDLE. What both processes share is the screen,
// so the painted icon control is read back from it and compared with the three
// system icons drawn here on the same background.

bool Close(DWORD a, DWORD b)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > 24 || difference < -24)
            return false;
    }
    return true;
}

IconKind IconOnScreen(HWND iconControl)
{
    RECT client{};
    if (!::GetClientRect(iconControl, &client) || client.right <= 0 || client.bottom <= 0)
        return IconKind::Unknown;
    POINT origin{0, 0};
    ::ClientToScreen(iconControl, &origin);
    const int width = client.right;
    const int height = client.bottom;

    PixelCanvas shot(width, height);
    if (!shot.ok())
        return IconKind::Unknown;
    if (!shot.CopyFromWindow(nullptr, origin.x, origin.y))
        return IconKind::Unknown;
    // The system icons leave their corners transparent: the top-left pixel is the
    // control's background.
    const DWORD background = shot.PixelAt(0);

    struct Reference {
        IconKind kind;
        LPCSTR id;
    };
    const Reference references[] = {{IconKind::Information, IDI_INFORMATION},
                                    {IconKind::Warning, IDI_EXCLAMATION},
                                    {IconKind::Error, IDI_HAND}};
    IconKind best = IconKind::Unknown;
    int bestDifferent = shot.size() + 1;
    int secondDifferent = shot.size() + 1;
    PixelCanvas drawn(width, height);
    if (!drawn.ok())
        return IconKind::Unknown;
    for (const Reference& reference : references) {
        drawn.Fill(background);
        ::DrawIconEx(drawn.dc(), 0, 0, ::LoadIconA(nullptr, reference.id), 0, 0, 0, nullptr, DI_NORMAL);
        int different = 0;
        for (int i = 0; i < shot.size(); ++i)
            if (!Close(shot.PixelAt(i), drawn.PixelAt(i)))
                ++different;
        if (different < bestDifferent) {
            secondDifferent = bestDifferent;
            bestDifferent = different;
            best = reference.kind;
        } else if (different < secondDifferent) {
            secondDifferent = different;
        }
    }
    // Not yet painted, or some other picture: at most 1 pixel in 20 may differ from
    // the best reference, and that one must stand out from the others.
    if (bestDifferent * 20 > shot.size() || bestDifferent * 3 > secondDifferent)
        return IconKind::Unknown;
    return best;
}

IconKind IconOfBox(HWND box)
{
    HWND iconControl = ::GetDlgItem(box, kMessageIconId);
    if (!iconControl)
        return IconKind::None;
    LRESULT icon = 0;
    if (!Send(iconControl, STM_GETICON, 0, 0, icon))
        return IconKind::Unknown;
    if (!icon || !::IsWindowVisible(iconControl))
        return IconKind::None;
    const DWORD start = ::GetTickCount();
    for (;;) {
        const IconKind kind = IconOnScreen(iconControl);
        if (kind != IconKind::Unknown || Elapsed(start) >= kIconPaintMs)
            return kind;
        ::Sleep(20);
    }
}

// --- Finding windows -----------------------------------------------------------------

struct DialogSearch {
    DWORD processId;
    std::wstring title;
    bool visibleOnly;
    HWND found;
    bool anyTitle = false;
};

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM context)
{
    DialogSearch& search = *reinterpret_cast<DialogSearch*>(context);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    // Process 0: any process but this one.
    const bool otherProcess = search.processId ? processId == search.processId : processId != ::GetCurrentProcessId();
    if (!otherProcess || (search.visibleOnly && !::IsWindowVisible(window)))
        return TRUE;
    wchar_t title[512] = L"";
    ::GetWindowTextW(window, title, 512);
    if (!search.anyTitle && search.title != title)
        return TRUE;
    search.found = window;
    return FALSE;
}

struct BoxSearch {
    DWORD processId;
    const std::vector<HWND>* excluded1;
    const std::vector<HWND>* excluded2;
    HWND found;
};

bool Contains(const std::vector<HWND>& windows, HWND window)
{
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// EnumWindows goes from the top of the Z order down, so the first box found is
// the one in front, the one the user would answer.
BOOL CALLBACK FindBoxWindow(HWND window, LPARAM context)
{
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(context);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !::IsWindowVisible(window))
        return TRUE;
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !::GetDlgItem(window, kMessageTextId))
        return TRUE;
    if (Contains(*search.excluded1, window) || Contains(*search.excluded2, window))
        return TRUE;
    search.found = window;
    return FALSE;
}

std::wstring ToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

// The test's environment block with `extra` laid over it; "" when there is nothing to add.
std::string BuildEnvironment(const Environment& extra)
{
    std::string block;
    if (extra.empty())
        return block;
    char* inherited = ::GetEnvironmentStringsA();
    for (const char* entry = inherited; entry && *entry; entry += std::strlen(entry) + 1) {
        // Entries such as "=C:=C:\dir" start with '=': the name ends at the next one.
        const char* equals = std::strchr(entry + 1, '=');
        const std::string name(entry, equals ? static_cast<size_t>(equals - entry) : std::strlen(entry));
        const bool replaced = std::any_of(extra.begin(), extra.end(), [&](const std::pair<std::string, std::string>& e) {
            return lstrcmpiA(e.first.c_str(), name.c_str()) == 0;
        });
        if (!replaced)
            block.append(entry, std::strlen(entry) + 1);
    }
    if (inherited)
        ::FreeEnvironmentStringsA(inherited);
    for (const auto& e : extra)
        block += e.first + "=" + e.second + '\0';
    block += '\0';
    return block;
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"')
            out += "\\\"";
        else
            out += c;
    }
    return out;
}

}  // namespace

const char* IconKindName(IconKind kind)
{
    switch (kind) {
    case IconKind::None:
        return "None";
    case IconKind::Information:
        return "Information";
    case IconKind::Warning:
        return "Warning";
    case IconKind::Error:
        return "Error";
    case IconKind::Unknown:
        break;
    }
    return "Unknown";
}

std::ostream& operator<<(std::ostream& out, IconKind kind)
{
    return out << IconKindName(kind);
}

std::ostream& operator<<(std::ostream& out, const MessageBoxSeen& box)
{
    return out << "[box \"" << Escaped(box.caption) << "\", icon " << box.icon << ": \"" << Escaped(box.text) << "\"]";
}

// --- AppUnderTest ----------------------------------------------------------------------

AppUnderTest::~AppUnderTest()
{
    Kill();
}

bool AppUnderTest::Start(const std::string& exePath, const Environment& extra, const std::string& currentDir,
                         const std::string& arguments, CallSite where)
{
    if (m_process) {
        ADD_FAILURE_AT(where.file, where.line) << "Start(" << exePath << "): this object already started a process";
        return false;
    }
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    std::string environment = BuildEnvironment(extra);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (m_output) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdOutput = m_output;
    }
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, m_output != nullptr, 0,
                          environment.empty() ? nullptr : &environment[0],
                          currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &pi)) {
        ADD_FAILURE_AT(where.file, where.line) << "CreateProcessA(" << commandLine << ") failed, error "
                                               << ::GetLastError();
        return false;
    }
    m_process.Attach(pi.hProcess);
    m_thread.Attach(pi.hThread);
    m_processId = pi.dwProcessId;
    // Without this, the dialog can be found while WM_INITDIALOG still runs, with
    // its lists not yet filled.
    ::WaitForInputIdle(m_process, 10000);
    return true;
}

HWND AppUnderTest::StartThroughLoader(const std::string& exePath, const Environment& extra, const std::string& title,
                                      DWORD timeoutMs, CallSite where)
{
    // The loader finds its companions beside the name it is started under: a Unix one.
    const char* loader = std::getenv("WINELOADER");
    std::string application = std::string("Z:") + (loader ? loader : "");
    std::replace(application.begin(), application.end(), '/', '\\');
    std::string commandLine = std::string(loader ? loader : "") + " \"" + exePath + "\"";
    std::string environment = BuildEnvironment(extra);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION unixSide{};   // no Windows-side handles for a Unix process
    if (m_process || !loader ||
        !::CreateProcessA(application.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                          environment.empty() ? nullptr : &environment[0], nullptr, &startup, &unixSide)) {
        ADD_FAILURE_AT(where.file, where.line) << "cannot start " << commandLine << " (object in use, "
                                               << "no WINELOADER, or error " << ::GetLastError() << ")";
        return nullptr;
    }
    DialogSearch search{0, ToWide(title), true, nullptr};
    for (const DWORD start = ::GetTickCount(); !search.found && Elapsed(start) < timeoutMs; ::Sleep(20))
        ::EnumWindows(FindDialogWindow, reinterpret_cast<LPARAM>(&search));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(search.found, &processId);
    if (processId)
        m_process.Attach(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!m_process) {
        ADD_FAILURE_AT(where.file, where.line) << "no window titled \"" << title << "\" from " << commandLine;
        return nullptr;
    }
    m_processId = processId;
    m_dialogs.push_back(search.found);
    return search.found;
}

bool AppUnderTest::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

HWND AppUnderTest::FindWindowTitled(const std::string& title) const
{
    DialogSearch search{m_processId, ToWide(title), false, nullptr};
    if (m_process)
        ::EnumWindows(FindDialogWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AppUnderTest::WaitForDialog(const std::string& title, DWORD timeoutMs, CallSite where)
{
    DialogSearch search{m_processId, ToWide(title), true, nullptr};
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (m_process)
            ::EnumWindows(FindDialogWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            if (!Contains(m_dialogs, search.found))
                m_dialogs.push_back(search.found);
            return search.found;
        }
        if (Elapsed(start) >= timeoutMs || !IsRunning())
            break;
        ::Sleep(10);
    }
    ADD_FAILURE_AT(where.file, where.line) << "no visible window titled \"" << title << "\" of process "
                                           << m_processId
                                           << " within " << timeoutMs << " ms"
                                           << (IsRunning() ? "" : " (the process has ended)");
    return nullptr;
}

std::optional<MessageBoxSeen> AppUnderTest::FindMessageBox()
{
    m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(),
                                    [](HWND window) { return !::IsWindow(window); }),
                     m_answered.end());
    if (!m_process)
        return std::nullopt;
    BoxSearch search{m_processId, &m_dialogs, &m_answered, nullptr};
    ::EnumWindows(FindBoxWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return std::nullopt;
    MessageBoxSeen box;
    box.hwnd = search.found;
    box.caption = WindowText(search.found);
    UINT failed = 0;
    if (!TryTextOf(::GetDlgItem(search.found, kMessageTextId), box.text, failed))
        return std::nullopt;  // closed in the meantime
    box.icon = IconOfBox(search.found);
    return box;
}

std::optional<MessageBoxSeen> AppUnderTest::WaitForMessageBox(DWORD timeoutMs, CallSite where)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (auto box = FindMessageBox())
            return box;
        if (Elapsed(start) >= timeoutMs || !IsRunning())
            break;
        ::Sleep(10);
    }
    ADD_FAILURE_AT(where.file, where.line) << "no message box of process " << m_processId << " within "
                                           << timeoutMs << " ms"
                                           << (IsRunning() ? "" : " (the process has ended)");
    return std::nullopt;
}

bool AppUnderTest::Answer(const MessageBoxSeen& box, int buttonId, DWORD timeoutMs, CallSite where)
{
    if (!Contains(m_answered, box.hwnd))
        m_answered.push_back(box.hwnd);
    // What the button sends its dialog when clicked; the box's procedure ends the
    // box with that id.
    ::PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box.hwnd, buttonId)));
    const DWORD start = ::GetTickCount();
    while (::IsWindow(box.hwnd) && ::IsWindowVisible(box.hwnd)) {
        if (Elapsed(start) >= timeoutMs) {
            ADD_FAILURE_AT(where.file, where.line) << "button " << buttonId << " did not close " << box << " within "
                                                   << timeoutMs << " ms";
            return false;
        }
        ::Sleep(5);
    }
    return true;
}

Session AppUnderTest::AnswerAllUntilExit(DWORD timeoutMs, CallSite where)
{
    Session session;
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (m_process && !IsRunning()) {
            DWORD code = 0;
            ::GetExitCodeProcess(m_process, &code);
            session.exitCode = code;
            return session;
        }
        if (auto box = FindMessageBox()) {
            session.boxes.push_back(*box);
            Answer(*box, IDOK, 5000, where);
            continue;
        }
        if (!m_process || Elapsed(start) >= timeoutMs)
            break;
        ::Sleep(10);
    }
    std::string seen;
    for (const MessageBoxSeen& box : session.boxes) {
        std::ostringstream line;
        line << "\n  " << box;
        seen += line.str();
    }
    ADD_FAILURE_AT(where.file, where.line) << "process " << m_processId << " still runs after " << timeoutMs
                                           << " ms of answering its message boxes; boxes seen: "
                                           << session.boxes.size() << seen;
    return session;
}

std::optional<DWORD> AppUnderTest::WaitForExit(DWORD timeoutMs, CallSite where)
{
    if (!m_process) {
        ADD_FAILURE_AT(where.file, where.line) << "WaitForExit: no process was started";
        return std::nullopt;
    }
    if (::WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE_AT(where.file, where.line) << "process " << m_processId << " still runs after " << timeoutMs
                                               << " ms";
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(m_process, &code);
    return code;
}

std::optional<double> AppUnderTest::ProcessorMs(CallSite where) const
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!m_thread || !::GetThreadTimes(m_thread, &created, &exited, &kernel, &user)) {
        ADD_FAILURE_AT(where.file, where.line) << "GetThreadTimes failed, error " << ::GetLastError();
        return std::nullopt;
    }
    auto hundredNs = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (hundredNs(kernel) + hundredNs(user)) / 10000.0;
}

void AppUnderTest::Kill()
{
    if (IsRunning()) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, 5000);
    }
}

// --- Controls ---------------------------------------------------------------------------

std::string ItemText(HWND dialog, int id, CallSite where)
{
    HWND control = Item(dialog, id, "ItemText", where);
    return control ? TextOf(control, where) : std::string();
}

HWND VisibleWindowOf(DWORD processId)
{
    DialogSearch search{processId, std::wstring(), true, nullptr, true};
    ::EnumWindows(FindDialogWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    wchar_t text[1024] = L"";
    const int length = ::GetWindowTextW(window, text, 1024);
    return ToAnsi(text, length);
}

std::vector<std::string> ComboItems(HWND dialog, int id, CallSite where)
{
    return Entries(dialog, id, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, "ComboItems", where);
}

std::vector<std::string> ListItems(HWND dialog, int id, CallSite where)
{
    return Entries(dialog, id, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, "ListItems", where);
}

int ComboSelection(HWND dialog, int id, CallSite where)
{
    HWND combo = Item(dialog, id, "ComboSelection", where);
    if (!combo)
        return -1;
    LRESULT selected = CB_ERR;
    if (!Send(combo, CB_GETCURSEL, 0, 0, selected)) {
        ReportUnanswered(combo, CB_GETCURSEL, where);
        return -1;
    }
    return static_cast<int>(selected);
}

bool IsItemEnabled(HWND dialog, int id, CallSite where)
{
    HWND control = Item(dialog, id, "IsItemEnabled", where);
    return control && ::IsWindowEnabled(control);
}

bool Click(HWND dialog, int id, CallSite where)
{
    HWND button = Item(dialog, id, "Click", where);
    if (!button || !::IsWindowEnabled(button) || !::IsWindowEnabled(dialog))
        return false;
    ::PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool SelectComboEntry(HWND dialog, int id, int index, CallSite where)
{
    HWND combo = Item(dialog, id, "SelectComboEntry", where);
    if (!combo)
        return false;
    LRESULT selected = CB_ERR;
    if (!Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, selected)) {
        ReportUnanswered(combo, CB_SETCURSEL, where);
        return false;
    }
    if (selected != index) {
        ADD_FAILURE_AT(where.file, where.line) << "combo box " << id << " has no entry " << index;
        return false;
    }
    LRESULT ignored = 0;
    if (!Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo), ignored)) {
        ReportUnanswered(dialog, WM_COMMAND, where);
        return false;
    }
    return true;
}

bool IsResponsive(HWND window, DWORD timeoutMs, DWORD* elapsedMs)
{
    const DWORD start = ::GetTickCount();
    DWORD_PTR result = 0;
    const bool answered = ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, timeoutMs,
                                                &result) != 0;
    if (elapsedMs)
        *elapsedMs = Elapsed(start);
    return answered;
}
