#pragma once
// What passes between the updater and the disc's installer "_install.exe": how it
// is started and waited for, its two command lines, the two named shared-memory
// blocks it reads while it runs, and the product code of each application.

#include <windows.h>

#include "CString.h"

// Application name to the four-character product code the installer expects.
struct ProductCodeRow {
    const char* name;
    const char* code;
};

// Searched in this order; the codes are handed on byte for byte.
extern const ProductCodeRow ProductCodeTable[12];

// Compares `name` with the table's names in row order, whole strings, ignoring
// case (CString::CompareNoCase); the first equal row wins. On a match `name` is
// replaced by that row's code and TRUE returned; otherwise `name` is left
// unchanged and FALSE returned.
BOOL LookupProductCode(CString& name);

// Starts `applicationPath` with `commandLine` (copied, since CreateProcessA may
// write into it; it begins with a blank and does not repeat the program name) in
// `currentDirectory`, in a new console, with the caller's environment, and waits
// until the process has ended. While waiting, the calling thread keeps
// dispatching its messages, so its windows go on painting and answering; it
// sleeps in between and uses no processor time of its own. A WM_QUIT taken from
// the queue meanwhile is posted again before returning. The hourglass is shown
// for the whole call.
// TRUE when the process was started and has ended, whatever its exit code.
// FALSE when it could not be started: the user has then been shown
// "CreateProcess error n°N" (N the system error number) through AfxMessageBox.
BOOL RunAndWait(const char* applicationPath, const char* commandLine, const char* currentDirectory);

// How one run of StartAndWait went.
struct CRunOutcome {
    bool started = false;   // the process was created (and has ended)
    DWORD error = 0;        // CreateProcessA's error when it was not started
    DWORD exitCode = 0;     // the process's exit code once ended
    DWORD milliseconds = 0; // from the start to the end of the wait
};

// RunAndWait without a word to the user: the same start, environment and wait, with
// what happened handed back instead of shown. True when the process was started.
bool StartAndWait(const char* applicationPath, const char* commandLine, const char* currentDirectory,
                  CRunOutcome& outcome);

// The block holding the parent directory of the folder being updated.
extern const char kInfoBlockName[];
constexpr DWORD kInfoBlockSize = 1000;
// The block holding the product code of the application being reinstalled.
extern const char kCodeBlockName[];
constexpr DWORD kCodeBlockSize = 100;

// %s: the installation folder being updated.
extern const char kRemovalCommandFormat[];
// %s: the disc directory in which "_install.ex_" was found.
extern const char kReinstallCommandFormat[];

// A named block of shared memory backed by the paging file, published for the
// installer. The block lives as long as some process holds a handle to it: this
// object's handle keeps it alive until Close (or destruction); the installer
// opens it by name while it runs.
class CSharedBlock {
public:
    CSharedBlock() = default;
    ~CSharedBlock();
    CSharedBlock(const CSharedBlock&) = delete;
    CSharedBlock& operator=(const CSharedBlock&) = delete;

    // Closes any handle already held, then creates the block `name` of `size`
    // bytes (PAGE_READWRITE, no security attributes) and writes `text` with its
    // NUL at offset 0. A block that already exists under that name is opened and
    // written as it is: bytes after the NUL keep whatever it held (a new block is
    // all zeros). TRUE with the handle kept open on success.
    // FALSE with no handle kept, no block created and nothing written when the
    // text with its NUL does not fit in `size` bytes; FALSE with no handle kept
    // when the block cannot be created (for instance the name belongs to another
    // kind of object) or no view of `size` bytes can be mapped (an existing block
    // made smaller; the system counts a block's size in whole pages). On FALSE,
    // GetLastError says why (ERROR_INSUFFICIENT_BUFFER for a text too long).
    BOOL Publish(const char* name, DWORD size, const char* text);

    // Closes the handle if one is held. The system removes the block, and its
    // name, when the last handle to it is closed.
    void Close();
    bool IsOpen() const { return m_hMapping != nullptr; }

private:
    HANDLE m_hMapping = nullptr;
};
