#include "StandardOutput.h"

#include "FileQueries.h"
#include "TextConversion.h"

#include <cstring>

namespace {

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != FALSE;
}

// A handle the program was really given: a GUI program started without redirection
// holds a null handle, or one whose type the system does not know.
bool IsUsable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

CStandardOutput::CStandardOutput()
{
    HANDLE inherited = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsUsable(inherited)) {
        m_hOutput = inherited;
        m_console = IsConsole(inherited);
        return;
    }
    if (!::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_ownConsole.Attach(::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (!m_ownConsole.IsValid())
        return;
    m_hOutput = m_ownConsole;
    m_console = true;
}

void CStandardOutput::WriteLine(const char* text)
{
    if (!m_hOutput)
        return;
    DWORD written = 0;
    if (m_console) {
        const std::wstring wide = AfxWideFromAnsi(text);
        ::WriteConsoleW(m_hOutput, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
        ::WriteConsoleW(m_hOutput, L"\r\n", 2, &written, nullptr);
        return;
    }
    ::WriteFile(m_hOutput, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    ::WriteFile(m_hOutput, "\r\n", 2, &written, nullptr);
}
