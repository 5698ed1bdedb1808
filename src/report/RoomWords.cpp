#include "RoomWords.h"

#include "TextConversion.h"

namespace {

std::string Joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

} // namespace

std::string U(const char* ansi)
{
    return AfxUtf8FromAnsi(ansi);
}

std::string StateText(PcState state)
{
    return U(StateWords(state));
}

std::string ModeText(RunMode mode)
{
    switch (mode) {
    case RunMode::Dialog: return U("fenêtre");
    case RunMode::Quiet: return "/quiet";
    case RunMode::Check: return "/check";
    }
    return std::string();
}

std::string LastRunText(const CRoomRow& row)
{
    if (row.state == PcState::Unreadable || row.state == PcState::NotSeen)
        return std::string();
    return row.record.endTime + ", " + ModeText(row.record.mode) + ", code " + std::to_string(row.record.exitCode);
}

std::string FolderText(const CRecordFolder& folder)
{
    std::string text = folder.path;
    if (!folder.version.empty())
        text += " (" + folder.version + ")";
    text += U(" : ");
    switch (folder.fate) {
    case FolderFate::Updated: return text + U("mis à jour");
    case FolderFate::UpToDate: return text + U("déjà en version 1.3");
    case FolderFate::NeedsUpdate: return text + U("à mettre à jour");
    case FolderFate::LeftOpen: return text + U("laissé, des programmes y étaient ouverts");
    case FolderFate::Stopped:
        return text + U("arrêté sur l'erreur ") + std::to_string(folder.error)
               + (folder.cause.empty() ? std::string() : ", " + folder.cause);
    }
    return text;
}

std::string ReinstallText(const CRoomRow& row)
{
    if (row.state == PcState::Unreadable || row.state == PcState::NotSeen)
        return std::string();
    std::string text = Joined(row.record.toReinstall);
    if (!row.record.willRemove.empty())
        text += (text.empty() ? "" : " ; ") + U("à prévoir : ") + Joined(row.record.willRemove);
    return text;
}

std::string NoRecordText(const CRoomRow& row)
{
    if (row.state == PcState::Unreadable)
        return U("ce fichier n'est pas un relevé lisible de MiseAJour");
    if (row.state == PcState::NotSeen)
        return U("aucun passage enregistré");
    return std::string();
}
