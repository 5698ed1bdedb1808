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

#include <windows.h>

class CCmdTarget;

// Offset that marks a notification reflected back to the control that sent it.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

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
// The handler returns TRUE to keep the notification from the parent, FALSE to let the
// parent's own map see it as well.
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == (code)) \
    { if (memberFxn()) { result = 0; return TRUE; } return FALSE; }
