#pragma once
// Device contexts borrowed from the system for one window and given back on every
// way out: CClientDC covers the client area (GetDC), CWindowDC the whole window,
// frame included (GetWindowDC). Any window may be named, not only the caller's own;
// a null window gives the screen.

#include "CDC.h"

class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = ::GetDC(hwnd); }
    ~CClientDC() { if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

private:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = ::GetWindowDC(hwnd); }
    ~CWindowDC() { if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

private:
    HWND m_hWnd;
};
