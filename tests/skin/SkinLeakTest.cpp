// Ten thousand erases and label paints must leave no GDI object behind. Wine's
// GetGuiResources always answers 0, so the check watches something real: GDI
// handles are given out again from the most recently freed slot, so a probe
// object made after the cycles gets (about) the same slot as one made before them
// unless objects leaked, in which case every leaked one pushes the probe a slot
// further. A paint after the cycles must still come out right, too.
// The time one full background erase of a 1,000-pixel-high dialog takes is
// measured and printed, never asserted.

#include "SkinTestDialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The slot of a fresh GDI object in the process's handle table.
int ProbeSlot()
{
    HBRUSH probe = ::CreateSolidBrush(RGB(1, 2, 3));
    const int slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
    ::DeleteObject(probe);
    return slot;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST(SkinLeakTest, TenThousandErasesAndPaintsLeaveNoObjectBehind)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    const CRect client = dlg.Client();
    PixelCanvas first(client.Width(), client.Height());
    PixelCanvas canvas(client.Width(), client.Height());
    ASSERT_TRUE(first.ok() && canvas.ok());
    dlg.EraseInto(first);
    dlg.Repaint();

    const int slotBefore = ProbeSlot();
    const DWORD objectsBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    constexpr int kCycles = 10000;
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kCycles; ++i) {
        if (i == kCycles / 2) {   // the second half with a bitmap background
            ASSERT_EQ(0, dlg.SetBitmap(MakeCoordinateBitmap(16, 16)));
        }
        CClientDC dc(dlg);
        dlg.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
        ::RedrawWindow(dlg.m_label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    ::QueryPerformanceCounter(&end);
    const int slotAfter = ProbeSlot();
    const DWORD objectsAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    std::printf("[ measured ] %d erase-and-paint cycles: %.0f ms; probe slot %d before, %d after; "
                "GetGuiResources %lu before, %lu after\n",
                kCycles, Milliseconds(start, end), slotBefore, slotAfter, objectsBefore, objectsAfter);

    // One leaked object per cycle would move the probe about 10,000 slots on.
    EXPECT_LT(slotAfter - slotBefore, 100) << "GDI objects leaked: probe slot " << slotBefore << " -> " << slotAfter;
    EXPECT_LT(static_cast<int>(objectsAfter) - static_cast<int>(objectsBefore), 100);

    // And a paint still comes out as the first one did.
    ASSERT_EQ(0, dlg.SetBitmap(static_cast<HBITMAP>(nullptr)));
    dlg.EraseInto(canvas);
    int different = 0;
    for (int i = 0; i < canvas.size(); ++i)
        different += canvas.PixelAt(i) != first.PixelAt(i);
    EXPECT_EQ(0, different) << "pixels unlike the first erase's";
    dlg.Repaint();
    PixelCanvas shown(client.Width(), client.Height());
    ASSERT_TRUE(shown.CopyFromWindow(dlg));
    EXPECT_GT(shown.Count(dlg.LabelRect(), RGB(128, 64, 64)), 20) << "the label's text is still drawn";
}

TEST(SkinLeakTest, MeasuresOneFullEraseOfAThousandPixelHighDialog)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.Resize(400, 1000);
    CRect window;
    dlg.GetWindowRect(&window);
    ASSERT_EQ(1000, window.Height()) << "the window could not be made 1,000 pixels high";
    const CRect client = dlg.Client();
    PixelCanvas canvas(client.Width(), client.Height());
    ASSERT_TRUE(canvas.ok());

    struct Target {
        const char* name;
        HDC dc;
    };
    CClientDC windowDC(dlg);
    const Target targets[] = {{"into a 32-bit memory picture", canvas.dc()}, {"into the window", windowDC}};
    for (const Target& t : targets) {
        constexpr int kRounds = 200;
        dlg.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(t.dc));   // warm up
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int i = 0; i < kRounds; ++i)
            dlg.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(t.dc));
        ::GdiFlush();
        ::QueryPerformanceCounter(&end);
        std::printf("[ measured ] one full background erase, %d x %d window, %s: %.3f ms (mean of %d)\n",
                    window.Width(), window.Height(), t.name, Milliseconds(start, end) / kRounds, kRounds);
    }
    EXPECT_EQ(ColorName(RGB(255, 255, 255)), ColorName(canvas.Pixel(0, client.Height() - 1)));
}

} // namespace
