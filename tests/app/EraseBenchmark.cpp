// A benchmark, not a test: what a background erase of the main dialog's template
// costs, skinned (CSkinDialog, gradient), against one blit of a kept picture of
// the same size (what the erase cannot go below) and against a bare dialog of the
// same template, at the program's own size and 1,000 pixels high; and a partial
// erase (a button's rectangle, as a hover repaint uncovers) against one blit of
// that rectangle; and what a message the dialog does nothing with costs on its own,
// the part of every erase that no blit can save. It prints the median of several hundred rounds of each, taken in
// turn, and checks nothing.
//   erase_benchmark [ROUNDS]        (scripts/benchmark.sh runs it under Wine)

#include "CDialog.h"
#include "CMemoryDC.h"
#include "CWindowDC.h"
#include "SkinDialog.h"
#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

double Ms(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The medians of `rounds` runs of each step, the steps taken in turn in every round
// so that what the machine does meanwhile falls on all of them alike.
std::vector<double> Medians(const std::vector<std::function<void()>>& steps, int rounds)
{
    for (const auto& step : steps)
        step();   // warm up: the skinned dialog composes its picture here
    std::vector<std::vector<double>> times(steps.size());
    for (int i = 0; i < rounds; ++i)
        for (size_t s = 0; s < steps.size(); ++s) {
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            steps[s]();
            ::GdiFlush();
            ::QueryPerformanceCounter(&end);
            times[s].push_back(Ms(start, end));
        }
    std::vector<double> medians;
    for (auto& t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
}

void Erase(CWnd& window, HDC dc)
{
    window.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
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
    // A button's rectangle near the bottom, as a hover or press repaints it.
    const int partW = 104, partH = 28;
    std::printf("%-12s %9s %9s %6s | %9s %9s %6s | %9s %9s\n", "window", "full", "one blit", "ratio", "partial",
                "its blit", "ratio", "message", "bare");
    for (int height : {realHeight, 1000}) {
        for (CWnd* dialog : {static_cast<CWnd*>(&skinned), static_cast<CWnd*>(&bare)})
            ::SetWindowPos(*dialog, HWND_TOPMOST, 0, 0, width, height, SWP_NOMOVE | SWP_NOACTIVATE);
        CClientDC skinDC(skinned), partDC(skinned), bareDC(bare);
        RECT client;
        ::GetClientRect(skinned, &client);
        const int partX = 20, partY = std::max(0, static_cast<int>(client.bottom) - partH - 10);
        ::IntersectClipRect(partDC, partX, partY, partX + partW, partY + partH);
        CMemoryDC picture(skinDC, width, height);
        picture.FillSolidRect(0, 0, width, height, RGB(200, 200, 200));

        const std::vector<double> ms = Medians(
            {
                [&] { Erase(skinned, skinDC); },
                [&] { skinDC.BitBlt(0, 0, width, height, picture, 0, 0, SRCCOPY); },
                [&] { Erase(skinned, partDC); },
                [&] { skinDC.BitBlt(partX, partY, partW, partH, picture, partX, partY, SRCCOPY); },
                [&] { skinned.SendMessage(WM_NULL); },
                [&] { Erase(bare, bareDC); },
            },
            rounds);
        char size[32];
        std::snprintf(size, sizeof size, "%d x %d", width, height);
        std::printf("%-12s %6.3f ms %6.3f ms %5.2fx | %6.3f ms %6.3f ms %5.2fx | %6.3f ms %6.3f ms   (median of %d)\n",
                    size, ms[0], ms[1], ms[0] / ms[1], ms[2], ms[3], ms[2] / ms[3], ms[4], ms[5], rounds);
    }
    return 0;
}
