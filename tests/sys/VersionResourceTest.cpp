// CVersionResource on stamped copies of the stub program.

#include "VersionResource.h"
#include "TempDir.h"
#include "VersionStamp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD kSentinel = 0xdeadbeef;

std::string Str(const CString& text)
{
    return static_cast<const char*>(text);
}

DWORD VersionNumber(const CVersionResource& version)
{
    DWORD number = kSentinel;
    version.GetFileVersionNumber(number);
    return number;
}

} // namespace

TEST(VersionResource, FileVersionStringsReadAsNumbers)
{
    struct Case {
        const char* fileVersion;
        DWORD expected;
    };
    const Case cases[] = {
        {"1, 2, 5, 0", 1250}, {"1, 0, 2, 3", 1023}, {"1,2,9,9", 1299},   {"", 0},
        {"12 ab", 12},        {"1.3.0.0", 1},       {"-5", 0xfffffffb},  {"\t 7, 1", 71},
        {"version 2", 0},
        // The resource holds UTF-16: the ANSI query hands back the code page's bytes.
        {"\xC9t\xE9 1, 2", 0},
    };
    TempDir dir("ver");
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("FileVersion \"") + c.fileVersion + "\"");
        const std::string exe = dir / ("stamped" + std::to_string(++n) + ".exe");
        ASSERT_TRUE(StampVersion(exe, c.fileVersion));
        CVersionResource version;
        ASSERT_TRUE(version.Load(exe.c_str()));
        EXPECT_EQ(0x040c04e4u, version.GetTranslation());
        EXPECT_EQ(c.fileVersion, Str(version.QueryString("FileVersion")));
        EXPECT_EQ(c.expected, VersionNumber(version));
    }
}

TEST(VersionResource, WithoutAFileVersionTheNumberIsZero)
{
    TempDir dir("ver");
    ASSERT_TRUE(CopyStub(dir / "plain.exe"));
    ASSERT_TRUE(WriteFileBytes(dir / "text.exe", "not a program"));
    for (const std::string& path : {dir / "missing.exe", dir / "plain.exe", dir / "text.exe", dir.path()}) {
        SCOPED_TRACE(path);
        CVersionResource version;
        EXPECT_FALSE(version.Load(path.c_str()));
        EXPECT_EQ(0u, version.GetTranslation());
        EXPECT_EQ("", Str(version.QueryString("FileVersion")));
        EXPECT_EQ(0u, VersionNumber(version));
    }

    ASSERT_TRUE(StampVersion(dir / "noversion.exe", nullptr));
    CVersionResource version;
    ASSERT_TRUE(version.Load((dir / "noversion.exe").c_str()));
    EXPECT_EQ("Stub", Str(version.QueryString("ProductName"))) << "the table itself is readable";
    EXPECT_EQ(0u, VersionNumber(version));
}

TEST(VersionResource, QueriesFollowTheFirstTranslationOfTheLoadedFile)
{
    TempDir dir("ver");
    ASSERT_TRUE(StampVersion(dir / "fr.exe", "1, 2, 0, 0"));
    ASSERT_TRUE(StampVersion(dir / "us.exe", "1, 1, 0, 0", 0x0409, 1200));
    CVersionResource version;
    ASSERT_TRUE(version.Load((dir / "fr.exe").c_str()));
    version.Reset();
    EXPECT_EQ(0u, version.GetTranslation());
    EXPECT_EQ("", Str(version.QueryString("FileVersion")));

    ASSERT_TRUE(version.Load((dir / "us.exe").c_str()));
    EXPECT_EQ(0x040904b0u, version.GetTranslation());
    EXPECT_EQ(1100u, VersionNumber(version));
    EXPECT_EQ("", Str(version.QueryString("FileVersion", 0x040c04e4))) << "no table for that translation";
    // The reader owns its copy of the block: the file may go while it is loaded.
    ASSERT_TRUE(::DeleteFileA((dir / "us.exe").c_str()));
    EXPECT_EQ("1, 1, 0, 0", Str(version.QueryString("FileVersion", 0x040904b0)));
}
