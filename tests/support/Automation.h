#pragma once
// Drives a real program from the test process: starts it, finds its dialog and
// its message boxes, reads and clicks its controls, answers the boxes and waits
// for it to end.
//
//   AppUnderTest app;
//   ASSERT_TRUE(app.Start(exePath, {{"TEMP", dir.path()}}, dir.path()));
//   HWND dlg = app.WaitForDialog("Mise à jour de l'Orvandel");
//   ASSERT_TRUE(dlg);
//   EXPECT_EQ(std::vector<std::string>({"C:\\A", "C:\\B"}), ComboItems(dlg, 1000));
//   Click(dlg, 1002);
//   auto box = app.WaitForMessageBox();
//   ASSERT_TRUE(box);
//   EXPECT_EQ(IconKind::Information, box->icon) << *box;
//   app.Answer(*box);
//   const Session rest = app.AnswerAllUntilExit(30000);
//
// Every wait has a timeout. A wait that runs out, or a control that does not
// answer, is reported as a non-fatal gtest failure at the caller's line naming
// what was awaited, and the call returns its "nothing" value (null, nullopt,
// empty, false) so that the test goes on or stops as it sees fit.
//
// Reading another process's controls under Wine 8: SendMessageA with
// CB_GETLBTEXT/LB_GETTEXT hands back UTF-16 in the ANSI buffer, and
// GetWindowTextA does not send WM_GETTEXT to another process's control. So every
// text is read with the W message sent here and converted to Windows-1252, which
// gives back exactly the bytes the program stored through its ANSI calls.

#include "CKernelHandle.h"

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Where a helper was called from, so that its failures point at the test line.
// As a default argument, __builtin_FILE/__builtin_LINE take the values of the
// call that uses the default (GCC, Clang, and MSVC from 16.6).
struct CallSite {
    const char* file;
    int line;
    static CallSite Here(const char* file = __builtin_FILE(), int line = __builtin_LINE()) { return {file, line}; }
};

// The icon a message box shows. An icon handle means nothing outside its process
// under Wine (STM_GETICON gives a handle unlike the same system icon loaded here,
// and GetIconInfo on it fails), so the box's icon control (0x0440) is read back
// from the screen and compared pixel by pixel with the three system icons drawn
// here on the same background; under Wine the match is exact. The box must be
// on screen and uncovered, which a message box in front of its owner is.
enum class IconKind {
    None,         // no icon (the box's icon control holds none)
    Information,  // MB_ICONINFORMATION
    Warning,      // MB_ICONEXCLAMATION
    Error,        // MB_ICONSTOP
    Unknown       // an icon that matches none of the three, or could not be read from the screen
};
const char* IconKindName(IconKind kind);
std::ostream& operator<<(std::ostream& out, IconKind kind);

// One message box as the program showed it. Texts are Windows-1252.
struct MessageBoxSeen {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;  // the box's message (control 0xFFFF)
    IconKind icon = IconKind::Unknown;
};
// Prints caption, icon and text with control characters escaped, for failure messages.
std::ostream& operator<<(std::ostream& out, const MessageBoxSeen& box);

// What AnswerAllUntilExit saw: every box in the order shown, and the exit code
// (empty when the program was still running at the timeout).
struct Session {
    std::vector<MessageBoxSeen> boxes;
    std::optional<DWORD> exitCode;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Owns one started process: its process and thread handles are closed, and the
// process is terminated (and waited for) if it still runs, when the object dies.
class AppUnderTest {
public:
    AppUnderTest() = default;
    ~AppUnderTest();
    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;

    // Starts `exePath` (quoted on the command line, followed by a blank and
    // `arguments` if any) with the test's environment plus `extra` (a name given
    // there replaces the inherited value, compared without case), in `currentDir`
    // ("" keeps the test's). Waits until the program first waits for input, so its
    // first dialog has been initialised. False, with a failure reported, when the
    // process could not be created or an object already owns one.
    bool Start(const std::string& exePath, const Environment& extra = {}, const std::string& currentDir = "",
               const std::string& arguments = "", CallSite where = CallSite::Here());

    // Hands the next Start's standard output to `file` (an inheritable handle the
    // caller keeps open), as a redirect or a pipe would.
    void SetStandardOutput(HANDLE file) { m_output = file; }

    // Starts `exePath` through Wine's own loader (WINELOADER), for a program whose
    // path is longer than Wine's CreateProcess takes (MAX_PATH - 1 characters; Windows
    // starts it). The loader runs as a Unix process; the program's own process is the
    // one that shows a window titled `title`, and this object owns it from then on
    // (its main thread excepted: ProcessorMs does not answer). Returns that window,
    // or null, with a failure reported, when none appears within `timeoutMs`.
    HWND StartThroughLoader(const std::string& exePath, const Environment& extra, const std::string& title,
                            DWORD timeoutMs = 15000, CallSite where = CallSite::Here());

    bool IsRunning() const;
    DWORD ProcessId() const { return m_processId; }
    HANDLE Process() const { return m_process; }

