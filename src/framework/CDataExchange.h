#pragma once
// Data exchange between a dialog's controls and the members bound to them.

#include "CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;   // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
};

// Binds control `id` of the dialog to `control` the first time round (attached, or
// subclassed when the control's class handles messages of its own).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Moves the text of control `id` to or from `value`.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
