#include "FileQueries.h"

#include "FileHandle.h"
#include "FindHandle.h"

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
    CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
