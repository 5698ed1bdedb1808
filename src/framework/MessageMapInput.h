#pragma once
// Message-map lines for the mouse, focus and state messages of a control, with typed
// handlers (the base behaviour of each is Default()):
//   ON_WM_MOUSEMOVE       void OnMouseMove(UINT nFlags, CPoint point)   (client coordinates)
//   ON_WM_MOUSELEAVE      void OnMouseLeave()
//   ON_WM_KILLFOCUS       void OnKillFocus(HWND newFocus)
//   ON_WM_ACTIVATE        void OnActivate(UINT nState, HWND other, BOOL minimized)
//   ON_WM_ENABLE          void OnEnable(BOOL enabled)
//   ON_WM_CANCELMODE      void OnCancelMode()
//   ON_WM_SYSCOLORCHANGE  void OnSysColorChange()
//   ON_WM_GETDLGCODE      UINT OnGetDlgCode()

#include "MessageMap.h"

#ifndef WM_MOUSELEAVE
#define WM_MOUSELEAVE 0x02A3
#endif

#define ON_WM_MOUSEMOVE() \
    if (message == WM_MOUSEMOVE) { \
        OnMouseMove(static_cast<UINT>(wParam), \
                    CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))); \
        result = 0; return TRUE; }

#define ON_WM_MOUSELEAVE() \
    if (message == WM_MOUSELEAVE) { OnMouseLeave(); result = 0; return TRUE; }

#define ON_WM_KILLFOCUS() \
    if (message == WM_KILLFOCUS) { OnKillFocus(reinterpret_cast<HWND>(wParam)); result = 0; return TRUE; }

#define ON_WM_ACTIVATE() \
    if (message == WM_ACTIVATE) { \
        OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam) != 0); \
        result = 0; return TRUE; }

#define ON_WM_ENABLE() \
    if (message == WM_ENABLE) { OnEnable(static_cast<BOOL>(wParam)); result = 0; return TRUE; }

#define ON_WM_CANCELMODE() \
    if (message == WM_CANCELMODE) { OnCancelMode(); result = 0; return TRUE; }

#define ON_WM_SYSCOLORCHANGE() \
    if (message == WM_SYSCOLORCHANGE) { OnSysColorChange(); result = 0; return TRUE; }

#define ON_WM_GETDLGCODE() \
    if (message == WM_GETDLGCODE) { result = static_cast<LRESULT>(OnGetDlgCode()); return TRUE; }
