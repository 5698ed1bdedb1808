#include "RunRecord.h"

#include "TextConversion.h"
#include "TextLines.h"

#include <cstdlib>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
const char kFormatName[] = "MiseAJour poste ";
const int kFormatVersion = 1;
const char kClosingLine[] = "fin";
const char kIndent[] = "  ";

// A value on one line: control characters, CR and LF among them, become blanks.
std::string OneLine(const std::string& value)
{
    std::string line = value;
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return line;
}

void Put(std::string& text, const char* key, const std::string& value, bool indented = false)
{
    if (indented)
        text += kIndent;
    text += key;
    text += ": ";
    text += OneLine(value);
    text += "\r\n";
}

bool ReadInteger(const std::string& value, int& out)
{
    if (value.empty() || value.size() > 10)
        return false;
    size_t i = value[0] == '-' ? 1 : 0;
    if (i == value.size())
        return false;
    for (size_t j = i; j < value.size(); ++j) {
        if (value[j] < '0' || value[j] > '9')
            return false;
    }
    out = static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
    return true;
}

bool ReadFate(const std::string& value, FolderFate& out)
{
    for (FolderFate fate : {FolderFate::Updated, FolderFate::UpToDate, FolderFate::NeedsUpdate, FolderFate::LeftOpen,
                            FolderFate::Stopped}) {
        if (value == FateKey(fate)) {
            out = fate;
            return true;
        }
    }
    return false;
}

bool ReadMode(const std::string& value, RunMode& out)
{
    for (RunMode mode : {RunMode::Dialog, RunMode::Quiet, RunMode::Check}) {
        if (value == ModeKey(mode)) {
            out = mode;
            return true;
        }
    }
    return false;
}

} // namespace

const char* FateKey(FolderFate fate)
{
    switch (fate) {
    case FolderFate::Updated: return "mis-a-jour";
    case FolderFate::UpToDate: return "deja-a-jour";
    case FolderFate::NeedsUpdate: return "a-mettre-a-jour";
    case FolderFate::LeftOpen: return "laisse-programmes-ouverts";
    case FolderFate::Stopped: return "arrete-sur-erreur";
    }
    return "";
}

const char* ModeKey(RunMode mode)
{
    switch (mode) {
    case RunMode::Dialog: return "dialogue";
    case RunMode::Quiet: return "quiet";
    case RunMode::Check: return "check";
    }
    return "";
}

std::string RecordText(const CRunRecord& record)
{
    std::string text = kByteOrderMark;
    text += kFormatName + std::to_string(kFormatVersion) + "\r\n";
    Put(text, "ordinateur", record.computer);
    Put(text, "utilisateur", record.user);
    Put(text, "date", record.endTime);
    Put(text, "version", record.version);
    Put(text, "mode", ModeKey(record.mode));
    Put(text, "code", std::to_string(record.exitCode));
    Put(text, "sens", record.meaning);
    for (const CRecordFolder& folder : record.folders) {
        Put(text, "dossier", folder.path);
        Put(text, "version", folder.version, true);
        Put(text, "devenir", FateKey(folder.fate), true);
        if (folder.fate == FolderFate::Stopped) {
            Put(text, "erreur", std::to_string(folder.error), true);
            Put(text, "cause", folder.cause, true);
        }
    }
    for (const std::string& name : record.toReinstall)
        Put(text, "a-reinstaller", name);
    for (const std::string& name : record.willRemove)
        Put(text, "sera-retiree", name);
    if (!record.logPath.empty())
        Put(text, "journal", record.logPath);
    text += kClosingLine;
    text += "\r\n";
    return text;
}

bool ParseRecord(const std::string& bytes, CRunRecord& out)
{
    out = CRunRecord();
    if (bytes.size() > kRecordMaxBytes || !AfxIsUtf8(bytes.data(), static_cast<int>(bytes.size())))
        return false;
    std::string text = bytes;
    if (text.compare(0, 3, kByteOrderMark) == 0)
        text.erase(0, 3);
    const std::vector<std::string> lines = SplitLines(text);
    const std::string format = kFormatName;
    int version = 0;
    if (lines.empty() || lines[0].compare(0, format.size(), format) != 0
        || !ReadInteger(lines[0].substr(format.size()), version) || version < 1)
        return false;

    bool haveComputer = false, haveCode = false, closed = false;
    for (size_t i = 1; i < lines.size() && !closed; ++i) {
        const std::string& line = lines[i];
        if (line == kClosingLine) {
            closed = true;
            break;
        }
        const bool indented = line.compare(0, 2, kIndent) == 0;
        const size_t colon = line.find(": ");
        if (colon == std::string::npos)
            continue;   // a line of a later format
        const std::string key = line.substr(indented ? 2 : 0, colon - (indented ? 2 : 0));
        const std::string value = line.substr(colon + 2);
        if (indented) {
            if (out.folders.empty())
                continue;
            CRecordFolder& folder = out.folders.back();
            if (key == "version")
                folder.version = value;
            else if (key == "devenir")
                ReadFate(value, folder.fate);
            else if (key == "erreur")
                ReadInteger(value, folder.error);
            else if (key == "cause")
                folder.cause = value;
        } else if (key == "ordinateur") {
            out.computer = value;
            haveComputer = !value.empty();
        } else if (key == "utilisateur") {
            out.user = value;
        } else if (key == "date") {
            out.endTime = value;
        } else if (key == "version") {
            out.version = value;
        } else if (key == "mode") {
            ReadMode(value, out.mode);
        } else if (key == "code") {
            haveCode = ReadInteger(value, out.exitCode);
        } else if (key == "sens") {
            out.meaning = value;
        } else if (key == "dossier") {
            CRecordFolder folder;
            folder.path = value;
            out.folders.push_back(folder);
        } else if (key == "a-reinstaller") {
            out.toReinstall.push_back(value);
        } else if (key == "sera-retiree") {
            out.willRemove.push_back(value);
        } else if (key == "journal") {
            out.logPath = value;
        }
    }
    return haveComputer && haveCode && closed;
}

bool KeepsPrevious(const CRunRecord& previous, const CRunRecord& next)
{
    return next.mode == RunMode::Check && next.exitCode == 0 && previous.mode != RunMode::Check
           && (previous.exitCode == 0 || previous.exitCode == 6);
}
