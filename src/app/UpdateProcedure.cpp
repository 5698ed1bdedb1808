// "Mettre à jour": brings the disc's installer into the selected folder, runs it once
// to remove the old installation and once per application to reinstall it.

#include "UpdateDlg.h"

#include "AfxMessageBox.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "CompressedFile.h"
#include "FileQueries.h"
#include "InstallerHandoff.h"

namespace {

// Update failures, reported once at the end as "Erreur : N".
enum UpdateError {
    kNoError = 0,
    kCopyFailed = 2,        // the disc's "_install.ex_" could not be copied into the folder
    kExpandFailed = 3,      // the installer could not be expanded whole in the folder
    kRemovalNotStarted = 4, // the removal run could not be started
    kNoDiscInstaller = 5,   // no "_install.ex_" beside the program or above it
};

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

// The disc directory holding "_install.ex_": the program's own directory, else the
// nearest one above it, the last candidate being the drive letter and colon alone.
bool LocateDiscInstaller(CString& discDirectory)
{
    CWinApp* app = AfxGetApp();
    CString candidate = app && app->m_pszHelpFilePath ? app->m_pszHelpFilePath : "";
    for (;;) {
        const int slash = candidate.ReverseFind('\\');
        if (slash < 0)
            return false;
        candidate = candidate.Left(slash);
        if (FileExists(PathIn(candidate, "%s\\_install.ex_"))) {
            discDirectory = candidate;
            return true;
        }
    }
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

// Message 9, naming an application that is not reinstalled from the disc.
CString CannotReinstallMessage(const CString& name)
{
    CString format;
    format.LoadString(IDS_CANNOT_REINSTALL);
    CString text;
    text.Format(format, static_cast<const char*>(name));
    return text;
}

// Copies the disc's "_install.ex_" into `folder` and expands it there to
// "_install.exe". Returns 0, or the error code of the step that failed.
int BringInstallerInto(const CString& folder, const CString& disc)
{
    const CString compressed = PathIn(folder, "%s\\_install.ex_");
    const CString installer = PathIn(folder, "%s\\_install.exe");

    if (FileExists(installer))
        DeleteUpdaterFile(installer, true);
    // An earlier expansion that failed leaves its copy behind; without this the
    // folder could never be updated again.
    DeleteUpdaterFile(compressed, true);
    if (!::CopyFileA(PathIn(disc, "%s\\_install.ex_"), compressed, TRUE))
        return kCopyFailed;

    // A scratched disc or a full disk gives a short copy: such an installer must
    // never run half-written, nor be left behind to be started by hand.
    DWORD expected = 0;
    long copied = -1;
    const bool known = ExpectedExpandedSize(compressed, expected);
    if (!ExpandCompressedFile(folder, folder, kInstallerName, copied))
        return kExpandFailed;
    if (!known || copied < 0 || static_cast<DWORD>(copied) != expected) {
        DeleteUpdaterFile(installer, true);
        return kExpandFailed;
    }

    // A copy from a read-only disc keeps that attribute.
    DeleteUpdaterFile(compressed, true);
    return kNoError;
}

bool Contains(const CStringArray& folders, const CString& folder)
{
    for (int i = 0; i < folders.GetSize(); ++i)
        if (folders.GetAt(i).Compare(folder) == 0)
            return true;
    return false;
}

// Raises a flag for as long as it lives, on every way out.
class CRaisedFlag {
public:
    explicit CRaisedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CRaisedFlag() { m_flag = false; }
    CRaisedFlag(const CRaisedFlag&) = delete;
    CRaisedFlag& operator=(const CRaisedFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

void CUpdateDlg::KeepDisabled(CWaitCursor& wait)
{
    // Windows leaves a disabled owner disabled when a message box closes; Wine enables
    // it. The dialog must stay closed to input until the procedure is over.
    EnableWindow(FALSE);
    wait.Restore();
}

void CUpdateDlg::OnUpdate()
{
    // A click can come when no update may start: posted twice at once by a robot or
    // a key repeat, while an installer runs (the waits below dispatch messages, and
    // a disabled button may still act on BM_CLICK), after the last folder or after
    // a failed update. It then does nothing at all: with no folder selected the
    // installer's paths would fall in the root of the current drive, and a folder
    // already handled is not updated twice in one run.
    if (m_updateRunning || IsEnding())
        return;
    const int selected = m_folderList.GetCurSel();
    if (selected < 0)
        return;
    CString folder;
    m_folderList.GetLBText(selected, folder);
    if (folder.IsEmpty() || Contains(m_updatedFolders, folder))
        return;
    CRaisedFlag running(m_updateRunning);

    CWaitCursor wait;
    int error = kNoError;

    EnableWindow(FALSE);
    SetUpdateBlockedReason(IDS_BLOCKED_RUNNING);
    m_btnUpdate.EnableWindow(FALSE);

    CString notice;
    notice.LoadString(IDS_CLOSE_APPLICATIONS);
    ShowMessage(notice, MB_ICONINFORMATION);
    KeepDisabled(wait);

    m_statusText = "Veuillez patienter";
    UpdateData(FALSE);

    const CString installer = PathIn(folder, "%s\\_install.exe");
    const CString backup = PathIn(folder, "%s\\_install.bak");

    CString disc;
    if (!LocateDiscInstaller(disc))
        error = kNoDiscInstaller;
    if (error == kNoError)
        error = BringInstallerInto(folder, disc);

    if (error == kNoError) {
        ::CopyFileA(installer, backup, FALSE);
        CString removal;
        removal.Format(kRemovalCommandFormat, static_cast<const char*>(folder));
        if (!RunAndWait(installer, removal, folder)) {
            error = kRemovalNotStarted;
            KeepDisabled(wait);
        }
    }

    if (error == kNoError) {
        // The removal run may have taken the installer away with the old installation.
        ::CopyFileA(backup, installer, FALSE);
        ReinstallApplications(folder, disc, wait);
        DeleteUpdaterFile(backup, false);
    }

    m_updatedFolders.Add(folder);
    if (error == kNoError) {
        m_statusText.LoadString(IDS_UP_TO_DATE);
    } else {
        // The status must not claim an update that failed.
        m_statusText.Format("Erreur : %d", error);
        SetUpdateBlockedReason(IDS_BLOCKED_ERROR);
    }
    UpdateData(FALSE);
    EnableWindow(TRUE);

    if (error != kNoError) {
        CString text;
        text.Format("Erreur : %d", error);
        AfxMessageBox(text, MB_OK);
    } else {
        RefreshFolders();
    }
}

void CUpdateDlg::ReinstallApplications(const CString& folder, const CString& disc, CWaitCursor& wait)
{
    const CString installer = PathIn(folder, "%s\\_install.exe");
    CString reinstall;
    reinstall.Format(kReinstallCommandFormat, static_cast<const char*>(disc));

    // The installer finds the parent of the folder in the info block while it
    // reinstalls; the block lives until the last reinstall run has ended.
    CSharedBlock infoBlock;
    infoBlock.Publish(kInfoBlockName, kInfoBlockSize, folder.Left(folder.ReverseFind('\\')));

    // In the order the catalogue found them, not the sorted order of the list.
    for (int i = 0; i < m_applications.GetSize(); ++i) {
        const CString name = m_applications.GetAt(i);
        CString code = name;
        if (LookupProductCode(code)) {
            CSharedBlock codeBlock;
            if (!codeBlock.Publish(kCodeBlockName, kCodeBlockSize, code))
                continue;   // passed over without a word
            if (!RunAndWait(installer, reinstall, folder)) {
                ShowMessage(CannotReinstallMessage(name), MB_ICONSTOP);
                KeepDisabled(wait);
            }
        } else {
            CString text;
            if (name.CompareNoCase("Quill Mx") == 0)
                text.LoadString(IDS_QUILL_UNINSTALLED);
            else
                text = CannotReinstallMessage(name);
            ShowMessage(text, MB_ICONEXCLAMATION);
            KeepDisabled(wait);
        }
    }
}
