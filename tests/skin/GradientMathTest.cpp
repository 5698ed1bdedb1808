// The caption panel's arithmetic without a window: the vertices handed to the
// system's gradient fill and the banded fill that stands in for it.

#include "CDC.h"
#include "GradientMath.h"
#include "PixelCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(GradientMathTest, VerticesCarryEightBitChannelsInTheirHighByte)
{
    TRIVERTEX v[2];
    skin::MakeGradientVertices(RECT{3, 4, 103, 24}, RGB(255, 128, 1), RGB(0, 255, 16), v);
    const struct {
        const char* what;
        long actual, expected;
    } checks[] = {
        {"start x", v[0].x, 3},      {"start y", v[0].y, 4},          {"end x", v[1].x, 103},
        {"end y", v[1].y, 24},       {"red", v[0].Red, 0xFF00},       {"green", v[0].Green, 0x8000},
        {"blue", v[0].Blue, 0x0100}, {"alpha", v[0].Alpha, 0},        {"end green", v[1].Green, 0xFF00},
    };
    for (const auto& c : checks)
        EXPECT_EQ(c.expected, c.actual) << c.what;
}

TEST(GradientMathTest, BandedFillTakes255StepsShortOfTheEndColour)
{
    // 510 pixels wide: two-pixel bands, grey i in band i, the last one 254.
    PixelCanvas canvas(510, 6);
    ASSERT_TRUE(canvas.ok());
    for (int i = 0; i < skin::kGradientBands; ++i) {
        CDC(canvas.dc()).FillSolidRect(skin::BandedGradientBand(CRect(0, 0, 510, 6), i, false),
                                       skin::BandedGradientColor(RGB(0, 0, 0), RGB(255, 255, 255), i));
    }
    for (int x : {0, 1, 2, 3, 254, 255, 508, 509})
        EXPECT_EQ(ColorName(RGB(x / 2, x / 2, x / 2)), ColorName(canvas.Pixel(x, 3))) << "column " << x;

    // 100 pixels wide: 155 of the bands hold no column; vertical bands go down.
    int empty = 0;
    for (int i = 0; i < skin::kGradientBands; ++i) {
        const CRect band = skin::BandedGradientBand(CRect(10, 0, 110, 5), i, false);
        empty += band.Width() == 0;
        EXPECT_LE(band.Width(), 1);
    }
    EXPECT_EQ(155, empty);
    EXPECT_TRUE(CRect(10, 26, 30, 28) == skin::BandedGradientBand(CRect(10, 20, 30, 530), 3, true));

    // Channel by channel, differences taken signed: 10 + 200 * 254 / 255 = 209.2,
    // 200 - 200 * 254 / 255 = 0.8.
    EXPECT_EQ(ColorName(RGB(209, 0, 0)), ColorName(skin::BandedGradientColor(RGB(10, 200, 0), RGB(210, 0, 0), 254)));
    EXPECT_EQ(ColorName(RGB(110, 99, 0)), ColorName(skin::BandedGradientColor(RGB(10, 200, 0), RGB(210, 0, 0), 128)));
}

} // namespace
