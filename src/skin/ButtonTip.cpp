#include "ButtonTip.h"

#include "DpiScale.h"

namespace {
// The button's own tool; the disabled tip is tool 2.
constexpr UINT_PTR kButtonTool = 1;
constexpr int kTipWidthAt96 = 400;
}

void CButtonTip::Ensure(CWnd& button)
{
    if (m_tip.m_hWnd || !button.m_hWnd)
        return;
    if (m_tip.Create(&button, m_style)) {
        m_tip.Activate(FALSE);
        m_tip.SetMaxTipWidth(skin::ScaleToDpi(kTipWidthAt96, skin::ShownDpi(button.m_hWnd)));
    }
}

void CButtonTip::SetText(CWnd& button, const char* text, BOOL activate)
{
    if (!text || !button.m_hWnd)
        return;
    Ensure(button);
    if (!m_tip.m_hWnd)
        return;
    if (!m_tip.HasTool(&button, kButtonTool)) {
        CRect client;
        button.GetClientRect(&client);
        m_tip.AddTool(&button, text, &client, kButtonTool);
    }
    m_tip.UpdateTipText(text, &button, kButtonTool);
    m_tip.Activate(activate);
}

void CButtonTip::Activate(BOOL on)
{
    if (m_tip.m_hWnd && m_tip.GetToolCount() > 0)
        m_tip.Activate(on);
}

void CButtonTip::UseBalloon()
{
    m_style |= TTS_BALLOON;
    if (m_tip.m_hWnd)   // made already, for the disabled tip
        m_tip.ModifyStyle(0, TTS_BALLOON);
}

void CButtonTip::Relay(CWnd& button, MSG* msg)
{
    Ensure(button);
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(msg);
}

void CButtonTip::SetDisabledText(CWnd& button, const char* text)
{
    m_disabled.SetText(text);
    SyncDisabled(button);
}

void CButtonTip::SyncDisabled(CWnd& button)
{
    if (m_disabled.Wanted(button.m_hWnd))
        Ensure(button);
    m_disabled.Sync(m_tip, button.m_hWnd);
}

void CButtonTip::FollowDpi(int dpi)
{
    const int width = skin::ScaleToDpi(kTipWidthAt96, dpi);
    if (m_tip.m_hWnd && m_tip.SendMessage(TTM_GETMAXTIPWIDTH) != width)
        m_tip.SetMaxTipWidth(width);
}
