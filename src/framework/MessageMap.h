#pragma once
// Static message maps. A map is written as a table between BEGIN_MESSAGE_MAP and
// END_MESSAGE_MAP and expands into one function, OnWndMsg, that tries each line in
// order and hands whatever no line takes to the base class's map.
//
//   BEGIN_MESSAGE_MAP(CUpdateDlg, CDialog)
//       ON_WM_PAINT()
//       ON_CBN_SELCHANGE(IDC_FOLDERS, RefreshApplications)
//   END_MESSAGE_MAP()
//
// Notifications a control sends its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
// WM_CTLCOLOR*) are first offered to the control's own object, reflected as
// message + WM_REFLECT_BASE; the ON_*_REFLECT lines catch them there.
//
// Typed handlers take the message's arguments already unpacked:
//   ON_WM_ERASEBKGND     BOOL OnEraseBkgnd(CDC* pDC)
//   ON_WM_SIZE           void OnSize(UINT nType, int cx, int cy)
//   ON_WM_LBUTTONDOWN    void OnLButtonDown(UINT nFlags, CPoint point)   (client coordinates)
//   ON_WM_SETCURSOR      BOOL OnSetCursor(HWND hwnd, UINT nHitTest, UINT message)
//   ON_WM_DRAWITEM_REFLECT   virtual void DrawItem(LPDRAWITEMSTRUCT)     (see CButton)
//   ON_WM_CTLCOLOR_REFLECT   HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)   (CTLCOLOR_BTN, ...)

#include "CDC.h"
#include "CPoint.h"

#include <windows.h>

class CCmdTarget;

// Offset that marks a notification reflected back to the control that sent it.
// Reflected codes only ever pass between message maps, never through the system;
// numbers above 0xFFFF are reserved to the system and never reach a window
// procedure, so a message a window really receives (WM_APP and WM_USER ones
// included) can never be taken for a reflected notification.
constexpr UINT WM_REFLECT_BASE = 0x10000;

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // True when the map handled the message; `result` then holds its answer.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

#define DECLARE_MESSAGE_MAP() \
public: \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) \
    { \
        using ThisBase = baseClass; \
        (void)wParam; (void)lParam;

#define END_MESSAGE_MAP() \
        return ThisBase::OnWndMsg(message, wParam, lParam, result); \
    }

// --- window messages -------------------------------------------------------------
#define ON_WM_PAINT() \
    if (message == WM_PAINT) { OnPaint(); result = 0; return TRUE; }

#define ON_WM_QUERYDRAGICON() \
    if (message == WM_QUERYDRAGICON) { result = reinterpret_cast<LRESULT>(OnQueryDragIcon()); return TRUE; }

#define ON_WM_ERASEBKGND() \
    if (message == WM_ERASEBKGND) \
    { CDC dc_(reinterpret_cast<HDC>(wParam)); result = OnEraseBkgnd(&dc_); return TRUE; }

#define ON_WM_SIZE() \
    if (message == WM_SIZE) \
    { OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); result = 0; return TRUE; }

// The point's coordinates are signed: left of or above a window they are negative.
#define ON_WM_LBUTTONDOWN() \
    if (message == WM_LBUTTONDOWN) { \
        OnLButtonDown(static_cast<UINT>(wParam), \
                      CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))); \
        result = 0; return TRUE; }

#define ON_WM_SETCURSOR() \
    if (message == WM_SETCURSOR) \
    { result = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE; }

#define ON_MESSAGE(msg, memberFxn) \
    if (message == (msg)) { result = memberFxn(wParam, lParam); return TRUE; }

// --- commands and control notifications sent to the parent ------------------------
#define ON_COMMAND(id, memberFxn) \
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == (id)) \
    { memberFxn(); result = 0; return TRUE; }

#define ON_CONTROL(code, id, memberFxn) \
    if (message == WM_COMMAND && HIWORD(wParam) == (code) && LOWORD(wParam) == (id) && lParam != 0) \
    { memberFxn(); result = 0; return TRUE; }

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

// --- notifications reflected to the control itself ---------------------------------
// The handler returns TRUE to keep the notification from the parent. FALSE lets the
// rest of the control's map (its base classes' lines included) and then the
// parent's own map see it as well.
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == (code)) \
    { if (memberFxn()) { result = 0; return TRUE; } }

// An owner-drawn control paints itself: the parent's WM_DRAWITEM goes to the
// control's DrawItem, and the parent answers TRUE.
#define ON_WM_DRAWITEM_REFLECT() \
    if (message == WM_REFLECT_BASE + WM_DRAWITEM) \
    { DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); result = TRUE; return TRUE; }

// The control chooses the brush its parent answers to WM_CTLCOLOR* with; a null
// brush leaves the choice to the parent.
#define ON_WM_CTLCOLOR_REFLECT() \
    if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) { \
        CDC dc_(reinterpret_cast<HDC>(wParam)); \
        if (HBRUSH brush_ = CtlColor(&dc_, message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX)) \
        { result = reinterpret_cast<LRESULT>(brush_); return TRUE; } }
