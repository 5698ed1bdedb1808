#pragma once
// Owner of an lz32 file handle: LZClose runs when it goes out of scope, unless Close
// has run first. lz32 is not one of the system's known DLLs: it is taken from the
// system folder when the first compressed file is opened, never found beside the
// program.

#include <windows.h>

class CLzFile {
public:
    enum Purpose {
        // LZOpenFileA in OF_READ: a compressed file reads expanded, any other as it is.
        forReading,
        // OpenFile in OF_CREATE: the file is created, or truncated to zero length.
        forCreating,
    };

    // Opens `path`; a path over MAX_PATH - 1 characters is not opened. OpenFile (and
    // so lz32) refuses paths of OFS_MAXPATHNAME (128) characters or more, so a longer
    // path is opened through its 8.3 form.
    CLzFile(const char* path, Purpose purpose);
    ~CLzFile();
    CLzFile(const CLzFile&) = delete;
    CLzFile& operator=(const CLzFile&) = delete;

    // False when the open failed (an LZERROR_ code or HFILE_ERROR, all negative).
    bool IsOpen() const { return m_hFile >= 0; }
    INT Get() const { return m_hFile; }
    void Close();

    // LZCopy from `source` to `target`: the bytes written, or an LZERROR_ code
    // (negative); LZERROR_BADINHANDLE when lz32 cannot be had.
    static LONG Copy(const CLzFile& source, const CLzFile& target);

private:
    INT m_hFile;
};
