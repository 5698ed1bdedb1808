// A room read from its folder: each PC's state, the order of the rows, the list of
// the room's computers, and the page and the table written from them.

#include "Room.h"
#include "RoomPage.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CRunRecord Ran(const char* computer, int exitCode)
{
    CRunRecord record;
    record.computer = computer;
    record.endTime = "2026-12-08 08:00:00";
    record.exitCode = exitCode;
    return record;
}

CRoomRow Row(const char* name, PcState state)
{
    CRoomRow row;
    row.name = name;
    row.state = state;
    return row;
}

} // namespace

TEST(Room, EachExitCodeGivesTheStateATechnicianActsOn)
{
    const struct {
        int code;
        PcState state;
    } cases[] = {
        {0, PcState::UpToDate},   {1, PcState::NeedsUpdate}, {2, PcState::Failed},    {3, PcState::Failed},
        {4, PcState::Failed},     {5, PcState::Failed},      {6, PcState::Reinstall}, {7, PcState::RunAgain},
        {1602, PcState::RunAgain}, {1603, PcState::Failed},  {1618, PcState::RunAgain}, {1639, PcState::Failed},
        {-1, PcState::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.state, StateOf(Ran("PC", c.code)));
    }
}

TEST(Room, RowsComeByStateThenByNameAndTheRoomIsDoneWhenEveryPcOfItIs)
{
    CRoom room;
    room.rows = {Row("pc-b", PcState::UpToDate), Row("PC-A", PcState::NotSeen), Row("PC-C", PcState::Reinstall),
                 Row("PC-A", PcState::UpToDate), Row("x.poste.txt", PcState::Unreadable),
                 Row("PC-D", PcState::Failed), Row("PC-E", PcState::NeedsUpdate), Row("PC-F", PcState::RunAgain)};
    SortAndCount(room);
    std::string order;
    for (const CRoomRow& row : room.rows)
        order += row.name + " ";
    EXPECT_EQ("PC-D x.poste.txt PC-F PC-C PC-E PC-A pc-b PC-A ", order);
    const int counts[kPcStateCount] = {1, 1, 1, 1, 1, 2, 1};
    for (int i = 0; i < kPcStateCount; ++i)
        EXPECT_EQ(counts[i], room.counts[i]) << StateWords(static_cast<PcState>(i));
    EXPECT_FALSE(room.IsDone());

    // Up to date or updated, with applications to reinstall by hand or not: done.
    CRoom done;
    done.rows = {Row("A", PcState::UpToDate), Row("B", PcState::Reinstall)};
    EXPECT_TRUE(done.IsDone());
    // With a list, a PC outside it does not hold the room back.
    done.listed = true;
    done.rows[0].inList = done.rows[1].inList = true;
    done.rows.push_back(Row("INVITE", PcState::Failed));
    EXPECT_TRUE(done.IsDone());
    done.rows.push_back(Row("C", PcState::NotSeen));
    done.rows.back().inList = true;
    EXPECT_FALSE(done.IsDone());
}

TEST(Room, TheRoomsListAndTheNamesOfRecords)
{
    const std::string list = "\xEF\xBB\xBF# Salle 12\r\npc-01\r\n  PC-02  # pr\xC3\xA8s de la porte\r\n\r\n"
                             "PC-01\nPC 03\n..\\..\\WINDOWS\nPC-<b>\nNOM-BEAUCOUP-TROP-LONG\nPC_04\t\n";
    EXPECT_EQ((std::vector<std::string>{"PC-01", "PC-02", "PC_04"}), ParseRoomList(list));
    for (const char* name : {"PC-12", "A", "SALLE_3-15CARAC"})
        EXPECT_TRUE(IsComputerName(name)) << name;
    for (const char* name : {"", "PC 12", "..", "a.b", "SALLE_3-16CARACT", "<script>", "\xC3\xA9t\xC3\xA9"})
        EXPECT_FALSE(IsComputerName(name)) << name;
    EXPECT_EQ("PC-12.poste.txt", RecordFileName("PC-12"));
}

