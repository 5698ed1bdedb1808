#pragma once
// The report's words for what a record holds, in UTF-8, shared by the page and the
// spreadsheet so that both say the same.

#include "Room.h"

#include <string>

// `ansi` (a text of this program, in the ANSI code page) in UTF-8.
std::string U(const char* ansi);
// "échec", "à jour"...
std::string StateText(PcState state);
// "fenêtre", "/quiet", "/check".
std::string ModeText(RunMode mode);
// "2026-12-08 16:43:00, /quiet, code 6"; "" for a row with no record.
std::string LastRunText(const CRoomRow& row);
// "C:\Orvandel\Salle 12 (1, 2, 0, 0) : mis à jour"
std::string FolderText(const CRecordFolder& folder);
// The applications the technician must reinstall by hand: those this run could
// not put back, or, for a PC not yet updated, "à prévoir : " and those the update
// will remove. Joined by ", "; "" when none.
std::string ReinstallText(const CRoomRow& row);
// What the row says when it has no record: "" for a readable one.
std::string NoRecordText(const CRoomRow& row);