    // The first visible top-level window of the process whose title is `title`
    // (Windows-1252); null, with a failure reported, at the timeout. A modal
    // dialog is shown only once WM_INITDIALOG has returned, so its controls are
    // filled by then (WaitForInputIdle alone does not ensure it: it returns at once
    // for a console program).
    HWND WaitForDialog(const std::string& title, DWORD timeoutMs = 10000, CallSite where = CallSite::Here());
    // The same window visible or not (a dialog whose initialisation is held up by
    // a message box is not shown yet), without waiting or reporting; null if none.
    HWND FindWindowTitled(const std::string& title) const;

    // The next visible message box of the process that has not been answered
    // through this object: a "#32770" window with a 0xFFFF child that is not a
    // window returned by WaitForDialog. Once the box is found, its icon is read
    // from the screen, waiting up to 2 s more for the box to paint it (see
    // IconKind). Empty, with a failure reported, at the timeout.
    std::optional<MessageBoxSeen> WaitForMessageBox(DWORD timeoutMs = 10000, CallSite where = CallSite::Here());
    // The same without waiting and without reporting: empty when no box is up now.
    std::optional<MessageBoxSeen> FindMessageBox();

    // Presses the box's button `buttonId` (WM_COMMAND as the button itself sends
    // it) and waits until the box window is gone. False, with a failure reported,
    // if it is still there at the timeout.
    bool Answer(const MessageBoxSeen& box, int buttonId = IDOK, DWORD timeoutMs = 5000,
                CallSite where = CallSite::Here());

    // Answers every message box with OK until the process ends; reports a failure,
    // listing the boxes seen, if it still runs after `timeoutMs`.
    Session AnswerAllUntilExit(DWORD timeoutMs = 30000, CallSite where = CallSite::Here());

    // The exit code; empty, with a failure reported, if the process still runs at
    // the timeout (it is left running).
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000, CallSite where = CallSite::Here());

    // Processor time used so far by the program's main thread (the one
    // CreateProcess made, which runs a single-threaded program's dialog), user
    // plus kernel, in milliseconds, with the system's tick granularity (10 ms under
    // Wine); empty, with a failure reported, when it cannot be read. Thread and not
    // process times because Wine 8's GetProcessTimes on another process answers
    // the caller's own times. Time the program spends waiting for the Wine server
    // (every PeekMessage, GetExitCodeProcess... is a round trip) is not counted:
    // the server's processor time is its own.
    std::optional<double> ProcessorMs(CallSite where = CallSite::Here()) const;

    // Ends the process now (exit code 1) if it still runs, and waits for it.
    void Kill();

private:
    CKernelHandle m_process;
    CKernelHandle m_thread;
    DWORD m_processId = 0;
    HANDLE m_output = nullptr;
    std::vector<HWND> m_dialogs;   // returned by WaitForDialog: never taken for a message box
    std::vector<HWND> m_answered;  // boxes already answered, while their window may linger
};

// --- The controls of another process's dialog. Texts are Windows-1252. -----------
// Reads and sends have a 5 s timeout each; a control that does not exist or does
// not answer gives a reported failure and the empty value (-1 for an index).

// Text of control `id` of `dialog` (WM_GETTEXT), CR LF pairs kept.
std::string ItemText(HWND dialog, int id, CallSite where = CallSite::Here());
// Any visible top-level window of process `processId`, or null.
HWND VisibleWindowOf(DWORD processId);
// Caption of a window as the system holds it (GetWindowTextW, which never sends
// a message to another process's window, so it cannot block).
std::string WindowText(HWND window);
// Entries of a combo box, in the order it holds them (sorted if it sorts).
std::vector<std::string> ComboItems(HWND dialog, int id, CallSite where = CallSite::Here());
// Index of the selected entry of a combo box, -1 for none (CB_ERR).
int ComboSelection(HWND dialog, int id, CallSite where = CallSite::Here());
// Entries of a list box, in the order it holds them.
std::vector<std::string> ListItems(HWND dialog, int id, CallSite where = CallSite::Here());
// Whether control `id` accepts input; false, with a failure reported, when it does not exist.
bool IsItemEnabled(HWND dialog, int id, CallSite where = CallSite::Here());

// Posts BM_CLICK to button `id`: the program handles it when it next reads its
// queue, as it would a mouse click, so a click that opens a modal box returns at
// once. When the button or the dialog is disabled nothing is posted and the
// result is false without a failure: a mouse click would do nothing there, while
// Wine's button acts on a BM_CLICK even when disabled. False, with a failure
// reported, when there is no such button.
bool Click(HWND dialog, int id, CallSite where = CallSite::Here());

// Selects entry `index` of combo box `id` and tells the dialog as the user's
// selection would (CB_SETCURSEL does not notify): WM_COMMAND with CBN_SELCHANGE is
// sent, so the dialog's handler has run when this returns (a handler that opened
// a modal box would hold it up to the 5 s timeout). It does not check that the
// combo box is enabled. False, with a failure reported, when the entry does not
// exist or the dialog does not answer.
bool SelectComboEntry(HWND dialog, int id, int index, CallSite where = CallSite::Here());

// True when `window`'s thread takes a sent WM_NULL within `timeoutMs`
// (SendMessageTimeout with SMTO_ABORTIFHUNG, so a thread the system already
// counts as hung is answered false at once). `elapsedMs`, when given, receives
// the time the probe took. Never reports a failure.
bool IsResponsive(HWND window, DWORD timeoutMs, DWORD* elapsedMs = nullptr);
