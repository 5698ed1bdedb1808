// The catalogue against a real registry and real folders in the test prefix.

#include "InstallCatalog.h"
#include "CKernelHandle.h"
#include "RegistryScratch.h"
#include "TempDir.h"
#include "VersionStamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kSuiteKey[] = "Software\\Rurodovoz Velmor\\Install\\Orvandel";
const char kInstallKey[] = "Software\\Rurodovoz Velmor\\Install";

std::vector<std::string> ToVector(const CStringArray& array)
{
    std::vector<std::string> out;
    for (int i = 0; i < array.GetSize(); ++i)
        out.push_back(static_cast<const char*>(array.GetAt(i)));
    return out;
}

// The value names of the suite key in the registry's own enumeration order.
std::vector<std::string> ValueOrder()
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSuiteKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (::RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    ::RegCloseKey(key);
    return names;
}

class CatalogTest : public ::testing::Test {
protected:
    RegistryScratch suite{HKEY_LOCAL_MACHINE, kSuiteKey};
    TempDir root{"cat"};

    // A folder holding "Kerbanista.exe" stamped with `version` ("missing": no file,
    // "no-resource": no version resource, "no-string": no FileVersion string).
    std::string Installation(const std::string& name, const char* version)
    {
        const std::string folder = root / name;
        EXPECT_TRUE(MakeFolders(folder)) << folder;
        const std::string exe = folder + "\\Kerbanista.exe";
        const std::string kind = version ? version : "";
        if (kind == "missing")
            return folder;
        if (kind == "no-resource")
            EXPECT_TRUE(CopyStub(exe));
        else
            EXPECT_TRUE(StampVersion(exe, kind == "no-string" ? nullptr : version)) << exe;
        return folder;
    }
};

TEST_F(CatalogTest, MissingSuiteKeyLeavesTheCallersArrayAndCreatesTheInstallKey)
{
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kInstallKey);
    CStringArray folders;
    folders.Add("sentinel");
    EXPECT_FALSE(theCatalog.FindInstallFolders(folders));
    EXPECT_EQ(std::vector<std::string>{"sentinel"}, ToVector(folders));
    EXPECT_EQ(0, theCatalog.GetSize());

    // The install key is opened by creating it.
    RegistryScratch install(HKEY_LOCAL_MACHINE, kInstallKey);
    EXPECT_FALSE(install.KeyExists());
    EXPECT_FALSE(theCatalog.FindInstallFolders(folders));
    EXPECT_TRUE(install.KeyExists());
    EXPECT_FALSE(suite.KeyExists());
}

TEST_F(CatalogTest, EmptySuiteKeyGivesTrueAndAnEmptyList)
{
    suite.CreateKey();
    CStringArray folders;
    folders.Add("sentinel");
    EXPECT_TRUE(theCatalog.FindInstallFolders(folders));
    EXPECT_EQ(0, folders.GetSize());
}

TEST_F(CatalogTest, KeepsTheFoldersBelowVersionOnePointThree)
{
    struct Case { const char* name; const char* version; bool listed; };
    const Case cases[] = {
        {"v1299", "1, 2, 9, 9", true},
        {"v1300", "1, 3, 0, 0", false},
        {"v1310", "1, 3, 1, 0", false},
        {"dotted", "1.3.0.0", true},          // the dot ends the digits: 1
        {"letters", "12 ab", true},           // 12
        {"empty", "", true},
        {"negative", "-5", false},            // a huge unsigned number
        {"missing", "missing", true},
        {"no-resource", "no-resource", true},
        {"no-string", "no-string", true},
    };
    for (const Case& c : cases)
        suite.SetString("", c.name, Installation(c.name, c.version));

    CStringArray folders;
    ASSERT_TRUE(theCatalog.FindInstallFolders(folders));

    std::vector<std::string> expected;
    for (const std::string& name : ValueOrder())
        for (const Case& c : cases)
            if (name == c.name && c.listed)
                expected.push_back(root / c.name);
    EXPECT_EQ(expected, ToVector(folders));
    EXPECT_EQ(expected, ToVector(theCatalog));
}

