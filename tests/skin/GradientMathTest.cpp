// The skin's arithmetic without a window: the background's bands and shades, the
// gradient fill's vertices, the banded stand-in for it, the bitmap layouts.

#include "BitmapPlacement.h"
#include "CRect.h"
#include "GradientMath.h"
#include "PixelCanvas.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(GradientMathTest, BandsAreAFifthOfAPercentHighAndShadesReachWhiteAt77Percent)
{
    struct Case {
        int height, step, firstWhiteBand;
    };
    // The first white band: the smallest distance d = k * step with
    // 160 * d^2 / height^2 >= 95, worked out by hand.
    const Case cases[] = {
        {100, 1, 78}, {300, 1, 232}, {509, 1, 393}, {510, 2, 394}, {1000, 3, 771}, {4000, 15, 3090},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height);
        EXPECT_EQ(c.step, skin::GradientBandHeight(c.height));
        EXPECT_EQ(160, skin::GradientShade(160, 0, c.height)) << "the top keeps the base";
        int firstWhite = -1;
        int previous = 160;
        for (int d = c.step; d <= c.height; d += c.step) {
            const int shade = skin::GradientShade(160, d, c.height);
            EXPECT_GE(shade, previous) << "never darker further down, at " << d;
            previous = shade;
            if (shade == 255 && firstWhite < 0)
                firstWhite = d;
        }
        EXPECT_EQ(c.firstWhiteBand, firstWhite);
    }
    EXPECT_EQ(1, skin::GradientBandHeight(0)) << "an empty window still steps";
}

TEST(GradientMathTest, VerticesCarryEightBitChannelsInTheirHighByte)
{
    TRIVERTEX v[2];
    skin::MakeGradientVertices(RECT{3, 4, 103, 24}, RGB(255, 128, 1), RGB(0, 255, 16), v);
    const struct {
        const char* what;
        long actual, expected;
    } checks[] = {
        {"start x", v[0].x, 3},          {"start y", v[0].y, 4},           {"end x", v[1].x, 103},
        {"end y", v[1].y, 24},           {"start red", v[0].Red, 0xFF00},  {"start green", v[0].Green, 0x8000},
        {"start blue", v[0].Blue, 0x0100}, {"start alpha", v[0].Alpha, 0}, {"end red", v[1].Red, 0},
        {"end green", v[1].Green, 0xFF00}, {"end blue", v[1].Blue, 0x1000},
    };
    for (const auto& c : checks)
        EXPECT_EQ(c.expected, c.actual) << c.what;
}

TEST(GradientMathTest, BandedFillTakes255StepsShortOfTheEndColour)
{
    const CRect wide(0, 0, 510, 6);
    PixelCanvas canvas(510, 6);
    ASSERT_TRUE(canvas.ok());
    for (int i = 0; i < skin::kGradientBands; ++i) {
        const RECT band = skin::BandedGradientBand(wide, i, false);
        const HBRUSH brush = ::CreateSolidBrush(skin::BandedGradientColor(RGB(0, 0, 0), RGB(255, 255, 255), i));
        ::FillRect(canvas.dc(), &band, brush);
        ::DeleteObject(brush);
    }
    // 510 pixels: two-pixel bands, grey i in band i, the last one 254.
    for (int x : {0, 1, 2, 3, 254, 255, 508, 509})
        EXPECT_EQ(ColorName(RGB(x / 2, x / 2, x / 2)), ColorName(canvas.Pixel(x, 3))) << "column " << x;

    // 100 pixels: most bands hold no column, and only some greys appear.
    std::set<int> widths;
    int empty = 0;
    for (int i = 0; i < skin::kGradientBands; ++i) {
        const RECT band = skin::BandedGradientBand(CRect(10, 0, 110, 5), i, false);
        widths.insert(band.right - band.left);
        empty += band.right == band.left;
        EXPECT_EQ(0, band.top);
        EXPECT_EQ(5, band.bottom);
    }
    EXPECT_EQ((std::set<int>{0, 1}), widths);
    EXPECT_EQ(155, empty);

    // Vertical: the bands go down from the top, full width.
    const RECT down = skin::BandedGradientBand(CRect(10, 20, 30, 530), 3, true);
    EXPECT_TRUE(CRect(down) == CRect(10, 26, 30, 28));

    const struct {
        COLORREF start, end;
        int index;
        COLORREF expected;
    } colors[] = {
        {RGB(10, 200, 0), RGB(210, 0, 0), 0, RGB(10, 200, 0)},
        {RGB(10, 200, 0), RGB(210, 0, 0), 254, RGB(209, 0, 0)},   // 10 + 200 * 254 / 255 = 209.2; 200 - 199.2 = 0.8
        {RGB(10, 200, 0), RGB(210, 0, 0), 128, RGB(110, 99, 0)},
        {RGB(0, 0, 255), RGB(0, 0, 0), 254, RGB(0, 0, 1)},
    };
    for (const auto& c : colors)
        EXPECT_EQ(ColorName(c.expected), ColorName(skin::BandedGradientColor(c.start, c.end, c.index)))
            << "band " << c.index;
}

} // namespace