TEST(Room, ReadFromAFolderWithRecordsStrayFilesAndAList)
{
    TempDir folder("room");
    CRunRecord withLog = Ran("PC-01", 6);
    withLog.toReinstall = {"Quill Mx"};
    withLog.logPath = "\\\\serveur\\journaux\\" + folder.path().substr(folder.path().rfind('\\') + 1) + "\\PC-01.log";
    ASSERT_TRUE(WriteFileBytes(folder / "PC-01.poste.txt", RecordText(withLog)));
    ASSERT_TRUE(WriteFileBytes(folder / "PC-01.log", "journal"));
    CRunRecord elsewhere = Ran("PC-02", 0);
    elsewhere.logPath = "C:\\Windows\\Temp\\PC-02.log";
    ASSERT_TRUE(WriteFileBytes(folder / "pc-02.POSTE.TXT", RecordText(elsewhere)));
    ASSERT_TRUE(WriteFileBytes(folder / "PC-03.poste.txt", std::string(5000, '\x9A')));
    ASSERT_TRUE(WriteFileBytes(folder / "a b.poste.txt", RecordText(Ran("AB", 0))));    // no computer's name
    ASSERT_TRUE(WriteFileBytes(folder / "PC-04.poste.txt.1234.tmp", RecordText(Ran("PC-04", 2))));
    ASSERT_TRUE(WriteFileBytes(folder / "rapport.csv", "x"));
    ASSERT_TRUE(WriteFileBytes(folder / "postes.txt", "PC-01\r\nPC-02\r\nPC-03\r\nPC-05\r\n"));

    const CRoom room = ReadRoom(folder.path().c_str());
    ASSERT_EQ(4u, room.rows.size());
    EXPECT_TRUE(room.listed);
    const struct {
        const char* name;
        PcState state;
        const char* logLink;
    } expected[] = {
        {"PC-03.poste.txt", PcState::Unreadable, ""},
        {"PC-01", PcState::Reinstall, "PC-01.log"},
        {"PC-02", PcState::UpToDate, ""},
        {"PC-05", PcState::NotSeen, ""},
    };
    for (size_t i = 0; i < room.rows.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(expected[i].name, room.rows[i].name);
        EXPECT_EQ(expected[i].state, room.rows[i].state);
        EXPECT_EQ(expected[i].logLink, room.rows[i].logLink);
        EXPECT_TRUE(room.rows[i].inList);
    }
    EXPECT_EQ(std::vector<std::string>{"Quill Mx"}, room.rows[1].record.toReinstall);
    EXPECT_FALSE(room.IsDone());
}

TEST(RoomPage, ValuesFromRecordsAreTextInThePageAndNeverFormulasInTheTable)
{
    EXPECT_EQ("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp;amp; &quot;q&quot;",
              HtmlText("<script>alert('x')</script> &amp; \"q\""));
    const struct {
        const char* text;
        const char* cell;
    } cells[] = {
        {"", "\"\""},
        {"PC-12", "\"PC-12\""},
        {"a;b", "\"a;b\""},
        {"dit \"non\"", "\"dit \"\"non\"\"\""},
        {"=1+1", "\"'=1+1\""},
        {"+33 1", "\"'+33 1\""},
        {"-2", "\"'-2\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\t=1", "\"'\t=1\""},
        {"1=1", "\"1=1\""},
    };
    for (const auto& c : cells)
        EXPECT_EQ(c.cell, CsvCell(c.text)) << c.text;

    CRoom room;
    CRoomRow row = Row("PC-01", PcState::Failed);
    row.record = Ran("PC-01", 3);
    row.record.folders = {{"C:\\<script>alert(1)</script>", "1, 2", FolderFate::Stopped, 3, "\"cause\" & <b>"}};
    row.record.willRemove = {"=cmd|' /C calc'!A0"};
    room.rows = {row};
    SortAndCount(room);
    const std::string html = RoomHtml(room, "R:\\<i>salle</i>", "2026-12-09 08:00:00");
    EXPECT_EQ(std::string::npos, html.find("<script")) << html;
    EXPECT_EQ(std::string::npos, html.find("<i>")) << html;
    EXPECT_EQ(std::string::npos, html.find("<b>\"")) << html;
    EXPECT_NE(std::string::npos, html.find("C:\\&lt;script&gt;alert(1)&lt;/script&gt;")) << html;
    const std::string csv = RoomCsv(room);
    EXPECT_EQ(0u, csv.find("\xEF\xBB\xBF\"Poste\";\"\xC3\x89tat\";")) << csv;
    EXPECT_NE(std::string::npos, csv.find("\"\xC3\xA0 pr\xC3\xA9voir : =cmd|' /C calc'!A0\"")) << csv;
    EXPECT_EQ(std::string::npos, csv.find(";\"=")) << csv;
}
