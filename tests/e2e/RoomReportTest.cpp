// The room at a glance: each run leaves this PC's record in a folder or on the
// share (/report=), and /summary= makes the room's report from a folder of them.

#include "CKernelHandle.h"
#include "E2eFixture.h"

#include "Room.h"
#include "RoomWords.h"
#include "RunRecord.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

std::string Computer()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    ::GetComputerNameA(name, &size);
    return name;
}

// The record of this computer in `folder`, read back as a report reads it.
bool ReadRecord(const std::string& folder, CRunRecord& record)
{
    return ParseRecord(ReadFileBytes(folder + "\\" + RecordFileName(Computer().c_str())), record);
}

// The names of the files in `folder`, sorted.
std::vector<std::string> FileNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& file : Snapshot(folder))
        names.push_back(file.first);
    std::sort(names.begin(), names.end());
    return names;
}

const char kShare[] = "\\\\serveur\\journaux\\Orvandel13";

class RoomReport : public EndToEnd {
protected:
    RoomReport()
    {
        RemoveTree(kShare);
        EXPECT_TRUE(MakeFolders(kShare));
        EXPECT_TRUE(MakeFolders(local));
    }
    ~RoomReport() override { RemoveTree(kShare); }

    const std::string local = "S:\\Releves";
};

TEST_F(RoomReport, QuietRunAndCheckLeaveTheirRecordInAFolderOrOnTheShareAndAnUnwritableOneChangesNothing)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string old = suite.AddFolder("Salle B", "1, 2, 0, 0", {"Tolvane", "Quill Mx", "Atelier"});
    const std::string current = suite.AddFolder("Salle A", "1, 3, 0, 0", {"Marbelo"});
    std::vector<std::string> unwritable = {"\\\\serveur\\absent\\Orvandel13", "S:\\pas\\de\\dossier"};
    const char* readOnly = std::getenv("MISEAJOUR_SHARE_READONLY");
    if (readOnly && std::string(readOnly) == "1")
        unwritable.push_back("T:\\");

    for (const char* mode : {"/check", "/quiet"}) {
        SCOPED_TRACE(mode);
        const bool check = std::string(mode) == "/check";
        const DWORD code = check ? 1 : 6;
        for (const std::string& place : {local, std::string(kShare)}) {
            SCOPED_TRACE(place);
            const std::string runLog = place + "\\" + Computer() + ".log";
            const Unattended run =
                RunUnattended(disc, std::string(mode) + " /log=\"" + runLog + "\" /report=\"" + place + "\"",
                              StandinEnvironment());
            EXPECT_EQ(std::optional<DWORD>(code), run.exitCode);
            EXPECT_FALSE(run.windowShown);
            CRunRecord record;
            ASSERT_TRUE(ReadRecord(place, record)) << ReadFileBytes(place + "\\" + RecordFileName(Computer().c_str()));
            EXPECT_EQ(Computer(), record.computer);
            EXPECT_EQ(check ? RunMode::Check : RunMode::Quiet, record.mode);
            EXPECT_EQ(static_cast<int>(code), record.exitCode);
            EXPECT_EQ(U(check ? "au moins un dossier a besoin de la mise à jour"
                              : "mis à jour, mais au moins une application n'a pas été réinstallée"),
                      record.meaning);
            EXPECT_EQ("1.3.0.0", record.version);
            EXPECT_EQ(19u, record.endTime.size()) << record.endTime;
            EXPECT_EQ(Utf8(runLog), record.logPath);
            ASSERT_EQ(2u, record.folders.size());
            for (const CRecordFolder& folder : record.folders) {
                const bool isOld = folder.path == old;
                EXPECT_TRUE(isOld || folder.path == current) << folder.path;
                EXPECT_EQ(isOld ? "1, 2, 0, 0" : "1, 3, 0, 0", folder.version);
                EXPECT_EQ(!isOld ? FolderFate::UpToDate : check ? FolderFate::NeedsUpdate : FolderFate::Updated,
                          folder.fate) << folder.path;
            }
            std::sort(record.toReinstall.begin(), record.toReinstall.end());
            std::sort(record.willRemove.begin(), record.willRemove.end());
            const std::vector<std::string> codeless = {"Atelier", "Quill Mx"};   // in directory order
            EXPECT_EQ(check ? std::vector<std::string>() : codeless, record.toReinstall);
            EXPECT_EQ(check ? codeless : std::vector<std::string>(), record.willRemove);
            EXPECT_TRUE(LogHolds(runLog, "Relevé du poste écrit"));
            std::vector<std::string> files = {Computer() + ".log", RecordFileName(Computer().c_str())};
            std::sort(files.begin(), files.end());
            EXPECT_EQ(files, FileNames(place)) << "a temporary file was left";
        }
        for (const std::string& place : unwritable) {
            SCOPED_TRACE(place);
            RemoveTree(log);
            const std::string runLog = logFolder / "unwritable.log";
            const Unattended run =
                RunUnattended(disc, std::string(mode) + " /log=" + runLog + " /report=" + place, StandinEnvironment());
            EXPECT_EQ(std::optional<DWORD>(code), run.exitCode);
            EXPECT_EQ(check ? 0u : 2u, Runs().size()) << "the run was not the same";
            EXPECT_TRUE(LogHolds(runLog, "Relevé du poste non écrit")) << ReadFileBytes(runLog);
        }
    }
    // Runs that end at once leave their record too.
    const struct {
        const char* arguments;
        int code;
    } atOnce[] = {{"/quiet /silencieux", 1639}, {"/check /?", 0}};
    for (const auto& c : atOnce) {
        SCOPED_TRACE(c.arguments);
        const Unattended run = RunUnattended(disc, std::string(c.arguments) + " /report=" + local, StandinEnvironment());
        EXPECT_EQ(std::optional<DWORD>(c.code), run.exitCode);
        CRunRecord record;
        ASSERT_TRUE(ReadRecord(local, record));
        EXPECT_EQ(c.code, record.exitCode);
    }
}

