// CRegistryKey against the real registry, in scratch keys below
// HKEY_CURRENT_USER\Software\MiseAJourTests.

#include "RegistryKey.h"
#include "RegistryScratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ScratchPath(const char* tag)
{
    return std::string("Software\\MiseAJourTests\\sys-registry-") + tag;
}

std::string Str(const CString& text)
{
    return static_cast<const char*>(text);
}

// The text with its terminating zero, as a REG_SZ is normally stored.
std::string Terminated(const char* text)
{
    return std::string(text, std::strlen(text) + 1);
}

} // namespace

TEST(RegistryKey, OpeningCreatesAMissingKeyAndAFailedOpenAnswersQuietly)
{
    RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("open"));
    ASSERT_FALSE(scratch.KeyExists());
    {
        CRegistryKey key(HKEY_CURRENT_USER, scratch.path().c_str(), KEY_READ);
        EXPECT_TRUE(key.IsOpen());
    }
    EXPECT_TRUE(scratch.KeyExists()) << "RegCreateKeyExA creates the key it opens";

    // No key behind that handle: the open fails and every query answers quietly.
    CRegistryKey broken(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), "Software", CRegistryKey::modeRead);
    EXPECT_FALSE(broken.IsOpen());
    EXPECT_EQ("", Str(broken.GetPath()) + Str(broken.GetBasePath()));
    EXPECT_FALSE(broken.SubKeyExists("Microsoft"));
    EXPECT_EQ(0, broken.GetFirstValuePosition());
    CString value("sentinel");
    broken.ReadString("", value);
    EXPECT_EQ("sentinel", Str(value));
}

TEST(RegistryKey, EnumerationReturnsEveryValueInIndexOrder)
{
    // Names that grow from index to index make the probe of the next index answer
    // ERROR_MORE_DATA, which must not end the enumeration; so does the default value,
    // whose empty name leaves the probe a size of 0. Insertion order is also name
    // order here, so Windows and Wine number the values alike.
    const std::vector<std::vector<std::string>> variants = {
        {"a", "bb", "ccc"},
        {"", "a", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"},
        {"ab", "cd", "ef"},
        {"seul"},
        {},  // a key with a subkey but no values
    };
    for (const std::vector<std::string>& names : variants) {
        std::string label = "values";
        for (const std::string& name : names)
            label += " [" + name + "]";
        SCOPED_TRACE(label);
        RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("enum"));
        scratch.SetString("child", "not a value of the key", "x");
        for (const std::string& name : names)
            scratch.SetString("", name, "C:\\Dossier");

        CRegistryKey key(HKEY_CURRENT_USER, scratch.path().c_str(), CRegistryKey::modeRead);
        std::vector<std::string> got;
        std::vector<int> positions;
        for (int position = key.GetFirstValuePosition(); got.size() < 10;) {
            positions.push_back(position);
            if (position == 0)
                break;
            got.push_back(Str(key.GetNextValueName(position)));
        }
        EXPECT_EQ(names, got);
        std::vector<int> expectedPositions;
        for (size_t i = 1; i <= names.size(); ++i)
            expectedPositions.push_back(static_cast<int>(i));
        expectedPositions.push_back(0);
        EXPECT_EQ(expectedPositions, positions);
    }
}

TEST(RegistryKey, EnumerationReadsIndexesLive)
{
    RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("live"));
    scratch.SetString("", "a", "1");
    CRegistryKey key(HKEY_CURRENT_USER, scratch.path().c_str(), CRegistryKey::modeRead);
    int position = key.GetFirstValuePosition();
    // Added once the enumeration has started, with a name longer than any known then.
    scratch.SetString("", "b-added-while-enumerating", "2");
    std::string names = Str(key.GetNextValueName(position));
    EXPECT_EQ(2, position);
    names += "|" + Str(key.GetNextValueName(position));
    EXPECT_EQ("a|b-added-while-enumerating", names);
    EXPECT_EQ(0, position);
}

TEST(RegistryKey, EnumerationEndsWhenTheKeyIsDeletedMeanwhile)
{
    RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("deleted"));
    scratch.SetString("", "a", "1");
    scratch.SetString("", "b", "2");
    scratch.SetString("", "c", "3");
    CRegistryKey key(HKEY_CURRENT_USER, scratch.path().c_str(), CRegistryKey::modeRead);
    int position = key.GetFirstValuePosition();
    ASSERT_EQ(1, position);
    DeleteRegistryTree(HKEY_CURRENT_USER, scratch.path());
    int calls = 0;
    while (position != 0 && calls < 10) {
        key.GetNextValueName(position);
        ++calls;
    }
    EXPECT_EQ(0, position) << "still enumerating after " << calls << " calls";
}

