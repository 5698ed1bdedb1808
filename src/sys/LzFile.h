#pragma once
// Owner of an lz32 file handle: LZClose runs when it goes out of scope, unless Close
// has run first.

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

private:
    INT m_hFile;
};
