// The update of one folder: brings the disc's installer into the folder, runs it
// once to remove the old installation and once per application to reinstall it.

#include "UpdateProcedure.h"

#include "CompressedFile.h"
#include "FileQueries.h"
#include "InstallerHandoff.h"
#include "RunningProcesses.h"

namespace {

const char kInstallerName[] = "_install.exe";

CString PathIn(const CString& directory, const char* format)
{
    CString path;
    path.Format(format, static_cast<const char*>(directory));
    return path;
}

// Deletes an updater file of the folder. With `clearReadOnly`, a read-only bit (a
// copy from a read-only disc keeps it) is cleared first, other attributes kept.
void DeleteUpdaterFile(const CString& path, bool clearReadOnly)
{
    if (clearReadOnly) {
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            ::SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    OFSTRUCT unused = {};
    ::OpenFile(PathForOpenFile(path), &unused, OF_DELETE);
}

// The size the compressed installer expands to: the size its header records, or
// for a file stored uncompressed (which the expansion copies as it is) its own size.
bool ExpectedExpandedSize(const CString& compressedPath, DWORD& size)
{
    if (ReadCompressedSize(compressedPath, size))
        return true;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(compressedPath, GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0)
        return false;
    size = data.nFileSizeLow;
    return true;
}

// Whether a path "\\server\share..." goes at least as far as its share's name.
bool IsBelowShareName(const CString& path)
{
    int separators = 0;
    for (int i = 0; i < path.GetLength(); ++i)
        separators += path.GetAt(i) == '\\';
    return separators >= 3 && path.GetAt(path.GetLength() - 1) != '\\';
}

} // namespace

CUpdateProcedure::CUpdateProcedure(IUpdateDriver& driver, std::vector<IUpdateEvents*> listeners,
                                   CString programPath)
    : m_driver(driver), m_listeners(std::move(listeners)), m_programPath(std::move(programPath))
{
}

template <class Report>
void CUpdateProcedure::Tell(Report report)
{
    for (IUpdateEvents* listener : m_listeners)
        report(*listener);
    report(static_cast<IUpdateEvents&>(m_driver));
}

void CUpdateProcedure::Fail(CUpdateError error)
{
    m_error = std::move(error);
    Tell([this](IUpdateEvents& events) { events.OnError(m_error); });
}

bool CUpdateProcedure::LocateDiscInstaller(const char* programPath, CString& discDirectory, CStringArray* searched)
{
    CString candidate = programPath ? programPath : "";
    // On a share the walk ends at "\\serveur\logiciels": above it "\\serveur" is no
    // folder, and "\" would be the root of whatever drive is current.
    const bool onShare = candidate.Left(2) == "\\\\";
    for (;;) {
        const int slash = candidate.ReverseFind('\\');
        if (slash < 0)
            return false;
        candidate = candidate.Left(slash);
        if (onShare && !IsBelowShareName(candidate))
            return false;
        if (searched)
            searched->Add(candidate);
        if (FileExists(PathIn(candidate, "%s\\_install.ex_"))) {
            discDirectory = candidate;
            return true;
        }
    }
}

UpdateOutcome CUpdateProcedure::Run(const CString& folder, CResolvedApplications applications)
{
    m_error = CUpdateError();
    Tell([&](IUpdateEvents& events) { events.OnUpdateBegins(folder); });
    Tell([&](IUpdateEvents& events) { events.OnApplications(applications); });

    if (!WaitUntilNoApplicationRuns(folder)) {
        Tell([&](IUpdateEvents& events) { events.OnUpdateEnds(folder, UpdateOutcome::LeftOpen, kNoError); });
        return UpdateOutcome::LeftOpen;
    }

    Tell([](IUpdateEvents& events) { events.OnStep(UpdateStep::CopyInstaller, "", 0, 0); });
    CString disc;
    CUpdateError notFound;
    if (LocateDiscInstaller(m_programPath, disc, &notFound.searched)) {
        Tell([&](IUpdateEvents& events) { events.OnDiscFound(disc); });
        BringInstallerInto(folder, disc);
    } else {
        notFound.number = kNoDiscInstaller;
        notFound.folder = folder;
        notFound.path = notFound.searched.GetSize() > 0 ? notFound.searched.GetAt(0) : CString();
        Fail(notFound);
    }

    const CString installer = PathIn(folder, "%s\\_install.exe");
    const CString backup = PathIn(folder, "%s\\_install.bak");
    if (Error() == kNoError) {
        CopyTold(installer, backup);
        Tell([](IUpdateEvents& events) { events.OnStep(UpdateStep::RemoveOldVersion, "", 0, 0); });
        CString removal;
        removal.Format(kRemovalCommandFormat, static_cast<const char*>(folder));
        const CInstallerRun run = RunInstaller(folder, removal, UpdateStep::RemoveOldVersion, "");
        if (!run.started) {
            CUpdateError error;
            error.number = kRemovalNotStarted;
            error.folder = folder;
            error.path = installer;
            error.systemError = run.error;
            Fail(error);
        }
    }

    if (Error() == kNoError) {
        // The removal run may have taken the installer away with the old installation.
        CopyTold(backup, installer);
        ReinstallApplications(folder, disc, applications);
        DeleteUpdaterFile(backup, false);
    }

    const UpdateOutcome outcome = Error() == kNoError ? UpdateOutcome::Updated : UpdateOutcome::Failed;
    Tell([&](IUpdateEvents& events) { events.OnUpdateEnds(folder, outcome, Error()); });
    return outcome;
}

bool CUpdateProcedure::WaitUntilNoApplicationRuns(const CString& folder)
{
    for (;;) {
        CStringArray images;
        // A process list that cannot be taken says nothing is open: the update goes
        // on as it did before the check existed.
        if (!FindProcessesInFolder(folder, images) || images.GetSize() == 0)
            return true;
        Tell([&](IUpdateEvents& events) { events.OnOpenApplications(folder, images); });
        if (!m_driver.RetryWithOpenApplications(folder, images))
            return false;
    }
}

// Copies the disc's "_install.ex_" into `folder` and expands it there to
// "_install.exe"; a failure is reported as error 2 or 3.
void CUpdateProcedure::BringInstallerInto(const CString& folder, const CString& disc)
{
    const CString compressed = PathIn(folder, "%s\\_install.ex_");
    const CString installer = PathIn(folder, "%s\\_install.exe");
    CUpdateError error;
    error.folder = folder;

    if (FileExists(installer))
        DeleteUpdaterFile(installer, true);
    // An earlier expansion that failed leaves its copy behind; without this the
    // folder could never be updated again.
    DeleteUpdaterFile(compressed, true);
    if (!::CopyFileA(PathIn(disc, "%s\\_install.ex_"), compressed, TRUE)) {
        error.number = kCopyFailed;
        error.systemError = ::GetLastError();
        error.path = compressed;
        Fail(error);
        return;
    }

    // A scratched disc or a full disk gives a short copy: such an installer must
    // never run half-written, nor be left behind to be started by hand.
    DWORD expected = 0;
    long copied = -1;
    const bool known = ExpectedExpandedSize(compressed, expected);
    error.number = kExpandFailed;
    error.path = installer;
    ::SetLastError(ERROR_SUCCESS);
    if (!ExpandCompressedFile(folder, folder, kInstallerName, copied)) {
        error.systemError = ::GetLastError();
        Fail(error);
        return;
    }
    if (!known || copied < 0 || static_cast<DWORD>(copied) != expected) {
        DeleteUpdaterFile(installer, true);
        error.lzError = copied < 0 ? copied : 0;
        error.expandedBytes = copied < 0 ? 0 : copied;
        error.expectedBytes = known ? static_cast<long>(expected) : -1;
        Fail(error);
        return;
    }

    // A copy from a read-only disc keeps that attribute.
    DeleteUpdaterFile(compressed, true);
}

// A copy the update goes on without whatever its result; a failure is told all the same.
void CUpdateProcedure::CopyTold(const CString& source, const CString& target)
{
    if (::CopyFileA(source, target, FALSE))
        return;
    const DWORD error = ::GetLastError();
    Tell([&](IUpdateEvents& events) { events.OnCopyFailed(source, target, error); });
}

CInstallerRun CUpdateProcedure::RunInstaller(const CString& folder, const CString& commandLine, UpdateStep step,
                                             const char* name)
{
    CInstallerRun run;
    run.step = step;
    run.name = name;
    run.application = PathIn(folder, "%s\\_install.exe");
    run.commandLine = commandLine;
    run.directory = folder;
    CRunOutcome outcome;
    StartAndWait(run.application, run.commandLine, run.directory, outcome);
    run.started = outcome.started;
    run.error = outcome.error;
    run.exitCode = outcome.exitCode;
    run.milliseconds = outcome.milliseconds;
    Tell([&](IUpdateEvents& events) { events.OnInstallerRun(run); });
    return run;
}

// One reinstall run per application with a product code, a report for the others.
void CUpdateProcedure::ReinstallApplications(const CString& folder, const CString& disc,
                                             const CResolvedApplications& applications)
{
    CString reinstall;
    reinstall.Format(kReinstallCommandFormat, static_cast<const char*>(disc));
    const int runs = CountWithCode(applications);

    // The installer finds the parent of the folder in the info block while it
    // reinstalls; the block lives until the last reinstall run has ended.
    CSharedBlock infoBlock;
    if (!infoBlock.Publish(kInfoBlockName, kInfoBlockSize, folder.Left(folder.ReverseFind('\\')))) {
        const DWORD error = ::GetLastError();
        Tell([&](IUpdateEvents& events) { events.OnInfoBlockNotPublished(error); });
    }

    // In the order the catalogue found them, not the sorted order of the list.
    int rank = 0;
    for (const CResolvedApplication& application : applications) {
        const char* name = application.name;
        if (!application.HasCode()) {
            Tell([&](IUpdateEvents& events) { events.OnNotReinstalled(name, application.whyNoCode, 0); });
            continue;
        }
        ++rank;
        CSharedBlock codeBlock;
        if (!codeBlock.Publish(kCodeBlockName, kCodeBlockSize, application.productCode)) {
            // No run and no box, but never without a word in the log.
            const DWORD error = ::GetLastError();
            Tell([&](IUpdateEvents& events) { events.OnNotReinstalled(name, NotReinstalled::PassedOver, error); });
            continue;
        }
        Tell([&](IUpdateEvents& events) { events.OnStep(UpdateStep::Reinstall, name, rank, runs); });
        const CInstallerRun run = RunInstaller(folder, reinstall, UpdateStep::Reinstall, name);
        if (!run.started)
            Tell([&](IUpdateEvents& events) { events.OnNotReinstalled(name, NotReinstalled::RunNotStarted, run.error); });
        else if (run.Crashed())
            Tell([&](IUpdateEvents& events) { events.OnNotReinstalled(name, NotReinstalled::RunCrashed, run.exitCode); });
    }
}
