// The caption panel as the screen shows it: its text alone over the dialog's
// gradient, its alignments and margin, and the optional gradient of its own.

#include "SkinTestDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const COLORREF kText = RGB(128, 64, 64);

bool Between(int value, int a, int b)
{
    return value >= (a < b ? a : b) && value <= (a < b ? b : a);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The box around the pixels of `area` that differ from `background`; empty when none.
CRect InkBounds(const PixelCanvas& shown, const PixelCanvas& background, const RECT& area)
{
    CRect ink(area.right, area.bottom, area.left, area.top);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shown.Pixel(x, y) != background.Pixel(x, y))
                ink = CRect(std::min<int>(ink.left, x), std::min<int>(ink.top, y), std::max<int>(ink.right, x + 1),
                            std::max<int>(ink.bottom, y + 1));
    return ink.IsRectEmpty() ? CRect() : ink;
}

// The shown dialog with its background alone (as erased) and as painted.
struct Shown {
    SkinTestDialog dlg;
    CRect label;
    std::unique_ptr<PixelCanvas> background;
    std::unique_ptr<PixelCanvas> screen;

    Shown()
    {
        if (!dlg.Create())
            return;
        label = dlg.LabelRect();
    }
    // Paints everything and reads the dialog's client area back from the screen.
    void Paint()
    {
        const CRect client = dlg.Client();
        background = std::make_unique<PixelCanvas>(client.Width(), client.Height());
        dlg.EraseInto(*background);
        dlg.Repaint();
        screen = std::make_unique<PixelCanvas>(client.Width(), client.Height());
        screen->CopyFromWindow(dlg);
    }
    // The box around the label's pixels that differ from the dialog's background.
    CRect Ink() const { return InkBounds(*screen, *background, label); }
};

TEST(GradientStaticTest, ALabelDrawsOnlyItsTextLeftAlignedAndCentredOverTheGradient)
{
    Shown shown;
    ASSERT_NE(nullptr, shown.dlg.m_hWnd);
    shown.Paint();
    const CRect& label = shown.label;
    const CRect ink = shown.Ink();
    ASSERT_FALSE(ink.IsRectEmpty()) << "no text drawn";

    int exact = 0, foreign = 0;
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x) {
            const COLORREF got = shown.screen->Pixel(x, y);
            const COLORREF behind = shown.background->Pixel(x, y);
            exact += got == kText;
            // The letters' edges blend text and background: every channel lies between.
            const bool blend = Between(GetRValue(got), GetRValue(behind), GetRValue(kText)) &&
                               Between(GetGValue(got), GetGValue(behind), GetGValue(kText)) &&
                               Between(GetBValue(got), GetBValue(behind), GetBValue(kText));
            if (!blend && foreign++ < 3)
                ADD_FAILURE() << "at (" << x << ", " << y << "): " << ColorName(got) << " over " << ColorName(behind);
        }
    EXPECT_GT(exact, 20) << "solid letter strokes in " << ColorName(kText);
    EXPECT_EQ(0, foreign) << "nothing but text and background: no box of its own";
    EXPECT_LE(ink.left - label.left, 2) << "left-aligned";
    const int inkMiddle = ink.top + ink.bottom, labelMiddle = label.top + label.bottom;   // doubled
    EXPECT_LE(std::abs(inkMiddle - labelMiddle), 4) << "vertically centred: text rows " << ink.top << "-"
                                                    << ink.bottom << " in " << label.top << "-" << label.bottom;
    EXPECT_LE(ink.Height(), 16) << "one line of a 14-pixel font";

    // Around the label, and in the gaps between letters, the dialog's own gradient shows.
    EXPECT_EQ(ColorName(shown.background->Pixel(label.right - 1, label.top)),
              ColorName(shown.screen->Pixel(label.right - 1, label.top)));
    EXPECT_NE(shown.background->Pixel(0, 0), shown.background->Pixel(0, shown.background->height() - 1))
        << "the background is a gradient, not one colour";
}

