#include "ButtonDriving.h"

#include "CWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

std::unique_ptr<PixelCanvas> PaintOf(HWND control)
{
    const SIZE size = ClientSize(control);
    auto canvas = std::make_unique<PixelCanvas>(size.cx, size.cy);
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    return canvas;
}

SIZE ClientSize(HWND window)
{
    RECT r = {};
    ::GetClientRect(window, &r);
    return {r.right, r.bottom};
}

RECT ColourBounds(const PixelCanvas& canvas, COLORREF colour, RECT area)
{
    RECT r = {canvas.width(), canvas.height(), 0, 0};
    for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(canvas.height(), area.bottom); ++y)
        for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(canvas.width(), area.right); ++x)
            if (canvas.Pixel(x, y) == colour) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r.right ? r : RECT{0, 0, 0, 0};
}

std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

void PumpAsModalLoop(HWND dialog)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!CWnd::WalkPreTranslateTree(dialog, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
}

void HoverOver(HWND button, WPARAM keys)
{
    const SIZE size = ClientSize(button);
    POINT screen = {size.cx / 2, size.cy / 2};
    ::ClientToScreen(button, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(size.cx / 2, size.cy / 2));
}

namespace {

BOOL CALLBACK CollectTooltips(HWND window, LPARAM found)
{
    char cls[64] = "";
    ::GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) == TOOLTIPS_CLASSA)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

template <class Make, class Release>
long HighWater(Make make, Release release)
{
    std::vector<HANDLE> made;
    long high = 0;
    for (int i = 0; i < 64; ++i) {
        made.push_back(make());
        high = std::max(high, static_cast<long>(reinterpret_cast<UINT_PTR>(made.back()) & 0xFFFF));
    }
    for (HANDLE h : made)
        release(h);
    return high;
}

} // namespace

std::string TipText(HWND tool, bool* balloon)
{
    std::vector<HWND> tips;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectTooltips, reinterpret_cast<LPARAM>(&tips));
    for (HWND tip : tips) {
        // The W messages: TTM_GETTEXTA hands back at most 80 bytes.
        wchar_t wide[1024] = L"";
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = tool;
        info.uId = 1;
        if (::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
            info.lpszText = wide;
            ::SendMessageW(tip, TTM_GETTEXTW, sizeof wide / sizeof wide[0], reinterpret_cast<LPARAM>(&info));
            char text[1024] = "";
            ::WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            *balloon = (::GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON) != 0;
            return text;
        }
    }
    return "";
}

long GdiHighWater()
{
    return HighWater([] { return static_cast<HANDLE>(::CreateSolidBrush(0)); },
                     [](HANDLE h) { ::DeleteObject(static_cast<HGDIOBJ>(h)); });
}

long UserHighWater()
{
    return HighWater([] { return static_cast<HANDLE>(::CreateMenu()); },
                     [](HANDLE h) { ::DestroyMenu(static_cast<HMENU>(h)); });
}
