// FileExists, IsDirectory and FindFilesByExtension on real folders. Fixtures just past
// the 259-character limit rely on Wine's ANSI file functions taking 260 characters.

#include "FileQueries.h"
#include "CKernelHandle.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A folder directly below `dir` whose path is exactly `length` characters.
std::string FolderOfLength(const TempDir& dir, size_t length, char fill)
{
    const std::string folder = dir.path() + "\\" + std::string(length - dir.path().size() - 1, fill);
    EXPECT_TRUE(MakeFolders(folder)) << folder.size();
    return folder;
}

std::vector<std::string> ToVector(const CStringArray& array)
{
    std::vector<std::string> items;
    for (int i = 0; i < array.GetSize(); ++i)
        items.push_back(static_cast<const char*>(array.GetAt(i)));
    return items;
}

} // namespace

TEST(FileExists, OpensOnlyFilesNobodyIsWriting)
{
    TempDir dir("files");
    ASSERT_TRUE(WriteFileBytes(dir / "Kerbanista.exe", "MZ"));
    ASSERT_TRUE(MakeFolders(dir / "folder"));
    EXPECT_TRUE(FileExists((dir / "Kerbanista.exe").c_str()));
    for (const std::string& path : {dir / "missing.exe", dir / "folder", dir.path(), std::string()}) {
        SCOPED_TRACE("path \"" + path + "\"");
        EXPECT_FALSE(FileExists(path.c_str()));
    }

    // Sharing reading only conflicts with every handle that has write access, whatever
    // that handle shares: a log being written counts as missing.
    struct Holder {
        const char* label;
        DWORD access;
        DWORD share;
        bool expected;
    };
    const Holder holders[] = {
        {"writer sharing reading and writing", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
        {"writer sharing reading", GENERIC_WRITE, FILE_SHARE_READ, false},
        {"writer sharing writing", GENERIC_WRITE, FILE_SHARE_WRITE, false},
        {"reader sharing reading", GENERIC_READ, FILE_SHARE_READ, true},
        {"reader sharing nothing", GENERIC_READ, 0, false},
    };
    const std::string log = dir / "Chimie.log";
    ASSERT_TRUE(WriteFileBytes(log, "journal"));
    for (const Holder& h : holders) {
        SCOPED_TRACE(h.label);
        const CKernelHandle held(::CreateFileA(log.c_str(), h.access, h.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsValid());
        EXPECT_EQ(h.expected, FileExists(log.c_str()));
    }
}

TEST(FileExists, PathsOverTheLimitAreRejectedNotCut)
{
    TempDir dir("long");
    const std::string folder = FolderOfLength(dir, 240, 'd');
    // The 260-character name extends the 259-character one: cut to the limit, it
    // would name a file that exists.
    const std::string at259 = folder + "\\" + std::string(259 - folder.size() - 1, 'f');
    ASSERT_TRUE(WriteFileBytes(at259, "x"));
    ASSERT_TRUE(WriteFileBytes(at259 + "f", "x"));
    EXPECT_TRUE(FileExists(at259.c_str())) << "259 characters";
    EXPECT_FALSE(FileExists((at259 + "f").c_str())) << "260 characters";
    EXPECT_FALSE(FileExists((at259 + std::string(100, 'f')).c_str())) << "359 characters";
}

TEST(IsDirectory, ListsThePathWithAWildcardWithinTheLimit)
{
    TempDir dir("files");
    ASSERT_TRUE(MakeFolders(dir / "empty"));
    ASSERT_TRUE(WriteFileBytes(dir / "file.ini", "x"));
    // "\*" makes 259 characters from a 257-character folder, 260 from a 258 one.
    const std::string at257 = FolderOfLength(dir, 257, 'a');
    const std::string at258 = FolderOfLength(dir, 258, 'b');
    struct Case {
        std::string path;
        bool expected;
    };
    const Case cases[] = {
        {dir.path(), true},       {dir.path() + "\\", true}, {dir / "empty", true},  // lists "." and ".."
        {dir / "file.ini", false}, {dir / "missing", false}, {"", false},
        {"C:\\", true},  // a root with its backslash lists as "C:\*"
        {at257, true},            {at257 + "\\", true},      {at258, false},         {at258 + "\\", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\" of " + std::to_string(c.path.size()) + " characters");
        EXPECT_EQ(c.expected, IsDirectory(c.path.c_str()));
    }
}

TEST(FindFilesByExtension, MatchesTheTextFromTheLastDotOfThePath)
{
    TempDir dir("find");
    ASSERT_TRUE(MakeFolders(dir / "sub\\deeper"));
    ASSERT_TRUE(MakeFolders(dir / "dir.ini"));
    for (const char* name : {"A.ini", "A.log", "B.mini", "C.INI", "D.ini2", "noext", "sub\\E.ini",
                             "sub\\deeper\\F.ini", "sub\\deeper\\F.log", "dir.ini\\H.txt", "dir.ini\\plain"})
        ASSERT_TRUE(WriteFileBytes(dir / name, name));

    struct Case {
        const char* extension;
        bool recurse;
        std::vector<const char*> expected;  // relative to the folder, in any order
    };
    const Case cases[] = {
        {"ini", false, {"A.ini", "B.mini", "D.ini2"}},
        {"INI", false, {"C.INI"}},
        {"*", false, {"A.ini", "A.log", "B.mini", "C.INI", "D.ini2", "noext"}},
        {"exe", false, {}},
        // "dir.ini\plain" has no dot of its own: the folder's dot is the last one.
        {"ini", true, {"A.ini", "B.mini", "D.ini2", "sub\\E.ini", "sub\\deeper\\F.ini", "dir.ini\\plain"}},
        {"*", true,
         {"A.ini", "A.log", "B.mini", "C.INI", "D.ini2", "noext", "sub\\E.ini", "sub\\deeper\\F.ini",
          "sub\\deeper\\F.log", "dir.ini\\H.txt", "dir.ini\\plain"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("extension \"") + c.extension + "\", recursion " + (c.recurse ? "on" : "off"));
        CStringArray found;
        found.Add("earlier result");
        EXPECT_TRUE(FindFilesByExtension(dir.path().c_str(), found, c.recurse, c.extension));
        std::vector<std::string> got = ToVector(found);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ("earlier result", got.front()) << "results are appended";
        got.erase(got.begin());
        std::multiset<std::string> expected;
        for (const char* name : c.expected)
            expected.insert(dir / name);
        EXPECT_EQ(expected, std::multiset<std::string>(got.begin(), got.end()));
        // Depth first: the results from below a folder form one unbroken run.
        for (const std::string& folder : {dir / "sub\\", dir / "sub\\deeper\\", dir / "dir.ini\\"}) {
            std::vector<size_t> at;
            for (size_t i = 0; i < got.size(); ++i) {
                if (got[i].compare(0, folder.size(), folder) == 0)
                    at.push_back(i);
            }
            EXPECT_TRUE(at.empty() || at.back() - at.front() + 1 == at.size()) << folder << " is interleaved";
        }
    }

    for (const std::string& folder : {dir / "missing", dir / "A.ini", std::string()}) {
        SCOPED_TRACE("folder \"" + folder + "\"");
        CStringArray found;
        found.Add("earlier result");
        EXPECT_FALSE(FindFilesByExtension(folder.c_str(), found, true, "*"));
        EXPECT_EQ(std::vector<std::string>{"earlier result"}, ToVector(found));
    }
}

TEST(FindFilesByExtension, EntriesOverTheLimitAreSkipped)
{
    TempDir dir("long");
    const std::string folder = FolderOfLength(dir, 250, 'c');
    const std::string at259 = folder + "\\gggg.ini";   // 250 + 1 + 8
    ASSERT_TRUE(WriteFileBytes(at259, "x"));
    ASSERT_TRUE(WriteFileBytes(folder + "\\hhhhh.ini", "x"));  // 260
    // A folder of 258 characters cannot be listed within the limit: neither it nor
    // what it holds is a result, though the entry itself fits.
    ASSERT_TRUE(MakeFolders(folder + "\\kkkkkkk"));
    ASSERT_TRUE(WriteFileBytes(folder + "\\kkkkkkk\\x", "x"));
    for (bool recurse : {false, true}) {
        SCOPED_TRACE(recurse ? "recursion on" : "recursion off");
        CStringArray found;
        EXPECT_TRUE(FindFilesByExtension(folder.c_str(), found, recurse, "*"));
        EXPECT_EQ(std::vector<std::string>{at259}, ToVector(found));
    }
    CStringArray found;
    EXPECT_FALSE(FindFilesByExtension((folder + "\\kkkkkkk").c_str(), found, false, "*")) << "258 characters";
    EXPECT_EQ(0, found.GetSize());
}

TEST(NormalFolderPath, OneSeparatorOfOneKindAndNoneAtTheEnd)
{
    const struct {
        const char* recorded;
        const char* normal;
    } cases[] = {
        {"C:\\Orv\\Trail\\", "C:\\Orv\\Trail"},
        {"C:/Orv/Fwd", "C:\\Orv\\Fwd"},
        {"C:\\Orv\\\\Deux//Trois\\/", "C:\\Orv\\Deux\\Trois"},
        {"C:\\Orv\\Lyc\xE9" "e", "C:\\Orv\\Lyc\xE9" "e"},
        {"C:\\Orv", "C:\\Orv"},
        {"C:\\", "C:\\"},          // a drive root keeps its backslash
        {"C:/", "C:\\"},
        {"C:\\\\", "C:\\"},
        {"C:", "C:"},
        {"\\\\serveur\\partage\\Orv\\", "\\\\serveur\\partage\\Orv"},
        {"//serveur/partage", "\\\\serveur\\partage"},
        {"\\\\\\serveur", "\\\\serveur"},
        {"\\Orv\\", "\\Orv"},
        {"\\", ""},
        {"/", ""},
        {"\\\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("recorded \"") + c.recorded + "\"");
        EXPECT_EQ(std::string(c.normal), static_cast<const char*>(NormalFolderPath(c.recorded)));
    }
    EXPECT_EQ(std::string(), static_cast<const char*>(NormalFolderPath(nullptr)));
}

TEST(FindUnrepresentableFiles, ListsOnlyNamesTheCodePageCannotHold)
{
    TempDir dir("wide");
    const std::wstring base(dir.path().begin(), dir.path().end());   // the temp path is ASCII
    const std::wstring greek = L"\u03A3\u03C7\u03BF\u03BB\u03AE";
    const std::wstring japanese = L"\u5B66\u6821";
    struct Entry {
        std::wstring name;
        bool directory;
        bool listed;
    };
    const Entry entries[] = {
        {L"Tolvane.ini", false, false},                 // the ANSI search finds it
        {L"Caf\u00E9.ini", false, false},               // Windows-1252 holds it
        {greek + L".ini", false, true},
        {L"Logiciel " + japanese + L".ini", false, true},
        {greek + L".log", false, false},                // another extension
        {japanese + L".ini", true, false},              // a directory
    };
    for (const Entry& e : entries) {
        const std::wstring path = base + L"\\" + e.name;
        if (e.directory) {
            ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
        } else {
            const CKernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
            ASSERT_TRUE(file.IsValid());
        }
    }

    std::vector<std::wstring> found{L"kept"};
    ASSERT_TRUE(FindUnrepresentableFiles(dir.path().c_str(), found, "ini"));
    std::set<std::wstring> expected{L"kept"};
    for (const Entry& e : entries)
        if (e.listed)
            expected.insert(base + L"\\" + e.name);
    EXPECT_TRUE(std::set<std::wstring>(found.begin(), found.end()) == expected && found.size() == expected.size())
        << found.size() << " entries, " << expected.size() << " expected";

    // The wide existence test shares reading only, as the ANSI one does.
    const std::wstring log = base + L"\\" + greek + L".log";
    EXPECT_TRUE(FileExists(log));
    CKernelHandle writer(::CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer.IsValid());
    EXPECT_FALSE(FileExists(log)) << "a log being written counts as missing";
    writer.Close();

    std::vector<std::wstring> none{L"kept"};
    EXPECT_FALSE(FindUnrepresentableFiles("", none, "ini"));
    EXPECT_FALSE(FindUnrepresentableFiles((dir / "missing").c_str(), none, "ini"));
    EXPECT_EQ(1u, none.size());

    // Shown with '?' where the code page has no exact character, never a look-alike
    // (the system's own conversion turns a capital sigma into "S").
    const struct {
        std::wstring name;
        const char* shown;
    } names[] = {
        {greek, "?????"},
        {L"Logiciel " + japanese, "Logiciel ??"},
        {L"Caf\u00E9 \u03A3", "Caf\xE9 ?"},
    };
    for (const auto& n : names)
        EXPECT_EQ(std::string(n.shown), static_cast<const char*>(AnsiShownName(n.name)));
}
