// A benchmark, not a test: what one full background erase of the main dialog's
// template costs, skinned (CSkinDialog, gradient) against a bare dialog of the same
// template and size, at the program's own size and 1,000 pixels high. It prints the
// median of several hundred erases into each window and checks nothing.
//   erase_benchmark [ROUNDS]        (scripts/benchmark.sh runs it under Wine)

#include "CDialog.h"
#include "CWindowDC.h"
#include "SkinDialog.h"
#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double MedianEraseMs(CWnd& window, int rounds)
{
    CClientDC dc(window);
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    window.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));   // warm up
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        window.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
        ::GdiFlush();
        ::QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    CSkinDialog skinned(IDD_MISEAJOUR_DIALOG, nullptr);
    CDialog bare(IDD_MISEAJOUR_DIALOG, nullptr);
    if (!skinned.Create() || !bare.Create()) {
        std::printf("the dialogs could not be created\n");
        return 1;
    }
    RECT window;
    ::GetWindowRect(skinned, &window);
    const int width = window.right - window.left, realHeight = window.bottom - window.top;
    std::printf("%-22s %10s %10s %7s\n", "window", "skinned", "bare", "ratio");
    for (int height : {realHeight, 1000}) {
        for (CWnd* dialog : {static_cast<CWnd*>(&skinned), static_cast<CWnd*>(&bare)})
            ::SetWindowPos(*dialog, HWND_TOPMOST, 0, 0, width, height, SWP_NOMOVE | SWP_NOACTIVATE);
        const double skin = MedianEraseMs(skinned, rounds), plain = MedianEraseMs(bare, rounds);
        char size[32];
        std::snprintf(size, sizeof size, "%d x %d", width, height);
        std::printf("%-22s %8.3f ms %7.3f ms %6.2fx   (median of %d)\n", size, skin, plain, skin / plain, rounds);
    }
    return 0;
}
