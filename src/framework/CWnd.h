#pragma once
// A view over a window handle. A CWnd either borrows a handle (Attach: it only
// forwards calls) or subclasses the window (SubclassWindow: its message map sees
// the window's messages first). It never destroys the window it views.

#include "CRect.h"
#include "CString.h"
#include "MessageMap.h"

#include <windows.h>

class CFont;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // Borrow `hwnd` without seeing its messages.
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Route `hwnd`'s messages through this object's message map; Default() hands a
    // message on to the window's own procedure. Undone by UnsubclassWindow or when
    // the window is destroyed. PreSubclassWindow runs first, with m_hWnd set. FALSE,
    // the object holding no window, when the system refuses (a window of another
    // process) or the window is, or was, subclassed by a CWnd already.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Lets go of the window and returns it. The old procedure is put back when this
    // object's is still the window's own; under a later subclass, which must not be
    // cut out, this object's procedure stays in the chain and only hands messages on.
    HWND UnsubclassWindow();
    // The object bound to `hwnd` by SubclassWindow, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Controls bound by data exchange are subclassed when they have message
    // handling of their own, and only attached otherwise.
    virtual BOOL BindDlgItem(HWND hwnd) { return Attach(hwnd); }

    // Default processing of the message being handled now.
    LRESULT Default();
    // The window's own procedure for a message of the caller's choosing (a handler
    // that passes its message on with changed arguments).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A message about to be dispatched by a modal loop, offered first to the object
    // of the window it is for, then to those of its parents up to the dialog (see
    // WalkPreTranslateTree). TRUE means it was handled and is not dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers `msg` to PreTranslateMessage of each subclassed window from msg->hwnd
    // up through its parents, ending with `stop`; TRUE as soon as one handled it.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // Data exchange between the controls and the members bound to them:
    // save = TRUE reads the controls, FALSE writes them.
    BOOL UpdateData(BOOL save = TRUE);
    virtual void DoDataExchange(class CDataExchange* pDX);

    // One-line forwards to the API.
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    // Removes the style bits `remove`, adds `add`; with `swpFlags` (SWP_FRAMECHANGED,
    // ...) the window is told that its frame changed. FALSE when nothing changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(CFont* font, BOOL redraw = TRUE);
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    // Both corners of a screen rectangle to client coordinates.
    void ScreenToClient(RECT* rect) const
    { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    { return ::MoveWindow(m_hWnd, x, y, width, height, repaint); }
    // The window owns `region` once this succeeds (and deletes it); null removes the shape.
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    HICON SetIcon(HICON icon, BOOL big)
    { return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon))); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int MessageBox(const char* text, const char* caption, UINT type) { return ::MessageBoxA(m_hWnd, text, caption, type); }

    // Gives a control notification to the sending control's own object first.
    // True when that object kept it.
    static BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Messages of a subclassed window: the message map, reflection to children, then
    // Default(). Overridable as the framework's CWnd::WindowProc is.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Called by SubclassWindow before the window's messages come here: a control
    // adjusts its styles (owner drawing, ...) to its object.
    virtual void PreSubclassWindow() {}
    // Called after the window has received WM_NCDESTROY.
    virtual void PostNcDestroy() {}

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands WM_SYSCOLORCHANGE on to each descendant of a top-level window.
    static BOOL CALLBACK SendSysColorChange(HWND child, LPARAM);

private:
    WNDPROC m_pfnSuper = nullptr;
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    CurrentMessage m_current = {0, 0, 0};
};
