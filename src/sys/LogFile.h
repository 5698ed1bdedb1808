#pragma once
// A run log: UTF-8 text with a byte-order mark, CR LF line ends, one event a line,
// each line starting with the local date and time "2026-12-08 14:03:27 ".
//
// The log must never stop or slow the work it records: every failure (a folder that
// is read-only or missing, a full disc, a file another program holds) leaves the
// log closed or the line unwritten, and nothing is thrown.

#include "CKernelHandle.h"
#include "CString.h"

#include <windows.h>

class CLogFile {
public:
    // Past this size at open, the log is renamed PATH.old and a new one started.
    static const DWORD kRotateBytes = 1024 * 1024;

    CLogFile() = default;
    ~CLogFile();                          // closes
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // Opens `path` (ANSI) for appending, shared for reading (and writing) by others,
    // creating it when missing. A file larger than kRotateBytes at open is first
    // renamed PATH.old (one generation, replacing an older .old) and a new one
    // started; when that rename fails (the .old held open by another program, a path
    // too long for the suffix) the log is appended to as it is. A new or empty file
    // gets the BOM first. False when it cannot be opened: the object stays closed,
    // LastError() keeps the Win32 error, WriteLine does nothing. An open log is
    // closed first.
    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return m_file.IsValid(); }
    const CString& Path() const { return m_path; }   // as given to Open
    // The error of the failed Open, or of the last failed write; 0 when none.
    DWORD LastError() const { return m_lastError; }

    // Writes one line: time stamp, `text` (ANSI, converted from CP_ACP to UTF-8; CR/LF
    // in it become blanks), CR LF. The line reaches the file before returning, in one
    // write through the system's cache to the disc, so a crash or a power cut leaves
    // every earlier line. A failed write (disc full) is otherwise ignored.
    void WriteLine(const char* text);

private:
    CKernelHandle m_file;
    CString m_path;
    DWORD m_lastError = 0;
};
