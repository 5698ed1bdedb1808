#pragma once
// A dialog built from a template. Modal (DoModal) and modeless (Create) dialogs share
// everything but their creation and their end, so tests can create the real dialog
// without a blocking loop and drive it with messages.

#include "CWnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(const char* templateName, CWnd* parent = nullptr);
    ~CDialog() override;

    // Creates the dialog, runs its modal loop until EndDialog and destroys it.
    // Returns EndDialog's value, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; it is shown when its template says WS_VISIBLE.
    BOOL Create(CWnd* parent = nullptr);
    // Ends the modal loop with `result`. A modeless dialog only records it.
    void EndDialog(int result);
    bool IsEnding() const { return m_ending; }
    int GetResult() const { return m_result; }

    // Every message of the modal loop for the dialog or one of its windows is
    // offered here, after the objects of the window it is for and of that window's
    // parents; true means it was handled. The dialog's own translation of keys is
    // IsDialogMessage.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // The framework's default: exchange data into the controls, return TRUE so the
    // system sets the focus.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Routes commands no map line took (the help command) to the application.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND CreateFromTemplate(HWND parent, bool* wantsVisible);
    // Centres the dialog over its visible owner, else on the screen, inside the work
    // area of the monitor that holds the owner (else the cursor's, else the primary).
    static void CenterOverOwner(HWND hwnd);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    const char* m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;
    bool m_ending = false;
    int m_result = -1;
};
