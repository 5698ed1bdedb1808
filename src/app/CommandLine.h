#pragma once
// The updater's command line: what a technician or a deployment tool asks of it.

#include "CString.h"

// What the updater was asked to do. Switches are case-insensitive and start with '/' or '-':
// /quiet, /check, /log=PATH (also /log="PATH WITH SPACES" and "/log=PATH WITH SPACES"), /report=FOLDER and
// /summary=FOLDER (quoted the same way), /? (and /h, /help).
struct CCommandLine {
    bool quiet = false;      // /quiet
    bool check = false;      // /check
    bool usage = false;      // /?
    CString logPath;         // /log=PATH, "" when not given (the last one given wins)
    CString reportFolder;    // /report=FOLDER: where this run leaves the record of its outcome, "" when not given
    CString summaryFolder;   // /summary=FOLDER: the folder of records to report on, "" when not given
    CString unknown;         // the first argument the updater does not know, "" when none
};

// Parses the program's arguments as the C runtime has split its command line (__argc,
// __argv: the program name first, which is skipped, then the arguments in the ANSI code
// page). The runtime splits by the rules every Windows program follows: blanks part
// arguments outside quotes, a backslash escapes a quote only. An empty /log=, /report= or
// /summary= is not known; neither is an empty argument (`unknown` then holds two quotes, "").
// False when an argument is not known: `unknown` then holds the first such, and the
// arguments around it are applied all the same, so that a run asked to be quiet stays
// quiet and its log goes where it was asked to.
bool ParseCommandLine(int argc, const char* const* argv, CCommandLine& out);

// The usage text in French, for the box shown for /? and for an unknown switch.
CString UsageText();
