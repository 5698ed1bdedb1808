#include "RunRecorder.h"

#include "FileQueries.h"
#include "Room.h"
#include "SystemInfo.h"
#include "TextConversion.h"
#include "WholeFile.h"

#include <cstdio>

namespace {

std::string Utf8(const char* ansi)
{
    return AfxUtf8FromAnsi(ansi);
}

} // namespace

CRunRecorder::Folder* CRunRecorder::Find(const char* path)
{
    for (Folder& folder : m_folders) {
        if (folder.path.CompareNoCase(path) == 0)
            return &folder;
    }
    return nullptr;
}

void CRunRecorder::OnFolderRead(const CCatalogFolder& read)
{
    if (!read.folder || !*read.folder)
        return;
    // The catalogue is read again before each folder: the first reading tells
    // the version found, the last whether the folder is still offered.
    Folder* folder = Find(read.folder);
    if (!folder) {
        m_folders.push_back(Folder());
        folder = &m_folders.back();
        folder->path = read.folder;
        folder->version = read.version;
    }
    folder->offered = read.offered;
}

void CRunRecorder::OnNotReinstalled(const char* name, NotReinstalled /*why*/, DWORD /*code*/)
{
    if (!m_notReinstalled.Contains(name))
        m_notReinstalled.Add(name);
}

void CRunRecorder::OnError(const CUpdateError& error)
{
    m_lastError = error;
}

void CRunRecorder::OnUpdateEnds(const char* path, UpdateOutcome outcome, int error)
{
    Folder* folder = Find(path);
    if (!folder) {
        m_folders.push_back(Folder());
        folder = &m_folders.back();
        folder->path = path;
        folder->offered = true;
    }
    folder->ended = true;
    folder->outcome = outcome;
    folder->error = error;
    folder->cause = outcome == UpdateOutcome::Failed && m_lastError.number == error ? m_lastError.Sentence()
                                                                                      : CString();
}

CRunRecord CRunRecorder::Record(CRunRecord facts, const CodelessApplications& codeless) const
{
    CRunRecord record = std::move(facts);
    for (const Folder& folder : m_folders) {
        CRecordFolder out;
        out.path = Utf8(folder.path);
        out.version = Utf8(folder.version);
        if (!folder.ended)
            out.fate = folder.offered ? FolderFate::NeedsUpdate : FolderFate::UpToDate;
        else if (folder.outcome == UpdateOutcome::Updated)
            out.fate = FolderFate::Updated;
        else if (folder.outcome == UpdateOutcome::LeftOpen)
            out.fate = FolderFate::LeftOpen;
        else
            out.fate = FolderFate::Stopped;
        if (out.fate == FolderFate::Stopped) {
            out.error = folder.error;
            out.cause = Utf8(folder.cause);
        }
        // What the update of this folder, still to come, will leave to reinstall.
        if (out.fate != FolderFate::Updated && out.fate != FolderFate::UpToDate && codeless) {
            const CStringArray names = codeless(folder.path);
            for (int i = 0; i < names.GetSize(); ++i)
                record.willRemove.push_back(Utf8(names.GetAt(i)));
        }
        record.folders.push_back(out);
    }
    for (int i = 0; i < m_notReinstalled.GetSize(); ++i)
        record.toReinstall.push_back(Utf8(m_notReinstalled.GetAt(i)));
    return record;
}

CRunRecord RunFacts(const char* programPath)
{
    CRunRecord facts;
    facts.computer = Utf8(ComputerName());
    facts.user = Utf8(UserName());
    facts.version = Utf8(ModuleFileVersion(programPath));
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char time[32];
    std::snprintf(time, sizeof time, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    facts.endTime = time;
    return facts;
}

DWORD WriteRunRecord(const char* folder, const CRunRecord& record, CString& written, bool& kept)
{
    kept = false;
    written = NormalFolderPath(folder);
    if (!IsComputerName(record.computer))
        return ERROR_INVALID_NAME;
    if (written.IsEmpty() || written.GetAt(written.GetLength() - 1) != '\\')
        written += "\\";
    written += RecordFileName(record.computer.c_str()).c_str();
    std::string bytes;
    CRunRecord previous;
    if (ReadFileShared(written, kRecordMaxBytes, bytes) && ParseRecord(bytes, previous)
        && KeepsPrevious(previous, record)) {
        kept = true;
        return 0;
    }
    return WriteFileWhole(written, RecordText(record));
}
