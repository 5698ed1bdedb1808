#include "LogFile.h"

#include "TextConversion.h"

#include <cstdio>
#include <string>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

// Size of an existing file; false when it cannot be read (it may not exist).
bool FileSize(const char* path, ULONGLONG& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

// `text` from the ANSI code page to UTF-8, every CR and LF turned into a blank.
std::string Utf8Line(const char* text)
{
    std::string ansi(text ? text : "");
    for (char& c : ansi) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    if (ansi.empty())
        return ansi;
    const std::wstring wide = AfxWideFromAnsi(ansi.data(), static_cast<int>(ansi.size()));
    const std::string utf8 = AfxUtf8FromWide(wide.data(), static_cast<int>(wide.size()));
    return utf8.empty() ? ansi : utf8;
}

// Whether another handle holds `path` open: it then refuses to be opened unshared.
bool IsOpenElsewhere(const char* path)
{
    const CKernelHandle probe(
        ::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.IsValid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace

CLogFile::~CLogFile()
{
    Close();
}

void CLogFile::Close()
{
    m_file.Close();
}

bool CLogFile::Open(const char* path)
{
    Close();
    m_path = path;
    m_lastError = 0;

    // A log still open elsewhere belongs to a run under way (an updater started
    // again while one runs opens the log before it finds the other): it is not
    // moved from under that run.
    ULONGLONG size = 0;
    if (FileSize(m_path, size) && size > kRotateBytes && !IsOpenElsewhere(m_path)) {
        const CString old = m_path + ".old";
        ::MoveFileExA(m_path, old, MOVEFILE_REPLACE_EXISTING);
    }

    // Appending only, so a reader and the system's own cache see whole lines; others
    // may read, write or rename the file while it is open (a technician opening it in
    // an editor, the next run rotating it). Write-through: a power cut keeps what was
    // written.
    m_file.Attach(::CreateFileA(m_path, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!IsOpen()) {
        m_lastError = ::GetLastError();
        return false;
    }
    LARGE_INTEGER current = {};
    if (::GetFileSizeEx(m_file, &current) && current.QuadPart == 0) {
        DWORD written = 0;
        if (!::WriteFile(m_file, kByteOrderMark, 3, &written, nullptr) || written != 3)
            m_lastError = ::GetLastError();
    }
    return true;
}

void CLogFile::WriteLine(const char* text)
{
    if (!IsOpen())
        return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    // One write per line: a reader never sees half a line from this process.
    std::string line(stamp);
    line += Utf8Line(text);
    line += "\r\n";
    DWORD written = 0;
    if (!::WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr)
        || written != line.size())
        m_lastError = ::GetLastError();
}
