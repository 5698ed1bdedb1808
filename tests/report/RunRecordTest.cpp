// The record's text as a reader on another computer takes it back, and what a
// reader makes of files that are not records.

#include "RunRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CRunRecord Sample()
{
    CRunRecord record;
    record.computer = "PC-12";
    record.user = "technicien";
    record.endTime = "2026-12-08 16:43:00";
    record.version = "1.3.0.0";
    record.mode = RunMode::Quiet;
    record.exitCode = 2;
    record.meaning = "la mise \xC3\xA0 jour s'est arr\xC3\xAAt\xC3\xA9" "e sur cette erreur";
    record.folders = {
        {"C:\\Orvandel\\Coll\xC3\xA8ge <Verne> & \"fils\"", "1, 2, 0, 0", FolderFate::Updated, 0, ""},
        {"C:\\Orvandel\\Salle 12", "1, 3, 0, 0", FolderFate::UpToDate, 0, ""},
        {"D:\\Labo", "", FolderFate::LeftOpen, 0, ""},
        {"E:\\Chimie", "1, 1, 0, 0", FolderFate::Stopped, 2, "la copie a \xC3\xA9" "chou\xC3\xA9" "e : Acc\xC3\xA8s refus\xC3\xA9."},
        {"F:\\Bio", "1, 2, 0, 0", FolderFate::NeedsUpdate, 0, ""},
    };
    record.toReinstall = {"Quill Mx", "=HYPERLINK(\"x\")"};
    record.willRemove = {"Atelier"};
    record.logPath = "\\\\serveur\\journaux\\Orvandel13\\PC-12.log";
    return record;
}

void ExpectSame(const CRunRecord& expected, const CRunRecord& got)
{
    EXPECT_EQ(expected.computer, got.computer);
    EXPECT_EQ(expected.user, got.user);
    EXPECT_EQ(expected.endTime, got.endTime);
    EXPECT_EQ(expected.version, got.version);
    EXPECT_EQ(expected.mode, got.mode);
    EXPECT_EQ(expected.exitCode, got.exitCode);
    EXPECT_EQ(expected.meaning, got.meaning);
    ASSERT_EQ(expected.folders.size(), got.folders.size());
    for (size_t i = 0; i < expected.folders.size(); ++i) {
        SCOPED_TRACE(expected.folders[i].path);
        EXPECT_EQ(expected.folders[i].path, got.folders[i].path);
        EXPECT_EQ(expected.folders[i].version, got.folders[i].version);
        EXPECT_EQ(expected.folders[i].fate, got.folders[i].fate);
        EXPECT_EQ(expected.folders[i].error, got.folders[i].error);
        EXPECT_EQ(expected.folders[i].cause, got.folders[i].cause);
    }
    EXPECT_EQ(expected.toReinstall, got.toReinstall);
    EXPECT_EQ(expected.willRemove, got.willRemove);
    EXPECT_EQ(expected.logPath, got.logPath);
}

} // namespace

TEST(RunRecord, ReadsBackWhatItWroteInEveryModeAndFate)
{
    for (RunMode mode : {RunMode::Dialog, RunMode::Quiet, RunMode::Check}) {
        CRunRecord record = Sample();
        record.mode = mode;
        SCOPED_TRACE(ModeKey(mode));
        CRunRecord read;
        ASSERT_TRUE(ParseRecord(RecordText(record), read)) << RecordText(record);
        ExpectSame(record, read);
    }
}

TEST(RunRecord, IsTextANotepadShowsOneValueALine)
{
    CRunRecord record = Sample();
    record.user = "a\r\nfin\r\ncode: 0";   // a value must never make a line of its own
    const std::string text = RecordText(record);
    EXPECT_EQ(0u, text.find("\xEF\xBB\xBFMiseAJour poste 1\r\nordinateur: PC-12\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("dossier: D:\\Labo\r\n  version: \r\n  devenir: laisse-programmes-ouverts\r\n"))
        << text;
    EXPECT_EQ(text.size() - 5, text.find("fin\r\n"));
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ('\r', text[i - 1]) << "a bare LF at " << i;
        }
    }
    CRunRecord read;
    ASSERT_TRUE(ParseRecord(text, read));
    EXPECT_EQ("a  fin  code: 0", read.user);
    EXPECT_EQ(2, read.exitCode);
}

