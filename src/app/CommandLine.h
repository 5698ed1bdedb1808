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

// Parses a whole command line as GetCommandLineA gives it (program name first, which is skipped).
// The line is split the way Windows splits it for every program (CommandLineToArgvW: quotes
// group blanks, a backslash escapes a quote only), then each argument is taken back to the
// ANSI code page, a character the code page lacks becoming '?'. An empty /log=, /report= or /summary= is not known;
// neither is an empty argument (`unknown` then holds two quotes, "").
// False when an argument is not known: `unknown` then holds the first such, and the
// arguments around it are applied all the same, so that a run asked to be quiet stays
// quiet and its log goes where it was asked to.
bool ParseCommandLine(const char* commandLine, CCommandLine& out);

// The usage text in French, for the box shown for /? and for an unknown switch.
CString UsageText();
