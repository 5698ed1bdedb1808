#pragma once
// A tooltip control that its object creates and owns: the window is destroyed with
// the object unless its owner window destroyed it first (the object then notices,
// since it sees the tooltip's last message).

#include "CWnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override { DestroyWindow(); }

    // Creates the tooltip window, owned by `parent`, with WS_POPUP plus `style`
    // (TTS_BALLOON, TTS_ALWAYSTIP, ...). FALSE when it exists already or failed.
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL DestroyWindow();

    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    // Hands a mouse message of a tool's window to the tooltip, which decides from it
    // when to show and hide.
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // Adds tool `id` of window `wnd`: the area `rect` (null: wnd's client area) shows
    // `text`. `text` may also be LPSTR_TEXTCALLBACKA.
    BOOL AddTool(CWnd* wnd, const char* text, const RECT* rect = nullptr, UINT_PTR id = 0);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id = 0);
    BOOL HasTool(CWnd* wnd, UINT_PTR id = 0) const;
    // Removes tool `id` of `wnd`; nothing happens when there is none.
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    // The text of tool `id` of `wnd`; empty when there is no such tool.
    CString GetText(CWnd* wnd, UINT_PTR id = 0) const;
    // Long tips wrap at `width` pixels; returns the previous width (-1: no limit).
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }

private:
    static TOOLINFOA ToolInfo(CWnd* wnd, UINT_PTR id);
};
