#pragma once
// The record of a run for the technician: every event the catalogue, the update
// procedure and the dialog report, one French line each, in the run log (LogFile.h).
// A log that cannot be written changes nothing else: every call then does nothing.

#include "CatalogEvents.h"
#include "LogFile.h"
#include "UpdateEvents.h"

// %TEMP%\MiseAJour.log: the temporary folder of the account that runs the updater.
CString DefaultLogPath();

class CRunLog : public IUpdateEvents, public ICatalogEvents {
public:
    // False when the log cannot be opened for writing.
    bool Open(const char* path);
    bool IsOpen() const { return m_file.IsOpen(); }
    // The log's path when it is open, "" when not.
    CString WrittenPath() const;

    // The run's first lines: the updater's version, the computer, the user, the
    // system, the program's own path and its command line.
    void WriteStart(const char* programPath, const char* commandLine);
    // Where the disc's installer was found, or every directory searched in vain.
    void WriteDisc(bool found, const char* disc, const CStringArray& searched);
    // The last line: the exit code and what it means.
    void WriteEnd(int exitCode);
    // The line of a fault of the updater itself that broke the run off (`what` says
    // where, or which exception), before the last line.
    void WriteFault(const char* what);
    void WriteLine(const char* text) { m_file.WriteLine(text); }

    void OnSuiteKeyMissing(const char* keyPath) override;
    void OnFolderRead(const CCatalogFolder& folder) override;

    void OnUpdateBegins(const char* folder) override;
    void OnApplications(const CResolvedApplications& applications) override;
    void OnOpenApplications(const char* folder, const CStringArray& images) override;
    void OnDiscFound(const char* disc) override;
    void OnStep(UpdateStep step, const char* name, int index, int count) override;
    void OnInstallerRun(const CInstallerRun& run) override;
    void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code) override;
    void OnInfoBlockNotPublished(DWORD systemError) override;
    void OnCopyFailed(const char* source, const char* target, DWORD systemError) override;
    void OnError(const CUpdateError& error) override;
    void OnUpdateEnds(const char* folder, UpdateOutcome outcome, int error) override;
    void OnMessageBox(const char* text, UINT type, int answer) override;

private:
    CLogFile m_file;
};
