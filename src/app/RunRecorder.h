#pragma once
// The record this run leaves in the room's folder (/report=FOLDER), built from what
// the catalogue and the update procedure report: what became of every folder the
// catalogue read, and the applications a technician must reinstall by hand.

#include "CatalogEvents.h"
#include "CStringArray.h"
#include "RunRecord.h"
#include "UpdateEvents.h"

#include <functional>
#include <vector>

class CRunRecorder : public IUpdateEvents, public ICatalogEvents {
public:
    // The applications of a folder that the update removes without reinstalling
    // them (those without a product code).
    using CodelessApplications = std::function<CStringArray(const char* folder)>;

    void OnFolderRead(const CCatalogFolder& folder) override;
    void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code) override;
    void OnError(const CUpdateError& error) override;
    void OnUpdateEnds(const char* folder, UpdateOutcome outcome, int error) override;

    // The record of the run as it ends. The facts of the run (the computer, the user,
    // the time...) are the caller's; this fills in the folders and the
    // applications, asking `codeless` for those of every folder not updated.
    CRunRecord Record(CRunRecord facts, const CodelessApplications& codeless) const;

private:
    struct Folder {
        CString path;
        CString version;      // as first read: the version the run found
        bool offered = false; // as last read
        bool ended = false;   // the procedure reported its end
        UpdateOutcome outcome = UpdateOutcome::Updated;
        int error = 0;
        CString cause;
    };
    Folder* Find(const char* path);

    std::vector<Folder> m_folders;   // in the order the catalogue first read them
    CStringArray m_notReinstalled;
    CUpdateError m_lastError;
};

// What is known of this computer and this run for its record: the computer, the
// user, the local time now, the updater's version; the caller adds the rest.
CRunRecord RunFacts(const char* programPath);

// Writes `record` into `folder` as this computer's record, whole or not at all
// (WholeFile.h), unless the record already there is one it leaves in place
// (KeepsPrevious): `kept` then says so. Returns 0, or the Win32 error that kept it
// from being written (ERROR_INVALID_NAME for a computer whose name cannot name a
// record); `written` holds the record's path.
DWORD WriteRunRecord(const char* folder, const CRunRecord& record, CString& written, bool& kept);
