#pragma once
// What a reinstall by the real installer leaves behind, as far as the updater can
// see it: the suite's main program at version 1.3. Asked for with
// MISEAJOUR_STANDIN_STAMP=1, so that a folder is no longer offered afterwards.

#include <string>

namespace standin {

// Gives `path` (an existing executable) a version resource whose file and product
// versions are 1.3.0.0, with the strings "FileVersion" = "1, 3, 0, 0" in French,
// Windows-1252 (040c04e4). A version resource of another language already in the
// file gets the same block, so no reader finds an older version. The file's other
// resources are kept. False when the file is missing or cannot be rewritten.
bool StampSuiteVersion(const std::string& path);

} // namespace standin
