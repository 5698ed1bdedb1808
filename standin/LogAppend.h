#pragma once
// Appends sections to the stand-in's log.

#include <string>

namespace standin {

// Appends `text` to the file `path`, creating it when missing, in one write, and
// closes the file again so that nothing stays buffered or locked while the run
// waits or if it is killed. Opening for append only makes concurrent runs land
// their sections whole, one after another. False when the file cannot be
// opened or written.
bool AppendToLog(const std::string& path, const std::string& text);

} // namespace standin
