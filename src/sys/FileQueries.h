#pragma once
// Stateless file-system queries over zero-terminated ANSI paths.
//
// Paths hold at most MAX_PATH - 1 (259) characters. A path that would grow past that
// limit, alone or once a search pattern or an entry name is appended, is rejected
// rather than cut into a different path.

#include "CStringArray.h"

#include <string>
#include <vector>

// True when `path` opens for reading while sharing reading only. A directory gives
// false, and so does a file that another handle holds open for writing without
// sharing writes (a log being written counts as missing).
bool FileExists(const char* path);

// True when `path` can be listed: FindFirstFileA on the path followed by "\*" ("*" when
// it already ends with a backslash) finds an entry. Every folder lists at least "."
// and "..", so only an empty drive root, a plain file, a missing path, an empty path
// or a pattern over 259 characters give false.
bool IsDirectory(const char* path);

// Appends to `found` the full paths (folder, backslash, name) of the files in `folder`
// (given without a trailing backslash) whose text from the last dot of the full path
// contains `extension` (case-sensitive: "ini" matches NAME.ini, NAME.mini and NAME.ini2
// but not NAME.INI); "*" matches every file. Directories are never added; with
// `recurse` their matches are appended where the directory is met (depth first),
// in the order the file system lists entries. Entries whose full path would exceed
// 259 characters are skipped. False, with `found` unchanged, for an empty folder path
// or one that cannot be listed; true otherwise, even when nothing matched.
bool FindFilesByExtension(const char* folder, CStringArray& found, bool recurse, const char* extension);

// OpenFile, and the lz32 functions built on it, refuse paths of OFS_MAXPATHNAME (128)
// characters or more. This gives `path` itself when it is shorter than that, and
// otherwise its 8.3 form: of the whole path when the file exists, else of its folder
// with the name appended. When no shorter form can be had, `path` is returned as it
// is (and OpenFile will refuse it).
CString PathForOpenFile(const char* path);

// The normal form of a folder path as a tool or a user may have recorded it:
// forward slashes become backslashes, a run of separators becomes one (the two
// that open a network path are kept), and trailing separators are dropped except
// the one after a drive letter ("C:\"). Double-byte characters of the ANSI code
// page are kept whole, so a trail byte that equals '\' is never taken for a
// separator. A path of separators only gives the empty string.
CString NormalFolderPath(const char* path);

// Files whose names the ANSI code page cannot hold. The ANSI listing gives such a
// file a name that opens nothing (its characters become '?' or a look-alike), so
// FindFilesByExtension's paths for them are of no use. This appends to `found` the
// full wide paths of the files directly in `folder` whose names do not survive the
// way to the code page and back, by the same extension rule as
// FindFilesByExtension; directories are never added. False, with `found`
// unchanged, for an empty folder path or one that cannot be listed.
bool FindUnrepresentableFiles(const char* folder, std::vector<std::wstring>& found, const char* extension);

// FileExists for a wide path: true when it opens for reading while sharing reading only.
bool FileExists(const std::wstring& path);

// `text` in the ANSI code page, every character the code page cannot hold exactly
// written as '?'. No look-alike is put in its place: such a name must never be
// taken for another.
CString AnsiShownName(const std::wstring& text);
