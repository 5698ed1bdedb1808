#pragma once
// What a disabled button's tooltip says about why it cannot be used. A disabled
// window gets no mouse message (its parent gets them), so the text is a tool of the
// parent's area under the button, registered in the button's tooltip only while the
// button is disabled.

#include "CString.h"
#include "CToolTipCtrl.h"

class CDisabledTip {
public:
    void SetText(const char* text) { m_text = text ? text : ""; }
    const CString& Text() const { return m_text; }
    // The button is disabled and there is something to say.
    bool Wanted(HWND button) const;
    // Registers the tool over the parent's area under `button` now when Wanted, and
    // removes it otherwise.
    void Sync(CToolTipCtrl& tip, HWND button) const;
    // Hands a mouse message of the parent to the tooltip while the tool is wanted.
    void Relay(CToolTipCtrl& tip, HWND button, MSG* msg) const;

private:
    CString m_text;
};
