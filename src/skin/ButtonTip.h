#pragma once
// The skinned button's tooltip: the button's own tip (a tool over its client area)
// and the disabled tip (a tool over the parent's area under it, see DisabledTip.h).
// The tooltip window is made when first needed, owned by the button, and wraps long
// tips at 400 pixels at 96 DPI; it is destroyed with this object.

#include "CString.h"
#include "CToolTipCtrl.h"
#include "DisabledTip.h"

class CButtonTip {
public:
    // Shows `text` over `button` from now on, active or not.
    void SetText(CWnd& button, const char* text, BOOL activate);
    // Nothing happens before a tip has a tool.
    void Activate(BOOL on);
    void UseBalloon();
    // A message of the button, from which the tooltip decides when to show.
    void Relay(CWnd& button, MSG* msg);

    void SetDisabledText(CWnd& button, const char* text);
    const CString& DisabledText() const { return m_disabled.Text(); }
    // Keeps the disabled tip's tool where the button is and as enabled as it is.
    void SyncDisabled(CWnd& button);
    // A mouse message of the button's parent, for the disabled tip.
    void RelayParentEvent(HWND button, MSG* msg) { m_disabled.Relay(m_tip, button, msg); }

    // The wrapping width at the DPI the button is now shown at.
    void FollowDpi(int dpi);

private:
    void Ensure(CWnd& button);

    CToolTipCtrl m_tip;
    DWORD m_style = 0;
    CDisabledTip m_disabled;
};
