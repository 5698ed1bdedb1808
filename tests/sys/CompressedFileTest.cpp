// FoldAccents, ExpandCompressedFile and ReadCompressedSize, with a compressed copy of
// the stub program made at build time (SZDD_FIXTURE_PATH, from SZDD_ORIGINAL_PATH).

#include "CompressedFile.h"
#include "CKernelHandle.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

const long kSentinel = 0x7eadbeef;
const DWORD kSizeSentinel = 0xdeadbeef;

// The build writes its files on the Unix side, which Wine shows as drive Z:.
std::string FromBuild(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return "Z:" + path;
}

const std::string& Original()
{
    static const std::string bytes = ReadFileBytes(FromBuild(SZDD_ORIGINAL_PATH));
    return bytes;
}

const std::string& Compressed()
{
    static const std::string bytes = ReadFileBytes(FromBuild(SZDD_FIXTURE_PATH));
    return bytes;
}

long OriginalSize()
{
    return static_cast<long>(Original().size());
}

class CompressedFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(Original().size(), 1000u) << SZDD_ORIGINAL_PATH;
        ASSERT_EQ("SZDD", Compressed().substr(0, 4)) << SZDD_FIXTURE_PATH;
    }
};

} // namespace

TEST(FoldAccents, ReplacesTheSevenLowerCaseAccentsOnly)
{
    struct Case {
        std::string name;
        bool folds;
        std::string expected;
    };
    const std::string long259 = std::string(258, 'x') + "\xE9";
    const Case cases[] = {
        {"\xE9\xE8\xEA\xE0\xEF\xEE\xF9.exe", true, "eeeaiiu.exe"},
        {"\xE9l\xE8ve \xE9t\xE9.exe", true, "eleve ete.exe"},
        {"\xC9""cole \xC0 \xE7\xE2\xF4\xEB.exe", true, "\xC9""cole \xC0 \xE7\xE2\xF4\xEB.exe"},
        {"", true, ""},
        {long259, true, std::string(258, 'x') + "e"},
        {long259 + "x", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("name of " + std::to_string(c.name.size()) + " characters \"" + c.name + "\"");
        const char* folded = FoldAccents(c.name.c_str());
        EXPECT_EQ(c.folds, folded != nullptr);
        if (c.folds && folded) {
            EXPECT_EQ(c.expected, folded);
        }
    }
    EXPECT_STREQ("xycxy", FoldAccents("abcab", "ab", "xy")) << "a table of one's own";
}

TEST_F(CompressedFile, TheCompressedFormIsExpandedInPlace)
{
    TempDir dir("lz");
    ASSERT_TRUE(WriteFileBytes(dir / "_install.ex_", Compressed()));
    long copied = kSentinel;
    ASSERT_TRUE(ExpandCompressedFile(dir.path().c_str(), dir.path().c_str(), "_install.exe", copied));
    EXPECT_EQ(OriginalSize(), copied);
    EXPECT_TRUE(ReadFileBytes(dir / "_install.exe") == Original()) << "expanded bytes differ from the original";
    EXPECT_TRUE(ReadFileBytes(dir / "_install.ex_") == Compressed()) << "the compressed file must stay";

    // Names are looked up and written folded; a capital keeps its accent.
    ASSERT_TRUE(WriteFileBytes(dir / "eleve ete.ex_", Compressed()));
    ASSERT_TRUE(WriteFileBytes(dir / "\xC9""cole.ex_", Compressed()));
    for (const char* name : {"\xE9l\xE8ve \xE9t\xE9.exe", "\xC9""cole.exe"}) {
        SCOPED_TRACE(name);
        copied = kSentinel;
        ASSERT_TRUE(ExpandCompressedFile(dir.path().c_str(), dir.path().c_str(), name, copied));
        EXPECT_EQ(OriginalSize(), copied);
    }
    EXPECT_TRUE(PathExists(dir / "eleve ete.exe"));
    EXPECT_FALSE(PathExists(dir / "\xE9l\xE8ve \xE9t\xE9.exe"));
    EXPECT_TRUE(PathExists(dir / "\xC9""cole.exe"));
}

TEST_F(CompressedFile, APlainSourceIsCopiedUnchangedAndPreferred)
{
    const std::string plain = "MZ pas compress\xE9\r\n" + std::string(5000, 'z');
    TempDir source("lz-src");
    TempDir target("lz-dst");
    ASSERT_TRUE(WriteFileBytes(source / "_install.exe", plain));
    ASSERT_TRUE(WriteFileBytes(source / "_install.ex_", Compressed()));
    long copied = kSentinel;
    ASSERT_TRUE(ExpandCompressedFile(source.path().c_str(), target.path().c_str(), "_install.exe", copied));
    EXPECT_EQ(static_cast<long>(plain.size()), copied);
    EXPECT_TRUE(ReadFileBytes(target / "_install.exe") == plain) << "copied bytes differ";
}

TEST_F(CompressedFile, FailuresCreateNothingAndReleaseTheSource)
{
    struct Case {
        const char* label;
        const char* sourceFile;  // what the source folder holds
        bool targetFolderMissing;
        bool heldTarget;         // an "_install.exe" in the target folder, held open
        size_t targetPathLength; // 0: as made; otherwise the target folder is this long
    };
    const Case cases[] = {
        {"neither form present", "autre.ex_", false, false, 0},
        {"target folder missing", "_install.ex_", true, false, 0},
        // A retry of the create under the compressed name would truncate the source.
        {"in place, earlier installer held open", "_install.ex_", false, true, 0},
        {"target path of 260 characters", "_install.ex_", false, false, 260},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir source("lz-src");
        TempDir other("lz-dst");
        ASSERT_TRUE(WriteFileBytes(source / c.sourceFile, Compressed()));
        std::string targetFolder = c.heldTarget ? source.path() : other.path();
        if (c.targetFolderMissing)
            targetFolder = other / "absent";
        if (c.targetPathLength) {
            const size_t length = c.targetPathLength - std::string("\\_install.exe").size();
            targetFolder = other / std::string(length - other.path().size() - 1, 'p');
            ASSERT_TRUE(MakeFolders(targetFolder));
        }
        CKernelHandle held;
        if (c.heldTarget) {
            ASSERT_TRUE(WriteFileBytes(targetFolder + "\\_install.exe", "ancien"));
            held.Attach(::CreateFileA((targetFolder + "\\_install.exe").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.IsValid());
        }
        long copied = kSentinel;
        EXPECT_FALSE(ExpandCompressedFile(source.path().c_str(), targetFolder.c_str(), "_install.exe", copied));
        EXPECT_EQ(kSentinel, copied);
        if (c.heldTarget) {
            held.Close();
            EXPECT_TRUE(ReadFileBytes(targetFolder + "\\_install.exe") == "ancien") << "the held target changed";
        } else {
            EXPECT_FALSE(PathExists(targetFolder + "\\_install.exe"));
            EXPECT_FALSE(PathExists(targetFolder + "\\_install.ex_"));
        }
        EXPECT_TRUE(ReadFileBytes(source / c.sourceFile) == Compressed()) << "the source changed";
        // lz32 opens without sharing deletion: this fails while a handle is left open.
        EXPECT_TRUE(::DeleteFileA((source / c.sourceFile).c_str())) << "error " << ::GetLastError();
    }

}

TEST_F(CompressedFile, LongFoldersBeyondOpenFilesLimitStillExpand)
{
    // lz32 opens through OpenFile, which takes at most 127 characters; longer paths go
    // through their 8.3 form.
    for (size_t length : {127u, 128u, 200u, 259u}) {
        SCOPED_TRACE(length);
        TempDir dir("lz");
        std::string folder = dir.path();
        const size_t wanted = length - std::string("\\_install.exe").size();
        while (folder.size() < wanted) {
            const size_t gap = wanted - folder.size();
            if (gap == 1) {
                folder += 'd';   // lengthen the last name rather than add an empty one
                break;
            }
            size_t step = std::min<size_t>(40, gap - 1);
            if (gap - 1 - step == 1)
                --step;
            folder += "\\" + std::string(step, 'd');
        }
        ASSERT_EQ(wanted, folder.size());
        ASSERT_TRUE(MakeFolders(folder));
        ASSERT_TRUE(WriteFileBytes(folder + "\\_install.ex_", Compressed()));
        long copied = kSentinel;
        EXPECT_TRUE(ExpandCompressedFile(folder.c_str(), folder.c_str(), "_install.exe", copied));
        EXPECT_EQ(OriginalSize(), copied);
        EXPECT_TRUE(ReadFileBytes(folder + "\\_install.exe") == Original());
    }
}

TEST_F(CompressedFile, TruncatedDataGivesACountBelowTheHeaderSize)
{
    // Wine's LZCopy answers a short count rather than an LZERROR_ code here, so a
    // caller compares the count with the size the header announces.
    DWORD announced = kSizeSentinel;
    ASSERT_TRUE(ReadCompressedSize(FromBuild(SZDD_FIXTURE_PATH).c_str(), announced));
    ASSERT_EQ(Original().size(), announced);
    for (size_t keep : {size_t(14), size_t(1000), Compressed().size() / 2}) {
        SCOPED_TRACE("first " + std::to_string(keep) + " bytes kept");
        TempDir dir("lz");
        ASSERT_TRUE(WriteFileBytes(dir / "_install.ex_", Compressed().substr(0, keep)));
        long copied = kSentinel;
        ASSERT_TRUE(ExpandCompressedFile(dir.path().c_str(), dir.path().c_str(), "_install.exe", copied))
            << "both files opened: the copy was attempted";
        EXPECT_LT(copied, static_cast<long>(announced));
        DWORD size = kSizeSentinel;
        EXPECT_TRUE(ReadCompressedSize((dir / "_install.ex_").c_str(), size));
        EXPECT_EQ(announced, size);
    }
}

TEST(ReadCompressedSize, ReadsTheSizeOnlyBehindTheMagic)
{
    TempDir dir("lzhdr");
    const std::string header("SZDD\x88\xF0\x27\x33" "Ae\x78\x56\x34\x12", 14);
    struct Case {
        const char* label;
        std::string bytes;
        bool expected;
    };
    const Case cases[] = {
        {"header alone", header, true},
        {"header and data", header + std::string("\xFF\0\x01", 3), true},
        {"other mode byte", std::string(header).replace(8, 1, "B"), true},
        {"13 bytes", header.substr(0, 13), false},
        {"bad magic", std::string(header).replace(4, 1, "\x89"), false},
        {"plain file", "MZ" + std::string(100, '\0'), false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string path = dir / ("f" + std::to_string(++n) + ".ex_");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        DWORD size = kSizeSentinel;
        EXPECT_EQ(c.expected, ReadCompressedSize(path.c_str(), size));
        EXPECT_EQ(c.expected ? 0x12345678 : kSizeSentinel, size);
    }
    DWORD size = kSizeSentinel;
    EXPECT_FALSE(ReadCompressedSize((dir / "missing.ex_").c_str(), size));
    EXPECT_EQ(kSizeSentinel, size);
}