TEST(RegistryKey, ReadStringTakesOnlyRegSzData)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;  // stored as they are
        const char* expected;
    };
    const Case cases[] = {
        {"REG_SZ", REG_SZ, Terminated("C:\\Programmes\\Orvandel"), "C:\\Programmes\\Orvandel"},
        {"REG_SZ accented", REG_SZ, Terminated("D:\\\xC9""cole\\\xE9t\xE9"), "D:\\\xC9""cole\\\xE9t\xE9"},
        {"REG_SZ of size 0", REG_SZ, "", ""},
        {"REG_SZ without terminator", REG_SZ, "abc", "abc"},
        {"REG_SZ with an inner zero", REG_SZ, std::string("ab\0cd\0", 6), "ab"},
        {"REG_DWORD", REG_DWORD, std::string("\x2a\0\0\0", 4), "sentinel"},
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, Terminated("%TEMP%"), "sentinel"},
        {"REG_MULTI_SZ", REG_MULTI_SZ, std::string("a\0b\0\0", 5), "sentinel"},
        {"REG_BINARY", REG_BINARY, "xyz", "sentinel"},
    };
    RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("read"));
    for (const Case& c : cases)
        scratch.SetRaw("", c.name, c.type, c.bytes);
    CRegistryKey key(HKEY_CURRENT_USER, scratch.path().c_str(), CRegistryKey::modeRead);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString value("sentinel");
        key.ReadString(c.name, value);
        EXPECT_EQ(c.expected, Str(value));
    }
    CString value("sentinel");
    key.ReadString("missing value", value);
    EXPECT_EQ("sentinel", Str(value)) << "missing value";
}

TEST(RegistryKey, SubKeysAccumulateBelowTheBasePath)
{
    RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("subkeys"));
    scratch.SetString("Orvandel\\Sciences", "Dossier", "C:\\Orvandel");
    const std::string base = scratch.path();

    CRegistryKey key(HKEY_CURRENT_USER, base.c_str(), KEY_READ);
    EXPECT_TRUE(key.SubKeyExists("Orvandel"));
    EXPECT_FALSE(key.SubKeyExists("Sciences")) << "only direct subkeys of the open key";
    EXPECT_FALSE(key.SubKeyExists("Absent"));
    EXPECT_FALSE(scratch.KeyExists("Absent")) << "SubKeyExists must never create";

    key.OpenSubKey("Orvandel");
    EXPECT_TRUE(key.SubKeyExists("Sciences")) << "relative to the subkey now";
    key.OpenSubKey("Sciences");
    EXPECT_EQ(base + "\\Orvandel\\Sciences", Str(key.GetPath()));
    EXPECT_EQ(base, Str(key.GetBasePath()));
    CString folder;
    key.ReadString("Dossier", folder);
    EXPECT_EQ("C:\\Orvandel", Str(folder));

    // Key names hold at most 255 characters: this reopening fails.
    key.OpenSubKey(std::string(300, 'k').c_str());
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(nullptr, key.GetRoot());
    EXPECT_EQ("", Str(key.GetPath()));
    EXPECT_EQ(base, Str(key.GetBasePath())) << "only the base path survives";
}

TEST(RegistryKey, NamesTheCodePageCannotHoldAreReadByTheirIndex)
{
    // Values written through the wide calls. The ANSI enumeration gives the Greek and
    // Japanese names with '?' or look-alikes, and no value answers to that name.
    struct Case {
        const wchar_t* name;
        DWORD type;
        std::wstring data;
        const char* expected;   // by index; "sentinel" when left unchanged
    };
    const Case cases[] = {
        {L"Install 01", REG_SZ, L"C:\\Ordinaire", "C:\\Ordinaire"},
        {L"Install \u03A3\u03C7\u03BF\u03BB\u03AE", REG_SZ, L"C:\\Grec", "C:\\Grec"},
        {L"Install \u5B66\u6821", REG_SZ, L"C:\\Japon", "C:\\Japon"},
        {L"Install \u5B66\u6821 \u03A3", REG_EXPAND_SZ, L"%TEMP%", "sentinel"},
    };
    RegistryScratch scratch(HKEY_CURRENT_USER, ScratchPath("wide"));
    scratch.CreateKey();
    HKEY raw = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, scratch.path().c_str(), 0, KEY_SET_VALUE, &raw));
    for (const Case& c : cases)
        ::RegSetValueExW(raw, c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.data.c_str()),
                         static_cast<DWORD>((c.data.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(raw);

    CRegistryKey key(HKEY_CURRENT_USER, scratch.path().c_str(), CRegistryKey::modeRead);
    std::vector<std::string> byName;
    std::vector<std::string> byIndex;
    for (int position = key.GetFirstValuePosition(); position != 0;) {
        const int at = position;
        const CString name = key.GetNextValueName(position);
        CString value("sentinel");
        key.ReadString(name, value);
        byName.push_back(Str(value));
        value = "sentinel";
        key.ReadStringAt(at, value);
        byIndex.push_back(Str(value));
    }
    // Insertion order is name order here, so Windows and Wine number the values alike.
    ASSERT_EQ(4u, byIndex.size());
    EXPECT_EQ((std::vector<std::string>{"C:\\Ordinaire", "sentinel", "sentinel", "sentinel"}), byName)
        << "the ANSI name of a Greek or Japanese value reaches nothing";
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(cases[i].expected, byIndex[i]) << "position " << i + 1;

    // Positions that name no value leave the output as it was.
    for (int position : {0, -1, 5, 99}) {
        CString value("sentinel");
        key.ReadStringAt(position, value);
        EXPECT_EQ("sentinel", Str(value)) << "position " << position;
    }
}
