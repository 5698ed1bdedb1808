#include "StandinLog.h"

#include "CKernelHandle.h"

#include <windows.h>
#include <cstdlib>
#include <cstring>

namespace standin {

namespace {

const char kAbsentText[] = "<absent>";
const char kUnreadableText[] = "<unreadable>";
const char kNoBytes[] = "-";

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// A value on one line: CR and LF would split the record, the hex line keeps them.
std::string OneLine(const std::string& bytes)
{
    std::string line(bytes);
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = '?';
    }
    return line;
}

std::string ToHex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    return hex;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// False, `bytes` unchanged, when `hex` is not an even run of hex digits.
bool FromHex(const std::string& hex, std::string& bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    std::string decoded;
    decoded.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        decoded += static_cast<char>(high * 16 + low);
    }
    bytes.swap(decoded);
    return true;
}

void AppendText(std::string& out, const char* key, const std::string& bytes)
{
    out += key;
    out += '=';
    out += OneLine(bytes);
    out += "\r\n";
    out += key;
    out += ".hex=";
    out += ToHex(bytes);
    out += "\r\n";
}

void AppendBlock(std::string& out, const char* key, const Block& block)
{
    if (block.state == Block::Present) {
        AppendText(out, key, block.text);
        return;
    }
    out += key;
    out += '=';
    out += block.state == Block::Absent ? kAbsentText : kUnreadableText;
    out += "\r\n";
    out += key;
    out += ".hex=";
    out += kNoBytes;
    out += "\r\n";
}

void AppendNumber(std::string& out, const char* key, unsigned long value)
{
    out += key;
    out += '=';
    out += std::to_string(value);
    out += "\r\n";
}

unsigned long ToNumber(const std::string& text)
{
    return std::strtoul(text.c_str(), nullptr, 10);
}

// Fields of one section as the reader meets them; a ".hex" value overrides the
// raw one whenever it decodes.
class SectionReader {
public:
    explicit SectionReader(Run& run) : m_run(run) {}

    void Take(const std::string& key, const std::string& value)
    {
        if (key == "pid") m_run.processId = ToNumber(value);
        else if (key == "mode") m_run.mode = value == "removal" ? Mode::Removal
                                           : value == "reinstall" ? Mode::Reinstall : Mode::Unknown;
        else if (key == "cmdline") m_run.commandLine = value;
        else if (key == "cmdline.hex") FromHex(value, m_run.commandLine);
        else if (key == "cwd") m_run.currentDirectory = value;
        else if (key == "cwd.hex") FromHex(value, m_run.currentDirectory);
        else if (key == "module") m_run.modulePath = value;
        else if (key == "module.hex") FromHex(value, m_run.modulePath);
        else if (key == "info") TakeBlock(m_run.info, value);
        else if (key == "info.hex") TakeBlockHex(m_run.info, value);
        else if (key == "code") TakeBlock(m_run.code, value);
        else if (key == "code.hex") TakeBlockHex(m_run.code, value);
        else if (key == "exit") m_run.exitCode = ToNumber(value);
        else if (key == "wait") m_run.waitMilliseconds = ToNumber(value);
    }

private:
    static void TakeBlock(Block& block, const std::string& value)
    {
        if (value == kAbsentText) {
            block.state = Block::Absent;
            block.text.clear();
        } else if (value == kUnreadableText) {
            block.state = Block::Unreadable;
            block.text.clear();
        } else {
            block.state = Block::Present;
            block.text = value;
        }
    }

    static void TakeBlockHex(Block& block, const std::string& value)
    {
        if (value == kNoBytes)
            return; // the raw line has said which of <absent> and <unreadable>
        if (FromHex(value, block.text))
            block.state = Block::Present;
    }

    Run& m_run;
};

} // namespace

Mode ClassifyCommandLine(const std::string& commandLine, std::string& argument)
{
    if (StartsWith(commandLine, kRemovalPrefix)) {
        argument = commandLine.substr(std::strlen(kRemovalPrefix));
        return Mode::Removal;
    }
    if (StartsWith(commandLine, kReinstallPrefix)) {
        argument = commandLine.substr(std::strlen(kReinstallPrefix));
        return Mode::Reinstall;
    }
    argument.clear();
    return Mode::Unknown;
}

const char* ModeName(Mode mode)
{
    switch (mode) {
    case Mode::Removal: return "removal";
    case Mode::Reinstall: return "reinstall";
    default: return "unknown";
    }
}

std::string FormatRunSection(const Run& run)
{
    std::string out = "[run]\r\n";
    AppendNumber(out, "pid", run.processId);
    out += "mode=";
    out += ModeName(run.mode);
    out += "\r\n";
    AppendText(out, "cmdline", run.commandLine);
    AppendText(out, "cwd", run.currentDirectory);
    AppendText(out, "module", run.modulePath);
    AppendBlock(out, "info", run.info);
    AppendBlock(out, "code", run.code);
    AppendNumber(out, "exit", run.exitCode);
    AppendNumber(out, "wait", run.waitMilliseconds);
    return out;
}

std::string FormatDoneSection(unsigned long processId)
{
    std::string out = "[done]\r\n";
    AppendNumber(out, "pid", processId);
    return out;
}

std::vector<Run> ParseLog(const std::string& text)
{
    std::vector<Run> runs;
    Run* current = nullptr;    // the [run] section being read
    bool inDone = false;       // reading a [done] section, which needs its pid
    int sections = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

        if (line == "[run]") {
            runs.emplace_back();
            current = &runs.back();
            current->startOrder = sections++;
            inDone = false;
            continue;
        }
        if (line == "[done]") {
            current = nullptr;
            inDone = true;
            ++sections;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (current) {
            SectionReader(*current).Take(key, value);
        } else if (inDone && key == "pid") {
            const unsigned long pid = ToNumber(value);
            for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
                if (it->processId == pid && it->doneOrder < 0) {
                    it->doneOrder = sections - 1;
                    break;
                }
            }
            inDone = false;
        }
    }
    for (Run& run : runs) {
        std::string argument;
        ClassifyCommandLine(run.commandLine, argument);
        run.argument = argument;
    }
    return runs;
}

bool ReadLog(const std::string& path, std::vector<Run>& runs)
{
    runs.clear();
    // The stand-in may be appending at this very moment.
    CKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.GetSafeHandle(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    runs = ParseLog(text);
    return true;
}

std::string DefaultLogPath()
{
    char temp[MAX_PATH + 1] = "";
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    std::string path(temp, length > 0 && length < sizeof temp ? length : 0);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + "installer-standin.log";
}

} // namespace standin
