#pragma once
// A room of PCs as their records in one folder show it: one row per computer, each
// in the state a technician acts on, in the order he acts on them.

#include "RunRecord.h"

#include <string>
#include <vector>

// In the order the report lists them.
enum class PcState {
    Failed,       // stopped on a numbered error (2 to 5), a fault of the updater (1603), a bad command line
    Unreadable,   // a file that is no record of this program
    RunAgain,     // programs were open (7), another updater ran (1618), ended by the user (1602)
    Reinstall,    // updated, applications to reinstall by hand (6)
    NeedsUpdate,  // /check found a folder older than 1.3 (1)
    UpToDate,     // updated, or nothing needed it (0)
    NotSeen,      // named in postes.txt, no record yet
};
constexpr int kPcStateCount = 7;

// The state's words, in the ANSI code page ("à relancer").
const char* StateWords(PcState state);
// What the exit code of a run says of its PC.
PcState StateOf(const CRunRecord& record);

struct CRoomRow {
    std::string name;        // the computer's name, or the file's name for an unreadable one (UTF-8)
    PcState state = PcState::NotSeen;
    CRunRecord record;       // for a readable record
    std::string logLink;     // the log's file name when it lies in the room's folder, else ""
    bool inList = false;     // the room's list names this computer
};

struct CRoom {
    std::vector<CRoomRow> rows;   // sorted: by state, then by name without case
    int counts[kPcStateCount] = {};
    bool listed = false;          // a postes.txt named the room's computers
    // The room is done: every PC of the list (or every record, without a list) is
    // up to date or updated, applications to reinstall by hand or not.
    bool IsDone() const;
};

// The name of the record of `computer` in the room's folder.
std::string RecordFileName(const char* computer);
// A computer's name as Windows allows it for the network: 1 to 15 letters,
// digits, hyphens or underscores.
bool IsComputerName(const std::string& name);

// The room's list, postes.txt: one computer a line, "#" starting a comment, blanks
// around a name ignored. Names that are no computer's are passed over; each name
// comes once, in upper case.
std::vector<std::string> ParseRoomList(const std::string& bytes);

// Sorts `room.rows` and counts them.
void SortAndCount(CRoom& room);

// Reads every record in `folder` (ANSI, without a trailing backslash), and the
// room's list if there is one. A file that is not a record named after a computer
// is passed over; a record that does not read is an Unreadable row, named after its
// file; a computer of the list with no record is a NotSeen row.
CRoom ReadRoom(const char* folder);
