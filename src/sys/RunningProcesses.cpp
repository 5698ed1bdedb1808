#include "RunningProcesses.h"

#include "CKernelHandle.h"
#include "FileQueries.h"
#include "TextConversion.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

namespace {

// The long form of an existing path written with 8.3 names; any other path as it is.
std::wstring LongForm(const std::wstring& path)
{
    if (path.find(L'~') == std::wstring::npos)
        return path;
    const DWORD length = ::GetLongPathNameW(path.c_str(), nullptr, 0);
    if (length == 0)
        return path;
    std::wstring longPath(length, L'\0');
    const DWORD written = ::GetLongPathNameW(path.c_str(), &longPath[0], length);
    if (written == 0 || written >= length)
        return path;
    longPath.resize(written);
    return longPath;
}

// True when `image` is `folder` followed by a separator and more. `folder` is in
// normal form: no trailing separator except after a drive letter ("C:\").
bool LiesBelow(const std::wstring& image, const std::wstring& folder)
{
    if (folder.empty() || image.size() <= folder.size())
        return false;
    if (::CompareStringOrdinal(image.data(), static_cast<int>(folder.size()), folder.data(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
        return false;
    return folder.back() == L'\\' || image[folder.size()] == L'\\';
}

// Full path of the executable of process `id`; empty when it cannot be read (a
// process of another user, a system process, one that has just ended).
std::wstring ImagePath(DWORD id)
{
    CKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process.IsValid())
        return std::wstring();
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (::QueryFullProcessImageNameW(process, 0, buffer.data(), &length))
            return std::wstring(buffer.data(), length);
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || buffer.size() >= 32768)
            return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

bool FindProcessesInFolder(const char* folder, CStringArray& images)
{
    CKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid())
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    if (!::Process32FirstW(snapshot, &entry))
        return false;

    const std::wstring base = LongForm(AfxWideFromAnsi(NormalFolderPath(folder)));
    if (base.empty())
        return true;
    const DWORD self = ::GetCurrentProcessId();
    do {
        if (entry.th32ProcessID == self || entry.th32ProcessID == 0)
            continue;
        const std::wstring image = ImagePath(entry.th32ProcessID);
        if (!image.empty() && LiesBelow(LongForm(image), base))
            images.Add(AnsiShownName(image));
    } while (::Process32NextW(snapshot, &entry));
    return true;
}
