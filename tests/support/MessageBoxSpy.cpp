#include "MessageBoxSpy.h"

namespace {
MessageBoxSpy* g_spy = nullptr;

std::string TextOf(HWND window)
{
    char buffer[4096] = "";
    ::GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

// Compares the pixels of two icons drawn on white.
bool SameIcon(HICON a, HICON b)
{
    if (!a || !b)
        return false;
    if (a == b)
        return true;
    const int size = 32;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size * 2, size);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, size * 2, size};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawIconEx(dc, 0, 0, a, size, size, 0, nullptr, DI_NORMAL);
    ::DrawIconEx(dc, size, 0, b, size, size, 0, nullptr, DI_NORMAL);
    bool same = true;
    for (int y = 0; y < size && same; ++y)
        for (int x = 0; x < size && same; ++x)
            same = ::GetPixel(dc, x, y) == ::GetPixel(dc, x + size, y);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return same;
}
}

UINT IconKindOfBox(HWND box)
{
    // The icon sits in a static control of the box (id 0x0440 in Wine, 20 in Windows).
    HICON shown = nullptr;
    for (HWND child = ::GetWindow(box, GW_CHILD); child && !shown; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = "";
        ::GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0)
            shown = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    }
    if (!shown)
        return 0;
    const struct { LPCSTR id; UINT kind; } kinds[] = {
        {IDI_INFORMATION, MB_ICONINFORMATION}, {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
        {IDI_HAND, MB_ICONSTOP}, {IDI_QUESTION, MB_ICONQUESTION}};
    for (const auto& k : kinds)
        if (SameIcon(shown, ::LoadIconA(nullptr, k.id)))
            return k.kind;
    return 0;
}

MessageBoxSpy::MessageBoxSpy(int answer) : m_answer(answer)
{
    g_spy = this;
    m_hook_handle = ::SetWindowsHookExA(WH_CBT, &MessageBoxSpy::CbtProc, nullptr, ::GetCurrentThreadId());
}

MessageBoxSpy::~MessageBoxSpy()
{
    ::UnhookWindowsHookEx(m_hook_handle);
    g_spy = nullptr;
}

LRESULT CALLBACK MessageBoxSpy::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_spy) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[16] = "";
        ::GetClassNameA(box, cls, sizeof cls);
        HWND text = ::GetDlgItem(box, 0xFFFF);
        // A box can be activated more than once (focus moving under load): it is
        // recorded and answered the first time only.
        const bool seen = g_spy->m_lastBox == box;
        if (lstrcmpA(cls, "#32770") == 0 && text && !seen) {
            g_spy->m_lastBox = box;
            // The box is not shown yet: a button is there when its own style says visible.
            const HWND cancel = ::GetDlgItem(box, IDCANCEL);
            const bool hasCancel = cancel && (::GetWindowLongA(cancel, GWL_STYLE) & WS_VISIBLE);
            g_spy->m_boxes.push_back({TextOf(box), TextOf(text), IconKindOfBox(box), hasCancel});
            if (g_spy->m_hook)
                g_spy->m_hook(box, g_spy->m_context);
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(g_spy->m_answer, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(box, g_spy->m_answer)));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
