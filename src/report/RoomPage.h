#pragma once
// The room's report in the two forms a technician reads: a page for a browser, a
// phone or the printer, and a table for a spreadsheet. Both are UTF-8; every value
// that comes from a record is written as text, whatever it holds.

#include "Room.h"

#include <string>

// rapport.html: one self-contained page in French (styles in the page, no script,
// no link but to the PCs' logs in the room's folder). `folder` names the room and
// `madeAt` the report's local time, both UTF-8.
std::string RoomHtml(const CRoom& room, const std::string& folder, const std::string& madeAt);

// rapport.csv: a byte-order mark, a header row, then one row per PC; semicolons, CR
// LF, every cell quoted. A cell a spreadsheet would take for a formula (one that
// begins with "=", "+", "-", "@", a tab or a CR) is written after an apostrophe.
std::string RoomCsv(const CRoom& room);

// `text` for an HTML page: "&", "<", ">", '"' and "'" as character references.
std::string HtmlText(const std::string& text);
// `text` as one CSV cell, quoted, with the formula guard above.
std::string CsvCell(const std::string& text);
