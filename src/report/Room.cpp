#include "Room.h"

#include "FileQueries.h"
#include "TextLines.h"
#include "WholeFile.h"

#include <algorithm>
#include <cctype>

namespace {

const char kRecordSuffix[] = ".poste.txt";
const char kRoomListName[] = "postes.txt";
// A list is a few hundred names; anything far larger is no list.
const size_t kRoomListMaxBytes = 1024 * 1024;

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && Upper(text.substr(text.size() - end.size())) == Upper(end);
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The log's file name when the record's log lies in the room's folder `folder`:
// the same file name there, under a folder of the same name. Paths differ from PC
// to PC (a share's name, a drive letter), so only the last two parts are compared.
std::string LogBeside(const std::string& folder, const std::string& logPath)
{
    const std::string name = FileNameOf(logPath);
    if (name.empty() || name.find_first_of(":*?\"<>|") != std::string::npos || name == "." || name == "..")
        return std::string();
    if (Upper(FileNameOf(FolderOf(logPath))) != Upper(FileNameOf(folder)))
        return std::string();
    // The record's text is UTF-8, the file system's names here ANSI: a name that is
    // not plain ASCII is not looked for.
    for (char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::string();
    }
    return FileExists((folder + "\\" + name).c_str()) ? name : std::string();
}

} // namespace

const char* StateWords(PcState state)
{
    switch (state) {
    case PcState::Failed: return "échec";
    case PcState::Unreadable: return "illisible";
    case PcState::RunAgain: return "à relancer";
    case PcState::Reinstall: return "applications à réinstaller";
    case PcState::NeedsUpdate: return "à mettre à jour";
    case PcState::UpToDate: return "à jour";
    case PcState::NotSeen: return "pas encore passé";
    }
    return "";
}

PcState StateOf(const CRunRecord& record)
{
    switch (record.exitCode) {
    case 0: return PcState::UpToDate;
    case 1: return PcState::NeedsUpdate;
    case 6: return PcState::Reinstall;
    case 7: case 1602: case 1618: return PcState::RunAgain;
    default: return PcState::Failed;
    }
}

bool CRoom::IsDone() const
{
    for (const CRoomRow& row : rows) {
        if (listed && !row.inList)
            continue;
        if (row.state != PcState::UpToDate && row.state != PcState::Reinstall)
            return false;
    }
    return true;
}

std::string RecordFileName(const char* computer)
{
    return std::string(computer ? computer : "") + kRecordSuffix;
}

bool IsComputerName(const std::string& name)
{
    if (name.empty() || name.size() > 15)
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            return false;
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::vector<std::string> ParseRoomList(const std::string& bytes)
{
    std::vector<std::string> names;
    const std::string text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
    for (std::string line : SplitLines(text)) {
        const size_t comment = line.find('#');
        if (comment != std::string::npos)
            line.erase(comment);
        const std::string name = Upper(Trimmed(line));
        if (IsComputerName(name) && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

void SortAndCount(CRoom& room)
{
    std::stable_sort(room.rows.begin(), room.rows.end(), [](const CRoomRow& a, const CRoomRow& b) {
        if (a.state != b.state)
            return a.state < b.state;
        return Upper(a.name) < Upper(b.name);
    });
    std::fill(std::begin(room.counts), std::end(room.counts), 0);
    for (const CRoomRow& row : room.rows)
        ++room.counts[static_cast<int>(row.state)];
}

CRoom ReadRoom(const char* folder)
{
    CRoom room;
    const std::string base = folder ? folder : "";
    CStringArray files;
    FindFilesByExtension(base.c_str(), files, false, "*");

    std::vector<std::string> seen;
    for (int i = 0; i < files.GetSize(); ++i) {
        const std::string name = FileNameOf(static_cast<const char*>(files.GetAt(i)));
        if (!EndsWithNoCase(name, kRecordSuffix))
            continue;
        const std::string computer = Upper(name.substr(0, name.size() - (sizeof kRecordSuffix - 1)));
        if (!IsComputerName(computer))
            continue;
        CRoomRow row;
        std::string bytes;
        if (ReadFileShared(files.GetAt(i), kRecordMaxBytes, bytes) && ParseRecord(bytes, row.record)) {
            row.name = computer;
            row.state = StateOf(row.record);
            row.logLink = LogBeside(base, row.record.logPath);
        } else {
            row.name = name;
            row.state = PcState::Unreadable;
        }
        seen.push_back(computer);
        room.rows.push_back(row);
    }

    std::string list;
    if (ReadFileShared((base + "\\" + kRoomListName).c_str(), kRoomListMaxBytes, list)
        && list.size() <= kRoomListMaxBytes) {
        room.listed = true;
        for (const std::string& computer : ParseRoomList(list)) {
            const auto found = std::find(seen.begin(), seen.end(), computer);
            if (found != seen.end()) {
                room.rows[static_cast<size_t>(found - seen.begin())].inList = true;
                continue;
            }
            CRoomRow row;
            row.inList = true;
            row.name = computer;
            row.state = PcState::NotSeen;
            room.rows.push_back(row);
        }
    }
    SortAndCount(room);
    return room;
}
