// The room's report over a district's folder of 1,000 records, against the floor:
// the time to just open and read the same files. A measurement to report, not a
// test: it prints the medians and asserts nothing.
//   report_benchmark.exe [ROUNDS]

#include "Room.h"
#include "RoomPage.h"
#include "RunRecord.h"
#include "TempDir.h"
#include "WholeFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kRecords = 1000;

double Now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

CRunRecord Record(int i)
{
    CRunRecord record;
    char name[16];
    std::snprintf(name, sizeof name, "PC-%04d", i);
    record.computer = name;
    record.user = "eleve";
    record.endTime = "2026-12-08 08:00:00";
    record.version = "1.3.0.0";
    record.mode = i % 3 == 0 ? RunMode::Check : RunMode::Quiet;
    const int codes[] = {0, 0, 0, 6, 1, 7, 2, 1618};
    record.exitCode = codes[i % 8];
    record.meaning = "mis a jour";
    record.folders = {{"C:\\Orvandel\\Salle " + std::to_string(i % 40), "1, 2, 0, 0", FolderFate::Updated, 0, ""},
                      {"D:\\Orvandel", "1, 3, 0, 0", FolderFate::UpToDate, 0, ""}};
    if (record.exitCode == 6)
        record.toReinstall = {"Quill Mx"};
    record.logPath = std::string("\\\\serveur\\journaux\\Orvandel13\\") + name + ".log";
    return record;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    TempDir folder("bench");
    std::vector<std::string> paths;
    for (int i = 0; i < kRecords; ++i) {
        const CRunRecord record = Record(i);
        paths.push_back(folder / RecordFileName(record.computer.c_str()));
        WriteFileBytes(paths.back(), RecordText(record));
    }

    std::vector<double> readOnly, report;
    size_t bytes = 0;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        bytes = 0;
        // The floor: every file of the folder listed, opened and read whole.
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((folder.path() + "\\*").c_str(), &found);
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            std::string text;
            ReadFileShared((folder / found.cFileName).c_str(), kRecordMaxBytes, text);
            bytes += text.size();
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        readOnly.push_back(Now() - start);

        start = Now();
        const CRoom room = ReadRoom(folder.path().c_str());
        WriteFileWhole((folder / "rapport.html").c_str(), RoomHtml(room, folder.path(), "2026-12-09 08:00:00"));
        WriteFileWhole((folder / "rapport.csv").c_str(), RoomCsv(room));
        report.push_back(Now() - start);
        ::DeleteFileA((folder / "rapport.html").c_str());
        ::DeleteFileA((folder / "rapport.csv").c_str());
    }
    std::printf("%d records, %zu bytes, median of %d rounds\n", kRecords, bytes, rounds);
    std::printf("  reading the files only:            %8.1f ms\n", Median(readOnly));
    std::printf("  the report (read, parse, html, csv): %6.1f ms\n", Median(report));
    return 0;
}
