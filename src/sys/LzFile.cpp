#include "LzFile.h"

#include "FileQueries.h"

#include "SystemLibrary.h"

#include <lzexpand.h>

#include <cstring>

namespace {

struct LzEntries {
    decltype(&::LZOpenFileA) open;
    decltype(&::LZCopy) copy;
    decltype(&::LZClose) close;
};

const LzEntries& Lz()
{
    static const LzEntries entries = [] {
        const HMODULE lz32 = AfxLoadSystemLibrary("lz32.dll");
        return LzEntries{AfxGetProcedure<decltype(&::LZOpenFileA)>(lz32, "LZOpenFileA"),
                         AfxGetProcedure<decltype(&::LZCopy)>(lz32, "LZCopy"),
                         AfxGetProcedure<decltype(&::LZClose)>(lz32, "LZClose")};
    }();
    return entries;
}

} // namespace

CLzFile::CLzFile(const char* path, Purpose purpose) : m_hFile(LZERROR_BADINHANDLE)
{
    char name[MAX_PATH];
    if (!path || std::strlen(path) >= sizeof name)
        return;
    // LZOpenFileA wants a writable name, and one short enough for OpenFile.
    std::strcpy(name, PathForOpenFile(path));
    OFSTRUCT info = {};
    info.cBytes = sizeof info;
    // Without all three entry points nothing is opened, so nothing is left to close.
    const LzEntries& lz = Lz();
    if (!lz.open || !lz.copy || !lz.close)
        return;
    if (purpose == forReading) {
        m_hFile = lz.open(name, &info, OF_READ);
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
        Lz().close(m_hFile);
        m_hFile = LZERROR_BADINHANDLE;
    }
}

LONG CLzFile::Copy(const CLzFile& source, const CLzFile& target)
{
    // An open file means the three entry points were found.
    if (!source.IsOpen() || !target.IsOpen())
        return LZERROR_BADINHANDLE;
    return Lz().copy(source.m_hFile, target.m_hFile);
}
