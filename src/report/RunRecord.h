#pragma once
// What one run of the updater left on a computer, as its record in the room's
// folder says it: who ran it, when, how it ended, and what became of each
// installation folder. Every text is UTF-8, as the record file holds it.
//
// The record file is the updater's own small text format, one "key: value" a line,
// that a person can read in Notepad:
//
//   MiseAJour poste 1
//   ordinateur: PC-12
//   ...
//   dossier: C:\Orvandel\Salle 12
//     version: 1, 2, 0, 0
//     devenir: mis-a-jour
//   a-reinstaller: Quill Mx
//   fin
//
// The first line names the format and its version. Lines indented by two blanks
// belong to the folder above them. A reader skips every key it does not know, so
// that a later updater's records still read; the closing "fin" tells a whole record
// from one cut short.

#include <string>
#include <vector>

// How the updater was started.
enum class RunMode {
    Dialog,  // with its window
    Quiet,   // /quiet
    Check,   // /check
};

// What became of one installation folder the catalogue read.
enum class FolderFate {
    Updated,      // updated in this run
    UpToDate,     // already at 1.3 or later: not offered
    NeedsUpdate,  // older than 1.3 and not updated in this run (/check, or never reached)
    LeftOpen,     // left untouched because programs of it were open
    Stopped,      // the update stopped on a numbered error
};

struct CRecordFolder {
    std::string path;
    std::string version;      // the "FileVersion" found, "" when none could be read
    FolderFate fate = FolderFate::NeedsUpdate;
    int error = 0;            // Stopped: the error's number
    std::string cause;        // Stopped: what failed, in a sentence
};

struct CRunRecord {
    std::string computer;
    std::string user;
    std::string endTime;      // local "2026-12-08 16:43:00"
    std::string version;      // the updater's own
    RunMode mode = RunMode::Dialog;
    int exitCode = 0;
    std::string meaning;      // the exit code in words
    std::vector<CRecordFolder> folders;
    // Applications this run removed and could not put back: to reinstall by hand.
    std::vector<std::string> toReinstall;
    // Applications of the folders not updated that the update will remove without
    // reinstalling them (they have no product code).
    std::vector<std::string> willRemove;
    std::string logPath;      // "" when the run had no log
};

// The record's file: UTF-8 with a byte-order mark, CR LF line ends. CR, LF and
// other control characters in a value become blanks, so a value never makes a line
// of its own.
std::string RecordText(const CRunRecord& record);

// The largest record a reader takes: anything longer is no record of this program.
constexpr size_t kRecordMaxBytes = 256 * 1024;

// Reads a record file's bytes into `out`. False, with `out` in an unspecified
// state, when they are no record: not UTF-8, no first line of this format, longer
// than kRecordMaxBytes, no computer or exit code, or no closing line.
bool ParseRecord(const std::string& bytes, CRunRecord& out);

// Whether `next`, this run's record, leaves `previous` in place: a /check that
// finds nothing to do says less than the update that made it so (an update that
// ended with 0, or with 6 and the applications to reinstall by hand), which a
// startup script's /check would otherwise replace at every start.
bool KeepsPrevious(const CRunRecord& previous, const CRunRecord& next);

// The record's words for a fate and a mode, as the file spells them.
const char* FateKey(FolderFate fate);
const char* ModeKey(RunMode mode);
