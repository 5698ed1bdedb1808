#include "FileQueries.h"

#include "CKernelHandle.h"
#include "FindHandle.h"
#include "TextConversion.h"

#include <cstring>

namespace {

const size_t kMaxPathLength = MAX_PATH - 1;

// Copies `first` then `second` into `buffer` (MAX_PATH characters); false, with
// nothing usable in `buffer`, when the result would be longer than kMaxPathLength.
bool JoinPath(char (&buffer)[MAX_PATH], const char* first, const char* second)
{
    const size_t firstLength = std::strlen(first);
    const size_t secondLength = std::strlen(second);
    if (firstLength > kMaxPathLength || secondLength > kMaxPathLength - firstLength)
        return false;
    std::memcpy(buffer, first, firstLength);
    std::memcpy(buffer + firstLength, second, secondLength + 1);
    return true;
}

bool EndsWith(const char* text, char c)
{
    const size_t length = std::strlen(text);
    return length > 0 && text[length - 1] == c;
}

} // namespace

bool FileExists(const char* path)
{
    if (!path || std::strlen(path) > kMaxPathLength)
        return false;
    // Sharing reading only: a handle elsewhere that writes makes the open fail, and
    // CreateFileA cannot open a directory without FILE_FLAG_BACKUP_SEMANTICS.
    CKernelHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid();
}

bool IsDirectory(const char* path)
{
    if (!path || !*path)
        return false;
    char pattern[MAX_PATH];
    if (!JoinPath(pattern, path, EndsWith(path, '\\') ? "*" : "\\*"))
        return false;
    WIN32_FIND_DATAA found;
    CFindHandle search(pattern, found);
    return search.IsValid();
}

bool FindFilesByExtension(const char* folder, CStringArray& found, bool recurse, const char* extension)
{
    if (!folder || !*folder || !IsDirectory(folder))
        return false;
    char pattern[MAX_PATH];
    if (!JoinPath(pattern, folder, "\\*"))
        return false;
    const size_t folderLength = std::strlen(folder);

    WIN32_FIND_DATAA entry;
    CFindHandle search(pattern, entry);
    for (bool more = search.IsValid(); more; more = search.Next(entry)) {
        // "." and ".." end with a dot; so would any name Windows cannot create.
        if (EndsWith(entry.cFileName, '.'))
            continue;
        char fullPath[MAX_PATH];
        if (folderLength + 1 + std::strlen(entry.cFileName) > kMaxPathLength)
            continue;
        std::memcpy(fullPath, folder, folderLength);
        fullPath[folderLength] = '\\';
        std::strcpy(fullPath + folderLength + 1, entry.cFileName);

        // The listing's own attribute decides, so a folder too deep to list is
        // skipped rather than taken for a file.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (recurse)
                FindFilesByExtension(fullPath, found, recurse, extension);
            continue;
        }
        if (!extension)
            continue;
        // The last dot of the whole path, not only of the entry name.
        const char* dot = std::strrchr(fullPath, '.');
        if ((dot && std::strstr(dot, extension)) || std::strcmp(extension, "*") == 0)
            found.Add(fullPath);
    }
    return true;
}

CString PathForOpenFile(const char* path)
{
    if (!path || std::strlen(path) < OFS_MAXPATHNAME)
        return CString(path);
    char shortPath[MAX_PATH] = "";
    DWORD length = ::GetShortPathNameA(path, shortPath, MAX_PATH);
    if (length > 0 && length < OFS_MAXPATHNAME)
        return CString(shortPath);

    // A file about to be created has no short form yet: shorten its folder.
    const CString whole(path);
    const int slash = whole.ReverseFind('\\');
    if (slash <= 0)
        return whole;
    length = ::GetShortPathNameA(whole.Left(slash), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return whole;
    const CString candidate = CString(shortPath) + whole.Mid(slash);
    return candidate.GetLength() < OFS_MAXPATHNAME ? candidate : whole;
}

CString NormalFolderPath(const char* path)
{
    if (!path)
        return CString();
    auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    std::string normal;
    const char* next = path;
    size_t prefix = 0;   // separators at the start that are never dropped
    if (isSeparator(next[0]) && isSeparator(next[1])) {
        normal = "\\\\";
        prefix = 2;
        next += 2;
        while (isSeparator(*next))
            ++next;
    }
    bool afterSeparator = prefix > 0;
    while (*next) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(*next)) && next[1]) {
            normal.append(next, 2);
            next += 2;
            afterSeparator = false;
        } else if (isSeparator(*next)) {
            if (!afterSeparator)
                normal += '\\';
            afterSeparator = true;
            ++next;
        } else {
            normal += *next++;
            afterSeparator = false;
        }
    }
    if (normal.size() == prefix)
        return CString();
    const bool driveRoot = normal.size() == 3 && normal[1] == ':';
    if (afterSeparator && normal.size() > prefix && !driveRoot)
        normal.pop_back();
    return CString(normal.c_str());
}

namespace {

// The name comes back unchanged from the code page exactly when the ANSI
// functions can open the file by the name they list (with its look-alikes).
bool SurvivesTheCodePage(const std::wstring& name)
{
    const CString listed = AfxAnsiFromWide(name.data(), static_cast<int>(name.size()), AnsiFallback::BestFit);
    return AfxWideFromAnsi(listed, listed.GetLength()) == name;
}

} // namespace

bool FindUnrepresentableFiles(const char* folder, std::vector<std::wstring>& found, const char* extension)
{
    if (!folder || !*folder || !IsDirectory(folder) || !extension)
        return false;
    const std::wstring base = AfxWideFromAnsi(folder);
    if (base.empty() || base.size() + 2 > kMaxPathLength)
        return false;
    const std::wstring wideExtension = AfxWideFromAnsi(extension);

    WIN32_FIND_DATAW entry;
    CFindHandle search((base + L"\\*").c_str(), entry);
    for (bool more = search.IsValid(); more; more = search.Next(entry)) {
        const std::wstring name = entry.cFileName;
        if (name.empty() || name.back() == L'.' || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            SurvivesTheCodePage(name))
            continue;
        const std::wstring fullPath = base + L"\\" + name;
        if (fullPath.size() > kMaxPathLength)
            continue;
        const size_t dot = fullPath.rfind(L'.');
        if ((dot != std::wstring::npos && fullPath.find(wideExtension, dot) != std::wstring::npos) ||
            wideExtension == L"*")
            found.push_back(fullPath);
    }
    return true;
}

bool FileExists(const std::wstring& path)
{
    if (path.empty() || path.size() > kMaxPathLength)
        return false;
    CKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid();
}

CString AnsiShownName(const std::wstring& text)
{
    return AfxAnsiFromWide(text.data(), static_cast<int>(text.size()), AnsiFallback::Question);
}