TEST_F(CatalogTest, NonStringValuesNameNoFolderAndDuplicatesStay)
{
    const std::string a = Installation("A", "1, 2, 0, 0");
    const std::string b = Installation("B", "1, 2, 0, 0");
    suite.SetString("", "first", a);
    suite.SetDword("", "number", 7);
    suite.SetString("", "again", a);
    suite.SetRaw("", "expand", REG_EXPAND_SZ, b + std::string(1, '\0'));
    suite.SetString("", "empty", "");
    suite.SetString("", "second", b);

    CStringArray folders;
    ASSERT_TRUE(theCatalog.FindInstallFolders(folders));
    std::vector<std::string> expected;
    for (const std::string& name : ValueOrder()) {
        if (name == "first" || name == "again")
            expected.push_back(a);
        if (name == "second")
            expected.push_back(b);
    }
    EXPECT_EQ(expected, ToVector(folders));
}

TEST_F(CatalogTest, ValueNamesGrowingLongerAreAllVisited)
{
    const std::string a = Installation("A", "1, 0, 0, 0");
    suite.SetString("", "x", a);
    suite.SetString("", std::string(40, 'y'), a);
    suite.SetString("", std::string(200, 'z'), a);
    CStringArray folders;
    ASSERT_TRUE(theCatalog.FindInstallFolders(folders));
    EXPECT_EQ(3, folders.GetSize());
}

class ApplicationsTest : public ::testing::Test {
protected:
    TempDir folder{"apps"};
    void Touch(const std::string& name) { ASSERT_TRUE(WriteFileBytes(folder / name, "x")) << name; }
};

TEST_F(ApplicationsTest, PairsOfIniAndLogAreApplications)
{
    Touch("Pavane 5.ini");
    Touch("Pavane 5.log");
    Touch("Tolvane.ini");                 // no log: not installed
    Touch("Marbelo.log");                 // no ini
    Touch("Quintar.INI");                 // the extension test is case-sensitive
    Touch("Quintar.log");
    Touch("Dravelon.mini");               // "ini" is found inside ".mini"...
    Touch("Dravelon.mlog");               // ...its log replaces three characters, the name drops four
    ASSERT_TRUE(MakeFolders(folder / "sous-dossier"));
    ASSERT_TRUE(WriteFileBytes(folder / "sous-dossier\\Brisole.ini", "x"));
    ASSERT_TRUE(WriteFileBytes(folder / "sous-dossier\\Brisole.log", "x"));

    CStringArray applications;
    applications.Add("d\xE9j\xE0 l\xE0");
    EXPECT_TRUE(theCatalog.FindApplications(folder.path().c_str(), applications));
    std::vector<std::string> names = ToVector(applications);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ("d\xE9j\xE0 l\xE0", names.front());   // appended, not replaced
    names.erase(names.begin());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Dravelon.", "Pavane 5"}), names);
}

TEST_F(ApplicationsTest, ALogHeldOpenForWritingCountsAsMissing)
{
    Touch("Zephalin.ini");
    Touch("Zephalin.log");
    CKernelHandle writer(::CreateFileA((folder / "Zephalin.log").c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.IsValid());
    CStringArray applications;
    EXPECT_TRUE(theCatalog.FindApplications(folder.path().c_str(), applications));
    writer.Close();
    EXPECT_EQ(0, applications.GetSize());

    EXPECT_TRUE(theCatalog.FindApplications(folder.path().c_str(), applications));
    EXPECT_EQ(std::vector<std::string>{"Zephalin"}, ToVector(applications));
}

TEST_F(ApplicationsTest, FoldersThatCannotBeListedGiveNothing)
{
    for (const std::string& path : {std::string(), folder / "absent", folder / "file.ini"}) {
        SCOPED_TRACE(path);
        if (path.find("file.ini") != std::string::npos)
            Touch("file.ini");
        CStringArray applications;
        EXPECT_TRUE(theCatalog.FindApplications(path.c_str(), applications));
        EXPECT_EQ(0, applications.GetSize());
    }
    // The catalogue's own list is not touched by application searches.
    CStringArray applications;
    const int before = theCatalog.GetSize();
    theCatalog.FindApplications(folder.path().c_str(), applications);
    EXPECT_EQ(before, theCatalog.GetSize());
}

} // namespace
