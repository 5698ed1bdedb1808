#pragma once
// A view over a window handle. A CWnd either borrows a handle (Attach: it only
// forwards calls) or subclasses the window (SubclassWindow: its message map sees
// the window's messages first). It never destroys the window it views.

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
    // the window is destroyed.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    // The object bound to `hwnd` by SubclassWindow, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Controls bound by data exchange are subclassed when they have message
    // handling of their own, and only attached otherwise.
    virtual BOOL BindDlgItem(HWND hwnd) { return Attach(hwnd); }

    // Default processing of the message being handled now.
    LRESULT Default();

    // Data exchange between the controls and the members bound to them:
    // save = TRUE reads the controls, FALSE writes them.
    BOOL UpdateData(BOOL save = TRUE);
    virtual void DoDataExchange(class CDataExchange* pDX);

    // One-line forwards to the API.
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void SetFont(CFont* font, BOOL redraw = TRUE);
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
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
    // Called after the window has received WM_NCDESTROY.
    virtual void PostNcDestroy() {}

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    WNDPROC m_pfnSuper = nullptr;
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    CurrentMessage m_current = {0, 0, 0};
};