TEST(RunRecord, ALaterFormatStillReadsAndWhatIsNoRecordDoesNot)
{
    const std::string whole = RecordText(Sample());
    std::string later = whole;
    later.replace(later.find("poste 1"), 7, "poste 3");
    later.insert(later.find("dossier: D:"), "priorite: haute\r\nune ligne sans deux-points\r\n");
    later.insert(later.find("  devenir: laisse"), "  taille: 12 Mo\r\n");
    CRunRecord read;
    ASSERT_TRUE(ParseRecord(later, read));
    ExpectSame(Sample(), read);
    // LF alone and no byte-order mark: a record copied through a Unix tool.
    std::string unix = whole.substr(3);
    for (size_t at; (at = unix.find("\r\n")) != std::string::npos;)
        unix.erase(at, 1);
    ASSERT_TRUE(ParseRecord(unix, read));
    ExpectSame(Sample(), read);

    std::string random;
    for (int i = 0; i < 3000; ++i)
        random += static_cast<char>((i * 7919 + 13) % 256);
    std::string ansi = whole;
    ansi.replace(ansi.find("\xC3\xA8"), 2, "\xE8");   // the same text in Windows-1252
    std::string noCode = whole;
    noCode.erase(noCode.find("code: 2\r\n"), 9);
    std::string hugeButWhole = whole;
    hugeButWhole.insert(hugeButWhole.find("fin\r\n"), std::string(kRecordMaxBytes, 'x') + "\r\n");
    const struct {
        const char* label;
        std::string bytes;
    } notRecords[] = {
        {"empty", ""},
        {"random bytes", random},
        {"cut short", whole.substr(0, whole.size() / 2)},
        {"cut before its closing line", whole.substr(0, whole.size() - 5)},
        {"another encoding", ansi},
        {"another format", "MiseAJour poste\r\nordinateur: PC-1\r\ncode: 0\r\nfin\r\n"},
        {"format version 0", "MiseAJour poste 0\r\nordinateur: PC-1\r\ncode: 0\r\nfin\r\n"},
        {"no exit code", noCode},
        {"a code that is no number", "MiseAJour poste 1\r\nordinateur: PC-1\r\ncode: 0x6\r\nfin\r\n"},
        {"no computer", "MiseAJour poste 1\r\ncode: 0\r\nfin\r\n"},
        {"far too large", hugeButWhole},
        {"UTF-16", std::string("\xFF\xFEM\0i\0", 6)},
    };
    for (const auto& c : notRecords) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(ParseRecord(c.bytes, read));
    }
}

TEST(RunRecord, ACheckWithNothingToDoLeavesTheRecordOfTheUpdateThatMadeItSo)
{
    const struct {
        RunMode previousMode;
        int previousCode;
        RunMode nextMode;
        int nextCode;
        bool kept;
    } cases[] = {
        {RunMode::Quiet, 6, RunMode::Check, 0, true},   {RunMode::Dialog, 0, RunMode::Check, 0, true},
        {RunMode::Quiet, 6, RunMode::Check, 1, false},  {RunMode::Quiet, 7, RunMode::Check, 0, false},
        {RunMode::Quiet, 2, RunMode::Check, 0, false},  {RunMode::Check, 1, RunMode::Check, 0, false},
        {RunMode::Quiet, 6, RunMode::Quiet, 0, false},  {RunMode::Quiet, 6, RunMode::Dialog, 1602, false},
    };
    for (const auto& c : cases) {
        CRunRecord previous, next;
        previous.mode = c.previousMode;
        previous.exitCode = c.previousCode;
        next.mode = c.nextMode;
        next.exitCode = c.nextCode;
        EXPECT_EQ(c.kept, KeepsPrevious(previous, next))
            << ModeKey(c.previousMode) << " " << c.previousCode << " then " << ModeKey(c.nextMode) << " " << c.nextCode;
    }
}
