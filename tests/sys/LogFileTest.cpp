// CLogFile on real files: the bytes it leaves, rotation at open, sharing, and the
// failures that must leave it closed without stopping anything.

#include "LogFile.h"
#include "CKernelHandle.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

const std::string kMark = "\xEF\xBB\xBF";

std::string LocalStamp()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return stamp;
}

// True when `text` is "YYYY-MM-DD HH:MM:SS" digit for digit.
bool IsStamp(const std::string& text)
{
    const std::string shape = "0000-00-00 00:00:00";
    for (size_t i = 0; i < shape.size(); ++i) {
        if (i >= text.size() || (shape[i] == '0' ? !isdigit(static_cast<unsigned char>(text[i])) : text[i] != shape[i]))
            return false;
    }
    return text.size() == shape.size();
}

} // namespace

TEST(LogFile, WritesUtf8LinesWithMarkStampAndCrLf)
{
    TempDir dir("log");
    const std::string path = dir / "MiseAJour.log";
    const std::string before = LocalStamp();
    {
        CLogFile log;
        ASSERT_TRUE(log.Open(path.c_str())) << log.LastError();
        EXPECT_EQ(path, static_cast<const char*>(log.Path()));
        log.WriteLine("Dossier « C:\\Orvandel\\Collège » : Été");   // Windows-1252 bytes
        log.WriteLine("une\r\nligne\n");
    }
    {
        CLogFile again;   // appending to a file that has its mark already
        ASSERT_TRUE(again.Open(path.c_str()));
        again.WriteLine("");
    }
    const std::string after = LocalStamp();

    const std::string bytes = ReadFileBytes(path);
    const std::string expected[] = {
        " Dossier \xC2\xAB C:\\Orvandel\\Coll\xC3\xA8ge \xC2\xBB : \xC3\x89t\xC3\xA9\r\n",
        " une  ligne \r\n",
        " \r\n",
    };
    ASSERT_EQ(kMark, bytes.substr(0, 3));
    size_t at = 3;
    for (const std::string& rest : expected) {
        SCOPED_TRACE(rest);
        const std::string stamp = bytes.substr(at, 19);
        EXPECT_TRUE(IsStamp(stamp)) << stamp;
        EXPECT_LE(before, stamp);
        EXPECT_GE(after, stamp);
        EXPECT_EQ(rest, bytes.substr(at + 19, rest.size()));
        at += 19 + rest.size();
    }
    EXPECT_EQ(bytes.size(), at) << "nothing else, and one mark only";
}

TEST(LogFile, RotatesPastTheLimitAtOpenKeepingOneGeneration)
{
    struct Case {
        const char* label;
        size_t size;          // of the log before the run
        bool olderOld;        // a .old from an earlier rotation lies beside it
        bool rotated;
        bool heldByARun = false;  // another run still has it open
    };
    const Case cases[] = {
        {"at the limit", CLogFile::kRotateBytes, true, false},
        {"one byte past it", CLogFile::kRotateBytes + 1, false, true},
        {"past it, replacing an older .old", CLogFile::kRotateBytes + 4096, true, true},
        {"small", 10, true, false},
        {"past it, but a run still writes it", CLogFile::kRotateBytes + 1, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir("logrot");
        const std::string path = dir / "run.log";
        const std::string previous = kMark + std::string(c.size - 3, 'x');
        ASSERT_TRUE(WriteFileBytes(path, previous));
        if (c.olderOld) {
            ASSERT_TRUE(WriteFileBytes(path + ".old", "older"));
        }
        // The run under way holds it as CLogFile does, sharing everything.
        CKernelHandle running(c.heldByARun
                                  ? ::CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                  : INVALID_HANDLE_VALUE);
        {
            CLogFile log;
            ASSERT_TRUE(log.Open(path.c_str()));
            log.WriteLine("start");
        }
        running.Close();
        const std::string now = ReadFileBytes(path);
        const std::string old = ReadFileBytes(path + ".old");
        if (c.rotated) {
            EXPECT_EQ(previous.size(), old.size());
            EXPECT_TRUE(old == previous) << "the .old holds the previous log";
            EXPECT_EQ(kMark, now.substr(0, 3));
            EXPECT_EQ(3u + 20 + 5 + 2, now.size()) << "a new log: mark and one line";
        } else {
            EXPECT_EQ(c.olderOld ? "older" : "", old);
            EXPECT_EQ(previous.size() + 20 + 5 + 2, now.size()) << "appended to";
            EXPECT_TRUE(now.compare(0, previous.size(), previous) == 0);
        }
    }
}

TEST(LogFile, OthersReadEachLineWhileItIsOpen)
{
    TempDir dir("logshare");
    const std::string path = dir / "shared.log";
    CLogFile log;
    ASSERT_TRUE(log.Open(path.c_str()));
    log.WriteLine("première");

    // As an editor opens it, while the run goes on: another handle, reading, letting
    // the log be written.
    CKernelHandle reader(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader.IsValid()) << ::GetLastError();
    log.WriteLine("seconde");
    char buffer[256] = "";
    DWORD got = 0;
    EXPECT_TRUE(::ReadFile(reader, buffer, sizeof buffer, &got, nullptr));
    reader.Close();
    const std::string seen(buffer, got);
    const std::string last = " seconde\r\n";
    EXPECT_EQ(kMark, seen.substr(0, 3)) << seen;
    EXPECT_EQ(3u + 19, seen.find(" premi\xC3\xA8re\r\n")) << seen;
    EXPECT_EQ(last, seen.substr(seen.size() - std::min(seen.size(), last.size()))) << seen;
}

TEST(LogFile, AFileThatCannotBeOpenedLeavesItClosedWithTheError)
{
    TempDir dir("logfail");
    ASSERT_TRUE(MakeFolders(dir / "folder.log"));
    ASSERT_TRUE(WriteFileBytes(dir / "locked.log", "held"));
    CKernelHandle holder(::CreateFileA((dir / "locked.log").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.IsValid());

    struct Case {
        const char* label;
        std::string path;
        DWORD error;
    };
    const Case cases[] = {
        {"missing folder", dir / "absent\\run.log", ERROR_PATH_NOT_FOUND},
        {"a folder of that name", dir / "folder.log", ERROR_ACCESS_DENIED},
        {"held without sharing", dir / "locked.log", ERROR_SHARING_VIOLATION},
        {"empty path", "", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CLogFile log;
        EXPECT_FALSE(log.Open(c.path.c_str()));
        EXPECT_FALSE(log.IsOpen());
        EXPECT_EQ(c.error, log.LastError());
        log.WriteLine("lost");   // does nothing, throws nothing
    }
    holder.Close();
    EXPECT_EQ("held", ReadFileBytes(dir / "locked.log"));
    EXPECT_FALSE(PathExists(dir / "absent"));
}
