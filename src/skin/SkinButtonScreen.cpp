// The skinned button and the screen it is shown on: keyboard cues, the DPI its
// sizes follow, and the tip that says why a disabled button cannot be used.

#include "SkinButton.h"

namespace {
// The tool of the button's tooltip that covers the parent's area under the button
// while the button is disabled; tool 1 is the button's own tip.
constexpr UINT_PTR kDisabledTool = 2;
}

bool CSkinButton::ShowsFocus(bool highContrast) const
{
    return highContrast || !m_hideFocus || !m_flat || m_flatFocus;
}

LRESULT CSkinButton::OnUpdateUIState(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    // UIS_INITIALIZE leaves the state to the system's own rule, which the messages
    // that follow carry; only an explicit set or clear of the focus cue counts.
    if (HIWORD(wParam) & UISF_HIDEFOCUS) {
        const BOOL hide = LOWORD(wParam) == UIS_SET;
        if (LOWORD(wParam) != UIS_INITIALIZE && hide != m_hideFocus) {
            m_hideFocus = hide;
            Invalidate(TRUE);
        }
    }
    return result;
}

int CSkinButton::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == m_dpi)
        return SKIN_BUTTON_OK;
    m_dpi = dpi;
    if (m_iconSource.hotId && m_iconSource.loaded && m_icons[0].icon.GetSafeHandle() == m_iconSource.loaded) {
        const IconSource source = m_iconSource;
        LoadIcons(source.hotId, source.hotWidth, source.hotHeight, source.normalId, source.normalWidth,
                  source.normalHeight);
    }
    if (m_tip.m_hWnd)
        m_tip.SetMaxTipWidth(Scaled(400));
    DropBackground();
    SyncDisabledTip();
    Repaint(TRUE);
    return SKIN_BUTTON_OK;
}

SIZE CSkinButton::GetImageSize() const
{
    if (m_icons[0].icon.GetSafeHandle())
        return {m_icons[0].width, m_icons[0].height};
    if (m_bitmaps[0].bitmap.GetSafeHandle())
        return {m_bitmaps[0].width, m_bitmaps[0].height};
    return {0, 0};
}

int CSkinButton::SetDisabledTipText(const char* text)
{
    m_disabledTip = text ? text : "";
    SyncDisabledTip();
    return SKIN_BUTTON_OK;
}

void CSkinButton::RelayParentEvent(MSG* msg)
{
    if (m_tip.m_hWnd && !m_disabledTip.IsEmpty() && !IsWindowEnabled())
        m_tip.RelayEvent(msg);
}

void CSkinButton::SyncDisabledTip()
{
    if (!m_hWnd)
        return;
    HWND parentHandle = GetParent();
    if (!parentHandle)
        return;
    const bool wanted = !m_disabledTip.IsEmpty() && !IsWindowEnabled();
    if (wanted)
        EnsureTip();
    if (!m_tip.m_hWnd)
        return;
    CWnd parent;   // a view: it never destroys the dialog
    parent.Attach(parentHandle);
    m_tip.DelTool(&parent, kDisabledTool);
    if (wanted) {
        CRect area;
        GetWindowRect(&area);
        ::MapWindowPoints(nullptr, parentHandle, reinterpret_cast<POINT*>(&area), 2);
        m_tip.AddTool(&parent, m_disabledTip, &area, kDisabledTool);
        m_tip.Activate(TRUE);
    }
    parent.Detach();
}

int CSkinButton::ForgetBackground(BOOL repaint)
{
    DropBackground();
    Repaint(repaint);
    return SKIN_BUTTON_OK;
}
