#include "LzFile.h"

#include "FileQueries.h"

#include <lzexpand.h>

#include <cstring>

CLzFile::CLzFile(const char* path, Purpose purpose) : m_hFile(LZERROR_BADINHANDLE)
{
    char name[MAX_PATH];
    if (!path || std::strlen(path) >= sizeof name)
        return;
    // LZOpenFileA wants a writable name, and one short enough for OpenFile.
    std::strcpy(name, PathForOpenFile(path));
    OFSTRUCT info = {};
    info.cBytes = sizeof info;
    if (purpose == forReading) {
        m_hFile = ::LZOpenFileA(name, &info, OF_READ);
        return;
    }
    // LZOpenFileA in OF_CREATE hands back this same plain file handle, which LZCopy
    // writes to and LZClose closes. But when the create fails it retries with the
    // name's last character replaced by '_': in place, that is the compressed source
    // being read, which the retry would truncate and then fill with the copy.
    const HFILE file = ::OpenFile(name, &info, OF_CREATE);
    m_hFile = file == HFILE_ERROR ? LZERROR_BADINHANDLE : static_cast<INT>(file);
}

CLzFile::~CLzFile()
{
    Close();
}

void CLzFile::Close()
{
    if (IsOpen()) {
        ::LZClose(m_hFile);
        m_hFile = LZERROR_BADINHANDLE;
    }
}