TEST(GradientStaticTest, ANewCaptionLeavesNothingOfTheOldOne)
{
    Shown shown;
    ASSERT_NE(nullptr, shown.dlg.m_hWnd);
    shown.Paint();
    shown.dlg.m_label.SetCaption("Dossiers");   // shorter than the template's text
    // Only what SetCaption made invalid is painted now.
    ::RedrawWindow(shown.dlg, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PixelCanvas afterCaption(shown.screen->width(), shown.screen->height());
    ASSERT_TRUE(afterCaption.CopyFromWindow(shown.dlg));
    shown.Paint();   // everything painted afresh
    int different = 0;
    for (int y = shown.label.top; y < shown.label.bottom; ++y)
        for (int x = shown.label.left; x < shown.label.right; ++x)
            different += afterCaption.Pixel(x, y) != shown.screen->Pixel(x, y);
    EXPECT_EQ(0, different) << "pixels of the old caption left over";
    EXPECT_LT(shown.Ink().Width(), shown.label.Width() / 2) << "the new, shorter text";
}

TEST(GradientStaticTest, AlignmentAndMarginMoveTheTextAsAWhole)
{
    Shown shown;
    ASSERT_NE(nullptr, shown.dlg.m_hWnd);
    struct Placed {
        int align, margin;
        CRect ink;
    };
    std::vector<Placed> placed;
    for (int align : {0, 1, 2, -1, 7})
        for (int margin : {0, 5}) {
            shown.dlg.m_label.SetAlignment(align);
            shown.dlg.m_label.SetMargin(margin);
            shown.Paint();
            placed.push_back({align, margin, shown.Ink()});
        }
    auto ink = [&](int align, int margin) {
        for (const Placed& p : placed)
            if (p.align == align && p.margin == margin)
                return p.ink;
        return CRect();
    };
    const CRect& label = shown.label;
    EXPECT_EQ(ink(0, 0).left + 5, ink(0, 5).left) << "left, margin 5";
    EXPECT_EQ(ink(2, 0).right - 5, ink(2, 5).right) << "right, margin 5";
    EXPECT_TRUE(Between(label.right - ink(2, 5).right, 5, 7)) << "ends 5 pixels from the edge (plus the letter's "
                                                                 "own bearing): " << label.right - ink(2, 5).right;
    EXPECT_TRUE(ink(1, 0) == ink(1, 5)) << "centred text ignores the margin";
    EXPECT_LE(std::abs((ink(1, 0).left - label.left) - (label.right - ink(1, 0).right)), 3) << "centred";
    for (int other : {-1, 7}) {
        EXPECT_TRUE(ink(other, 0) == ink(2, 0)) << "alignment " << other << " draws right-aligned";
        EXPECT_TRUE(ink(other, 5) == ink(2, 5)) << "alignment " << other << " with margin 5";
    }
}

TEST(GradientStaticTest, TheGradientGoesFromStartToEndAndSwapColorsReversesIt)
{
    Shown shown;
    ASSERT_NE(nullptr, shown.dlg.m_hWnd);
    TestLabel& label = shown.dlg.m_label;
    const CRect& area = shown.label;
    label.SetGradient(TRUE);
    label.SetGradientColors(RGB(255, 0, 0), RGB(0, 0, 255));
    ASSERT_TRUE(label.m_bCanGradientFill) << "msimg32.dll is part of the system";

    struct Case {
        const char* name;
        BOOL vertical, swap, banded;
        POINT first, last;   // label pixels at the start and the end of the gradient
        COLORREF atFirst, atLast;
        int lastTolerance;   // the last row or column is one step short of the end colour
    };
    const POINT topLeft = {area.left, area.top}, topRight = {area.right - 1, area.top};
    const POINT bottomLeft = {area.left, area.bottom - 1};
    const Case cases[] = {
        {"horizontal", FALSE, FALSE, FALSE, topLeft, topRight, RGB(255, 0, 0), RGB(0, 0, 255), 4},
        {"swapped", FALSE, TRUE, FALSE, topLeft, topRight, RGB(0, 0, 255), RGB(255, 0, 0), 4},
        {"vertical", TRUE, TRUE, FALSE, topLeft, bottomLeft, RGB(255, 0, 0), RGB(0, 0, 255), 255 / area.Height() + 2},
        {"banded, without the system's fill", FALSE, FALSE, TRUE, topLeft, topRight, RGB(255, 0, 0),
         RGB(1, 0, 254), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        label.SetVertical(c.vertical);
        if (c.swap)
            label.SwapColors();
        label.m_bCanGradientFill = !c.banded;
        shown.Paint();
        const COLORREF first = shown.screen->Pixel(c.first.x, c.first.y);
        const COLORREF last = shown.screen->Pixel(c.last.x, c.last.y);
        EXPECT_TRUE(Near(first, c.atFirst, 2)) << ColorName(first) << ", expected " << ColorName(c.atFirst);
        EXPECT_TRUE(Near(last, c.atLast, c.lastTolerance)) << ColorName(last) << ", expected " << ColorName(c.atLast);
        EXPECT_GT(shown.screen->Count(area, kText), 20) << "the text is drawn over the gradient";
    }
}

} // namespace
