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
#include "resource.h"

#include <memory>

class CUpdateDlg : public CSkinDialog {
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

private:
    // The section labels' font at `dpi`, given to both labels; the old one goes.
    void CreateCaptionFont(int dpi);
    // Why « Mettre à jour » is disabled (a string resource), in the tip it shows then.
    void SetUpdateBlockedReason(UINT reasonId);

    // A message box of the dialog's own: captioned with the program's title.
    int ShowMessage(const char* text, UINT type);
    // Disables the dialog again after a message box of the update procedure.
    void KeepDisabled(CWaitCursor& wait);
    // One reinstall run per application with a product code, a message for the others.
    void ReinstallApplications(const CString& folder, const CString& disc, CWaitCursor& wait);

    // True from the start of the update procedure to its end, nested message loops
    // included: a click that arrives meanwhile must not start it over.
    bool m_updateRunning = false;
};
