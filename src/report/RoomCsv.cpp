#include "RoomPage.h"

#include "RoomWords.h"

namespace {

std::string Line(const std::vector<std::string>& cells)
{
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? ";" : "") + CsvCell(cells[i]);
    return line + "\r\n";
}

} // namespace

std::string CsvCell(const std::string& text)
{
    std::string cell = "\"";
    // A spreadsheet runs a cell that begins so as a formula, whatever its quotes.
    if (!text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos)
        cell += '\'';
    for (char c : text) {
        if (c == '"')
            cell += '"';
        cell += c;
    }
    return cell + "\"";
}

std::string RoomCsv(const CRoom& room)
{
    std::string csv = "\xEF\xBB\xBF";
    csv += Line({"Poste", U("État"), "Dernier passage", "Mode", "Code", "Dossiers", U("À réinstaller à la main"),
                 "Journal"});
    for (const CRoomRow& row : room.rows) {
        const bool recorded = NoRecordText(row).empty();
        std::string folders = recorded ? std::string() : NoRecordText(row);
        if (recorded) {
            for (const CRecordFolder& folder : row.record.folders)
                folders += (folders.empty() ? "" : " | ") + FolderText(folder);
        }
        csv += Line({row.name, StateText(row.state), recorded ? row.record.endTime : std::string(),
                     recorded ? ModeText(row.record.mode) : std::string(),
                     recorded ? std::to_string(row.record.exitCode) : std::string(), folders, ReinstallText(row),
                     row.logLink});
    }
    return csv;
}