TEST_F(RoomReport, ARecordIsReplacedWholeWhileAReaderHoldsTheOldOneOpen)
{
    const std::string disc = LayOutDisc("R:\\");
    suite.AddFolder("Salle B", "1, 2, 0, 0", {"Tolvane"});
    const std::string path = local + "\\" + RecordFileName(Computer().c_str());
    ASSERT_EQ(std::optional<DWORD>(0), RunUnattended(disc, "/quiet /report=" + local, StandinEnvironment()).exitCode);
    const std::string before = ReadFileBytes(path);

    // A report reading it, as the report itself opens records, while the next run
    // ends and writes its own: the reader goes on with the record it opened, whole,
    // and the new one takes its place once it is let go.
    CKernelHandle reader(::CreateFileA(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
    ASSERT_TRUE(reader.IsValid());
    char head[10] = "";
    DWORD read = 0;
    ASSERT_TRUE(::ReadFile(reader, head, sizeof head, &read, nullptr));
    const std::string checkLog = logFolder / "check.log";
    // Started from a thread of its own: starting waits for the program's first
    // input, which a run with no window never asks for.
    Unattended check;
    const Environment environment = StandinEnvironment();
    std::thread run([&] { check = RunUnattended(disc, "/check /log=" + checkLog + " /report=" + local, environment); });
    ::Sleep(1500);
    std::string rest(before.size() + 100, '\0');
    ASSERT_TRUE(::ReadFile(reader, &rest[0], static_cast<DWORD>(rest.size()), &read, nullptr));
    rest.resize(read);
    reader.Close();
    run.join();
    EXPECT_EQ(std::optional<DWORD>(1), check.exitCode);
    EXPECT_EQ(before, std::string(head, sizeof head) + rest);
    CRunRecord record;
    ASSERT_TRUE(ReadRecord(local, record));
    EXPECT_EQ(1, record.exitCode) << ReadFileBytes(checkLog);
    EXPECT_EQ(std::vector<std::string>{RecordFileName(Computer().c_str())}, FileNames(local));

    // A program that never lets it go: the record stays as it was, whole, the run
    // ends as it would have, and its log says why there is no new record.
    const std::string kept = ReadFileBytes(path);
    CKernelHandle holder(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());
    const std::string runLog = logFolder / "held.log";
    const Unattended held = RunUnattended(disc, "/quiet /log=" + runLog + " /report=" + local, StandinEnvironment());
    holder.Close();
    EXPECT_EQ(std::optional<DWORD>(0), held.exitCode);
    EXPECT_EQ(kept, ReadFileBytes(path));
    EXPECT_TRUE(LogHolds(runLog, "Relevé du poste non écrit")) << ReadFileBytes(runLog);
    EXPECT_EQ(std::vector<std::string>{RecordFileName(Computer().c_str())}, FileNames(local));
}

// Records of other PCs, as the share holds them.
CRunRecord Other(const char* computer, RunMode mode, int code)
{
    CRunRecord record;
    record.computer = computer;
    record.user = "eleve";
    record.endTime = "2026-12-08 08:1" + std::to_string(code % 10) + ":00";
    record.version = "1.3.0.0";
    record.mode = mode;
    record.exitCode = code;
    return record;
}

// The room of the page check (read-report.py reads what this leaves).
TEST_F(RoomReport, ReportOverARoomOfMixedRecordsHostileNamesAndAList)
{
    const std::string room = WindowsPath(ROOM_REPORT_DIR);
    RemoveTree(room);
    ASSERT_TRUE(MakeFolders(room));
    const std::string roomName = room.substr(room.rfind('\\') + 1);

    // This PC's own record, from a real run.
    const std::string disc = LayOutDisc("R:\\");
    suite.AddFolder("Salle B", "1, 2, 0, 0", {"Tolvane", "Quill Mx"});
    ASSERT_EQ(std::optional<DWORD>(1), RunUnattended(disc, "/check /report=" + room, StandinEnvironment()).exitCode);

    CRunRecord upToDate = Other("PC-01", RunMode::Quiet, 0);
    upToDate.folders = {{"C:\\Orvandel\\Salle 12", "1, 2, 0, 0", FolderFate::Updated, 0, ""}};
    upToDate.logPath = "\\\\serveur\\journaux\\" + roomName + "\\PC-01.log";
    CRunRecord reinstall = Other("PC-02", RunMode::Dialog, 6);
    reinstall.folders = {{"C:\\Orvandel\\<script>alert('x')</script>", "1, 2, 0, 0", FolderFate::Updated, 0, ""}};
    reinstall.toReinstall = {"Quill Mx", "=HYPERLINK(\"http://example.com\")", "Atelier & \"Cie\""};
    CRunRecord failed = Other("PC-03", RunMode::Quiet, 2);
    failed.folders = {{"+C:\\Chimie", "1, 1, 0, 0", FolderFate::Stopped, 2,
                       "la copie de \xC2\xAB _install.ex_ \xC2\xBB a \xC3\xA9" "chou\xC3\xA9" "e : <b>Acc\xC3\xA8s</b> refus\xC3\xA9."}};
    failed.willRemove = {"@Marbelo"};
    CRunRecord leftOpen = Other("PC-04", RunMode::Quiet, 7);
    leftOpen.folders = {{"-D:\\Labo \"B\" & <C>", "", FolderFate::LeftOpen, 0, ""}};
    CRunRecord another = Other("PC-05", RunMode::Quiet, 1618);
    const CRunRecord records[] = {upToDate, reinstall, failed, leftOpen, another};
    for (const CRunRecord& record : records)
        ASSERT_TRUE(WriteFileBytes(room + "\\" + RecordFileName(record.computer.c_str()), RecordText(record)));
    ASSERT_TRUE(WriteFileBytes(room + "\\PC-01.log", "journal de PC-01"));
    std::string random;
    for (int i = 0; i < 4096; ++i)
        random += static_cast<char>((i * 2654435761u) >> 24);
    ASSERT_TRUE(WriteFileBytes(room + "\\PC-06.poste.txt", random));
    const std::string whole = RecordText(Other("PC-07", RunMode::Quiet, 0));
    ASSERT_TRUE(WriteFileBytes(room + "\\PC-07.poste.txt", whole.substr(0, whole.size() - 10)));
    ASSERT_TRUE(WriteFileBytes(room + "\\pas un poste.poste.txt", RecordText(Other("INTRUS", RunMode::Quiet, 0))));
    ASSERT_TRUE(WriteFileBytes(room + "\\postes.txt", "# Salle 12\r\nPC-01\r\nPC-02\r\nPC-03\r\nPC-04\r\nPC-05\r\n"
                                                      "PC-06\r\nPC-07\r\nPC-08\r\n" + Computer() + "\r\n"));
    const auto before = Snapshot(room);

    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "first report" : "made again over it");
        const Unattended summary = RunUnattended(ProgramPath(), "/summary=\"" + room + "\" /quiet", {});
        EXPECT_EQ(std::optional<DWORD>(1), summary.exitCode) << "the room is not done";
        EXPECT_FALSE(summary.windowShown);
        EXPECT_EQ("\xC9" "chec : 1\r\nIllisible : 2\r\n\xC0 relancer : 2\r\nApplications \xE0 r\xE9installer : 1\r\n"
                  "\xC0 mettre \xE0 jour : 1\r\n\xC0 jour : 1\r\nPas encore pass\xE9 : 1\r\nRapport : " + room +
                      "\\rapport.html\r\n",
                  summary.output);
        auto after = Snapshot(room);
        ASSERT_EQ(before.size() + 2, after.size());
        std::vector<std::pair<std::string, std::string>> rest;
        for (const auto& file : after) {
            if (file.first != "rapport.html" && file.first != "rapport.csv")
                rest.push_back(file);
        }
        EXPECT_EQ(before, rest) << "a record or the list was changed";
    }

    // What the page check must find, for read-report.py: names and values that came
    // from records, the rows in order with their states, and the counts.
    std::ofstream expected(std::string(ROOM_REPORT_DIR) + ".expected", std::ios::binary);
    for (const char* state : {"échec", "illisible", "à relancer", "applications à réinstaller", "à mettre à jour",
                              "à jour", "pas encore passé"})
        expected << "state\t" << U(state) << "\n";
    for (int count : {1, 2, 2, 1, 1, 1, 1})
        expected << "count\t" << count << "\n";
    for (const char* row : {"PC-03", "PC-06.poste.txt", "PC-07.poste.txt", "PC-04", "PC-05", "PC-02"})
        expected << "row\t" << row << "\n";
    expected << "row\t" << Computer() << "\nrow\tPC-01\nrow\tPC-08\n";
    for (const std::string& text : {reinstall.folders[0].path, reinstall.toReinstall[1], reinstall.toReinstall[2],
                                    failed.folders[0].path, failed.willRemove[0], leftOpen.folders[0].path})
        expected << "text\t" << text << "\n";
    expected << "link\tPC-01.log\n";
}

TEST_F(RoomReport, SummaryOfAFolderThatIsNotThereSaysSo)
{
    const Unattended summary = RunUnattended(ProgramPath(), "/summary=S:\\nulle\\part /quiet", {});
    EXPECT_EQ(std::optional<DWORD>(1), summary.exitCode);
    EXPECT_EQ("Dossier des relev\xE9s introuvable : \xAB S:\\nulle\\part \xBB\r\n", summary.output);
}

} // namespace
