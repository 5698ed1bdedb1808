#pragma once
// What a test asks of the stand-in, through environment variables that the
// program under test passes on to its child unchanged (see StandinLog.h).

#include <string>

namespace standin {

struct Settings {
    std::string logPath;           // MISEAJOUR_STANDIN_LOG, else DefaultLogPath()
    unsigned long waitMilliseconds = 0; // MISEAJOUR_STANDIN_MS
    unsigned long exitCode = 0;    // MISEAJOUR_STANDIN_EXIT; decimal, or hex with 0x
    bool showWindow = false;       // MISEAJOUR_STANDIN_WINDOW equal to "1"
    bool spoilBackup = false;      // MISEAJOUR_STANDIN_SPOIL_BACKUP equal to "1"
    bool stampVersion = false;     // MISEAJOUR_STANDIN_STAMP equal to "1"
    std::string crash;             // MISEAJOUR_STANDIN_CRASH: "1", "removal", "reinstall" or ""

    // Unset, empty or unreadable numbers leave the defaults above.
    static Settings FromEnvironment();
};

} // namespace standin
