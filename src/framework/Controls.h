#pragma once
// Views over the standard controls a dialog binds: they only forward to the
// control's messages and never own its window.

#include "CWnd.h"

class CStatic : public CWnd {
};

class CButton : public CWnd {
public:
    // An owner-drawn button (BS_OWNERDRAW) that is subclassed paints here: its
    // parent's WM_DRAWITEM is reflected to it. The default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    DECLARE_MESSAGE_MAP()
};

class CComboBox : public CWnd {
public:
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    // The text of entry `index`, whatever its length; empty when there is no such entry.
    void GetLBText(int index, CString& text) const;
};

class CListBox : public CWnd {
public:
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int AddString(const char* text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // The text of entry `index`, whatever its length; empty when there is no such entry.
    void GetText(int index, CString& text) const;
};
