#pragma once
// The lines of a text file another program or another PC wrote: the records and
// the room's list of PCs.

#include <string>
#include <vector>

// The lines of `text`, each ended by CR LF or by LF alone (and the last one by the
// end of the text), without their ends.
std::vector<std::string> SplitLines(const std::string& text);
