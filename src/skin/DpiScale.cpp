#include "DpiScale.h"

namespace skin {

int WindowDpi(HWND window)
{
    if (!window)
        return kDesignDpi;
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    // Through a plain function pointer type: FARPROC to another signature would be a
    // cast between incompatible function types.
    static const GetDpiForWindowProc getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    int dpi = 0;
    if (HDC dc = ::GetDC(window)) {
        dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(window, dc);
    }
    return dpi > 0 ? dpi : kDesignDpi;
}

namespace {
// The property of a top-level window that KeepShownDpi sets.
constexpr char kShownDpiProperty[] = "MiseAJour.ShownDpi";
}

int ShownDpi(HWND window)
{
    HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    const INT_PTR kept = root ? reinterpret_cast<INT_PTR>(::GetPropA(root, kShownDpiProperty)) : 0;
    return kept > 0 ? static_cast<int>(kept) : WindowDpi(window);
}

void KeepShownDpi(HWND window, int dpi)
{
    if (!window)
        return;
    if (dpi > 0)
        ::SetPropA(window, kShownDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
    else
        ::RemovePropA(window, kShownDpiProperty);
}

int ScaleToDpi(int pixels, int dpi)
{
    if (dpi <= 0 || dpi == kDesignDpi)
        return pixels;
    return ::MulDiv(pixels, dpi, kDesignDpi);
}

} // namespace skin
