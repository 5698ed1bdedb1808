#include "DisabledTip.h"

namespace {
// The tool of the button's tooltip that covers the parent's area under the button;
// tool 1 is the button's own tip.
constexpr UINT_PTR kDisabledTool = 2;
}

bool CDisabledTip::Wanted(HWND button) const
{
    return !m_text.IsEmpty() && button && !::IsWindowEnabled(button);
}

void CDisabledTip::Sync(CToolTipCtrl& tip, HWND button) const
{
    HWND parentHandle = button ? ::GetParent(button) : nullptr;
    if (!parentHandle || !tip.m_hWnd)
        return;
    CWnd parent;   // a view: it never destroys the dialog
    parent.Attach(parentHandle);
    tip.DelTool(&parent, kDisabledTool);
    if (Wanted(button)) {
        RECT area;
        ::GetWindowRect(button, &area);
        ::MapWindowPoints(nullptr, parentHandle, reinterpret_cast<POINT*>(&area), 2);
        tip.AddTool(&parent, m_text, &area, kDisabledTool);
        tip.Activate(TRUE);
    }
    parent.Detach();
}

void CDisabledTip::Relay(CToolTipCtrl& tip, HWND button, MSG* msg) const
{
    if (tip.m_hWnd && Wanted(button))
        tip.RelayEvent(msg);
}
