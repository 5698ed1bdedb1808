#pragma once
// The main dialog: the folders that still need the update, the applications of the
// selected one, a status box, and the two buttons.

#include "CFont.h"
#include "CStringArray.h"
#include "CWaitCursor.h"
#include "Controls.h"
#include "GradientStatic.h"
#include "SkinButton.h"
#include "SkinDialog.h"
#include "TaskbarProgress.h"
#include "UpdateEvents.h"
#include "resource.h"

#include <memory>
#include <vector>

// The dialog drives the update procedure (UpdateProcedure.h): its reports become the
// dialog's message boxes and status texts.
class CUpdateDlg : public CSkinDialog, public IUpdateDriver {
public:
    explicit CUpdateDlg(CWnd* pParent = nullptr);
    ~CUpdateDlg() override;

    // Lists the folders the catalogue reports that this run has not handled yet and
    // selects the first; with none left, tells the user and ends the dialog.
    void RefreshFolders();
    // Lists the applications of the selected folder and shows their count.
    void RefreshApplications();
    // Updates the selected folder from the disc ("Mettre à jour").
    void OnUpdate();

    // Adds a listener of the update procedure and of the dialog's message boxes. Not
    // owned; it must outlive the dialog.
    void AddListener(IUpdateEvents* listener) { m_listeners.push_back(listener); }
    // The run log the error boxes point to; "" (the default) when there is none.
    void SetLogPath(const char* path) { m_logPath = path; }
    // How many folders the catalogue last offered that this run has not handled.
    int FoldersLeft() const;

    CGradientStatic m_captionApplications;
    CGradientStatic m_captionFolders;
    CSkinButton m_btnFinish;
    CSkinButton m_btnUpdate;
    CListBox m_applicationList;
    CComboBox m_folderList;
    CString m_statusText;
    HICON m_hIcon;
    // The caption panels' font, created in OnInitDialog; the dialog owns it.
    std::unique_ptr<CFont> m_pCaptionFont;
    CStringArray m_folders;
    CStringArray m_applications;
    bool m_firstRefresh = true;
    // Folders the update procedure has run on since the program started; only grows.
    CStringArray m_updatedFolders;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    // Makes the caption panels' font again for the new DPI.
    void OnDpiChanged(int dpi) override;

    DECLARE_MESSAGE_MAP()

    // What the update procedure reports (UpdateEvents.h).
    void OnUpdateBegins(const char* folder) override;
    void OnApplications(const CResolvedApplications& applications) override;
    bool RetryWithOpenApplications(const char* folder, const CStringArray& images) override;
    void OnStep(UpdateStep step, const char* name, int index, int count) override;
    void OnInstallerRun(const CInstallerRun& run) override;
    void OnNotReinstalled(const char* name, NotReinstalled why, DWORD code) override;
    void OnError(const CUpdateError& error) override;

private:
    // The section labels' font at `dpi`, given to both labels; the old one goes.
    void CreateCaptionFont(int dpi);
    // Why « Mettre à jour » is disabled (a string resource), in the tip it shows then.
    void SetUpdateBlockedReason(UINT reasonId);

    // A message box of the dialog's own: captioned with the program's title.
    int ShowMessage(const char* text, UINT type);
    // A message box of the framework's: captioned with the executable's name.
    int ShowFrameworkMessage(const char* text, UINT type);
    // Tells the listeners which box was shown and how it was answered.
    void ReportMessage(const char* text, UINT type, int answer);
    // Disables the dialog again after a message box of the update procedure.
    void KeepDisabled();
    // The box of a numbered error: the number, what failed and why, and where the log is.
    CString ErrorBoxText() const;

    std::vector<IUpdateEvents*> m_listeners;
    CString m_logPath;
    // While the procedure runs: its hourglass, its error, the reinstall runs it will
    // make and the steps it has begun (for the taskbar's progress).
    CWaitCursor* m_pWait = nullptr;
    CUpdateError m_error;
    int m_reinstallRuns = 0;
    int m_stepsBegun = 0;
    CTaskbarProgress m_taskbar;

    // True from the start of the update procedure to its end, nested message loops
    // included: a click that arrives meanwhile must not start it over.
    bool m_updateRunning = false;
};
