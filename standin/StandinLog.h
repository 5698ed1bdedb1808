#pragma once
// The log of the stand-in installer, and its reader for the tests.
//
// The stand-in appends to one text file (MISEAJOUR_STANDIN_LOG, else
// %TEMP%\installer-standin.log). Each run appends a [run] section as soon as it
// starts, so a run that is killed is still on record, and a [done] section when
// it has finished waiting, just before it exits:
//
//   [run]
//   pid=1234                     decimal process id
//   mode=removal                 removal (" /u/c/*..."), reinstall (" /b/*...") or unknown
//   cmdline= /u/c/*C:\Suite      GetCommandLineA exactly, no program name in front
//   cmdline.hex=202F752F632F2A433A5C5375697465
//   cwd=C:\Suite                 GetCurrentDirectoryA
//   cwd.hex=...
//   module=C:\Suite\_install.exe GetModuleFileNameA of the running file
//   module.hex=...
//   info=C:\                     "Installation VELMOR (Info)": text up to its NUL,
//   info.hex=433A5C                or <absent> / <unreadable> with hex "-"
//   code=K7_Q                    "Installation VELMOR (Code)", the same way
//   code.hex=4B375F51
//   exit=0                       the exit code the run will end with
//   wait=0                       milliseconds it stays alive after logging
//   [done]
//   pid=1234
//
// Lines end with CR LF. The text after "key=" is the Windows-1252 bytes as they
// were, except that CR and LF inside a value are written as '?' to keep the line
// structure; the ".hex" lines (uppercase, two digits a byte, no separators) hold
// the exact bytes and are what the reader returns. A block that could not be
// opened by name is <absent>; one that exists but could not be mapped for
// reading is <unreadable>. The reader skips keys it does not know, so the record
// can grow.

#include <string>
#include <vector>

namespace standin {

// Test controls, read by the stand-in from its environment, which it inherits
// from whoever started the program that starts it.
constexpr const char* kLogVariable = "MISEAJOUR_STANDIN_LOG";       // log path
constexpr const char* kWaitVariable = "MISEAJOUR_STANDIN_MS";       // stay alive this long, default 0
constexpr const char* kExitVariable = "MISEAJOUR_STANDIN_EXIT";     // exit code, default 0
constexpr const char* kWindowVariable = "MISEAJOUR_STANDIN_WINDOW"; // "1": show a window meanwhile
// "1": a removal run overwrites "_install.bak" in its current directory with text,
// as a faulty installer might, so that the updater's reinstall runs cannot start.
constexpr const char* kSpoilBackupVariable = "MISEAJOUR_STANDIN_SPOIL_BACKUP";
// "1": a reinstall run gives "Kerbanista.exe" in its current directory the version
// 1.3 when it ends, as the real installer's reinstall does (SuiteVersionStamp.h).
constexpr const char* kStampVariable = "MISEAJOUR_STANDIN_STAMP";
// "1": every run dies of an access violation once recorded; "removal" or
// "reinstall": only the runs of that kind.
constexpr const char* kCrashVariable = "MISEAJOUR_STANDIN_CRASH";

// The shared-memory blocks the stand-in reads, by name, and the size it maps.
constexpr const char* kInfoBlockName = "Installation VELMOR (Info)";
constexpr unsigned long kInfoBlockSize = 1000;
constexpr const char* kCodeBlockName = "Installation VELMOR (Code)";
constexpr unsigned long kCodeBlockSize = 100;

// The two command-line forms, each followed by a path.
constexpr const char* kRemovalPrefix = " /u/c/*";
constexpr const char* kReinstallPrefix = " /b/*";

enum class Mode { Unknown, Removal, Reinstall };

struct Block {
    enum State { Absent, Unreadable, Present };
    State state = Absent;
    std::string text; // the bytes before the first NUL; empty unless Present
};

struct Run {
    unsigned long processId = 0;
    Mode mode = Mode::Unknown;
    std::string commandLine;
    std::string argument; // what follows the recognised prefix; empty for Unknown
    std::string currentDirectory;
    std::string modulePath;
    Block info;
    Block code;
    unsigned long exitCode = 0;
    unsigned long waitMilliseconds = 0;
    // Positions of this run's [run] and [done] sections among all sections of
    // the log, counted from 0. doneOrder is -1 when the run never finished (it
    // was killed, or is still running). Run A ended before run B started exactly
    // when A.doneOrder < B.startOrder.
    int startOrder = -1;
    int doneOrder = -1;
};

// Classifies a command line by its exact prefix; `argument` receives the rest,
// or is emptied when neither form matches.
Mode ClassifyCommandLine(const std::string& commandLine, std::string& argument);
const char* ModeName(Mode mode);

// The [run] section for `run` (startOrder and doneOrder are not written).
std::string FormatRunSection(const Run& run);
// The [done] section for the process `processId`.
std::string FormatDoneSection(unsigned long processId);

// Every [run] section of `text`, in file order. A [done] section completes the
// latest earlier run of the same pid that has none yet; Windows reuses process
// ids, but never for two processes alive at once.
std::vector<Run> ParseLog(const std::string& text);
// Reads and parses the log at `path`. False, with `runs` emptied, when the file
// cannot be opened (none has been written yet); it may be open for appending.
bool ReadLog(const std::string& path, std::vector<Run>& runs);

// %TEMP%\installer-standin.log, as the stand-in uses it when no path is given.
std::string DefaultLogPath();

} // namespace standin
