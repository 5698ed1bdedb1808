// The skinned dialog: its gradient, the thirteen bitmap layouts, the window shape a
// transparent colour cuts, its setters' results, what repaints, and dragging.

#include "GradientMath.h"
#include "SkinTestDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const COLORREF kGrey = RGB(160, 160, 160);
const COLORREF kWhite = RGB(255, 255, 255);

bool IsInvalid(HWND hwnd)
{
    return ::GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
}

TEST(SkinDialogTest, GradientKeepsItsTopBandGreyStepsInBandsAndEndsWhite)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    struct Case {
        int height, step, firstWhite, middleRow, middleGrey;
    };
    // Worked by hand: the first white band is the first distance d, a multiple of the
    // step, with 160 * d^2 / height^2 >= 95; row 500 of 1000 lies in the band at 498,
    // 160 + 160 * 498^2 / 1000^2 = 199. 4,000 pixels: 160 * d^2 no longer fits 32 bits.
    const Case cases[] = {{300, 1, 232, 150, 200}, {1000, 3, 771, 500, 199}, {4000, 15, 3090, 2000, 199}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " pixels high");
        PixelCanvas canvas(8, c.height);
        ASSERT_TRUE(canvas.ok());
        CDC dc(canvas.dc());
        dlg.DrawGradientBackground(&dc, CRect(0, 0, 8, c.height));

        EXPECT_EQ(ColorName(kGrey), ColorName(canvas.Pixel(0, c.step - 1))) << "the top band keeps the base";
        EXPECT_EQ(ColorName(RGB(c.middleGrey, c.middleGrey, c.middleGrey)), ColorName(canvas.Pixel(7, c.middleRow)));
        EXPECT_EQ(ColorName(kWhite), ColorName(canvas.Pixel(7, c.height - 1))) << "lowest row";
        int firstWhite = -1, offStep = 0, neighbours = 0, darker = 0;
        for (int y = 1; y < c.height; ++y) {
            const COLORREF here = canvas.Pixel(0, y), above = canvas.Pixel(0, y - 1);
            offStep += here != above && y % c.step != 0;
            neighbours += here != above && y >= 2 && above != canvas.Pixel(0, y - 2);
            darker += GetRValue(here) < GetRValue(above);
            if (firstWhite < 0 && here == kWhite)
                firstWhite = y;
        }
        EXPECT_EQ(c.firstWhite, firstWhite);
        EXPECT_EQ(0, darker) << "never darker further down";
        EXPECT_EQ(0, offStep) << "the grey changes only where a band of " << c.step << " begins";
        EXPECT_EQ(c.step == 1, neighbours > 0) << "one-pixel bands: neighbouring rows differ somewhere";
    }
}

TEST(SkinDialogTest, WithoutABitmapEveryEraseShowsTheWindowHighGradientBelowTheCaption)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.Resize(260, 340);
    CRect window;
    dlg.GetWindowRect(&window);
    dlg.ScreenToClient(&window);
    ASSERT_LT(window.top, 0) << "the window rectangle starts above the client area";
    const CRect client = dlg.Client();

    // The same gradient drawn over the whole window height, from its top edge.
    PixelCanvas whole(window.Width(), window.Height());
    ASSERT_TRUE(whole.ok());
    CDC wholeDC(whole.dc());
    dlg.DrawGradientBackground(&wholeDC, CRect(0, 0, window.Width(), window.Height()));

    for (BYTE mode : {CSkinDialog::DRAWMODE_TILE, CSkinDialog::DRAWMODE_TILE_LEFT, CSkinDialog::DRAWMODE_STRETCH}) {
        SCOPED_TRACE(testing::Message() << "draw mode " << int(mode));
        ASSERT_EQ(0, dlg.SetDrawMode(mode, FALSE));
        PixelCanvas canvas(client.Width(), client.Height());
        ASSERT_TRUE(canvas.ok());
        EXPECT_NE(FALSE, dlg.EraseInto(canvas));
        int wrong = 0;
        for (int y = 0; y < client.Height(); ++y)
            for (int x : {0, client.Width() / 2, client.Width() - 1})
                if (canvas.Pixel(x, y) != whole.Pixel(x, y - window.top) && wrong++ < 3)
                    ADD_FAILURE() << "at (" << x << ", " << y << "): " << ColorName(canvas.Pixel(x, y))
                                  << ", expected " << ColorName(whole.Pixel(x, y - window.top));
        EXPECT_EQ(0, wrong);
    }
}

TEST(SkinDialogTest, TheThirteenDrawModesPlaceTheBitmapAsTheirTableSays)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.Resize(200, 150);
    const int cw = dlg.Client().Width(), ch = dlg.Client().Height();

    struct Case {
        BYTE mode;
        int bw, bh;
        std::vector<POINT> origins;   // where the top-left corner of each copy goes
    };
    auto row = [&](int y, int bw) { std::vector<POINT> o; for (int x = 0; x < cw; x += bw) o.push_back({x, y}); return o; };
    auto column = [&](int x, int bh) { std::vector<POINT> o; for (int y = 0; y < ch; y += bh) o.push_back({x, y}); return o; };
    std::vector<POINT> tiles;
    for (int y = 0; y < ch; y += 5)
        for (int x = 0; x < cw; x += 7)
            tiles.push_back({x, y});
    const int bigW = cw + 20, bigH = ch + 10;   // larger than the client area, by even amounts
    const Case cases[] = {
        {0, 7, 5, tiles},
        {1, 7, 5, {{(cw - 7) / 2, (ch - 5) / 2}}},
        {1, bigW, bigH, {{-10, -5}}},
        {3, 7, 5, row(0, 7)},
        {4, 7, 5, row(ch - 5, 7)},
        {5, 7, 5, column(0, 5)},
        {6, 7, 5, column(cw - 7, 5)},
        {7, 7, 5, {{0, 0}}},
        {8, 7, 5, {{cw - 7, 0}}},
        {9, 7, 5, {{(cw - 7) / 2, 0}}},
        {9, bigW, bigH, {{-10, 0}}},
        {10, 7, 5, {{0, ch - 5}}},
        {11, 7, 5, {{cw - 7, ch - 5}}},
        {12, 7, 5, {{(cw - 7) / 2, ch - 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << ", bitmap " << c.bw << " x " << c.bh);
        ASSERT_EQ(0, dlg.SetBitmap(MakeCoordinateBitmap(c.bw, c.bh)));
        ASSERT_EQ(0, dlg.SetDrawMode(c.mode, FALSE));
        PixelCanvas canvas(cw, ch);
        ASSERT_TRUE(canvas.ok());
        dlg.m_drawnCorner = PixelCanvas::kSentinel;
        dlg.EraseInto(canvas);
        // Where the bitmap does not reach, the picture keeps the background colour
        // that the dialog's default erase left in the context (its face colour).
        const COLORREF background = ::GetBkColor(canvas.dc());
        EXPECT_NE(PixelCanvas::kSentinel, background);
        int wrong = 0;
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                COLORREF expected = background;
                for (const POINT& o : c.origins)
                    if (x >= o.x && x < o.x + c.bw && y >= o.y && y < o.y + c.bh)
                        expected = RGB(x - o.x, y - o.y, 77);
                if (canvas.Pixel(x, y) != expected && wrong++ < 3)
                    ADD_FAILURE() << "at (" << x << ", " << y << "): " << ColorName(canvas.Pixel(x, y))
                                  << ", expected " << ColorName(expected);
            }
        EXPECT_EQ(0, wrong);
        EXPECT_EQ(ColorName(canvas.Pixel(0, 0)), ColorName(dlg.m_drawnCorner))
            << "OnBackgroundDrawn sees the composed picture";
    }

    // Stretched: the whole bitmap, corner to corner, over the whole client area.
    ASSERT_EQ(0, dlg.SetBitmap(MakeCoordinateBitmap(7, 5)));
    ASSERT_EQ(0, dlg.SetDrawMode(CSkinDialog::DRAWMODE_STRETCH, FALSE));
    PixelCanvas canvas(cw, ch);
    dlg.EraseInto(canvas);
    int x = -1, y = -1;
    EXPECT_TRUE(BitmapCoordinate(canvas.Pixel(0, 0), &x, &y) && x == 0 && y == 0) << ColorName(canvas.Pixel(0, 0));
    EXPECT_TRUE(BitmapCoordinate(canvas.Pixel(cw - 1, ch - 1), &x, &y) && x == 6 && y == 4)
        << ColorName(canvas.Pixel(cw - 1, ch - 1));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, cw, ch), ::GetBkColor(canvas.dc())));
}

TEST(SkinDialogTest, SettersAnswerWithTheirCodesAndRepaintOnlyWhenAsked)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    struct Case {
        BYTE mode;
        BOOL repaint;
        int result;
        BYTE modeAfter;
        bool invalid;
    };
    const Case cases[] = {
        {7, TRUE, 0, 7, true},
        {13, TRUE, 2, 7, false},     // out of range: nothing changes
        {255, FALSE, 2, 7, false},
        {5, 2, 0, 5, false},         // stored, but 2 is not TRUE: no repaint
        {12, FALSE, 0, 12, false},
        {0, TRUE, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "SetDrawMode(" << int(c.mode) << ", " << c.repaint << ")");
        ::ValidateRect(dlg, nullptr);
        EXPECT_EQ(c.result, dlg.SetDrawMode(c.mode, c.repaint));
        EXPECT_EQ(int(c.modeAfter), int(dlg.m_byDrawMode));
        EXPECT_EQ(c.invalid, IsInvalid(dlg));
    }

    // Resizing recomposes the background only when a bitmap is set.
    for (bool withBitmap : {false, true}) {
        SCOPED_TRACE(withBitmap ? "with a bitmap" : "with the gradient");
        ASSERT_EQ(0, dlg.SetBitmap(withBitmap ? MakeCoordinateBitmap(8, 8) : nullptr));
        ::ValidateRect(dlg, nullptr);
        dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(dlg.Client().Width(), dlg.Client().Height()));
        EXPECT_EQ(withBitmap, IsInvalid(dlg));
    }

    // The client area takes the bitmap's size; the top-left corner stays.
    ASSERT_EQ(0, dlg.SetBitmap(MakeCoordinateBitmap(120, 90)));
    ASSERT_EQ(0, dlg.SetDrawMode(CSkinDialog::DRAWMODE_TILE, FALSE));
    CRect before;
    dlg.GetWindowRect(&before);
    EXPECT_EQ(0, dlg.FitWindowToBitmap(FALSE));
    CRect after;
    dlg.GetWindowRect(&after);
    EXPECT_EQ(120, dlg.Client().Width());
    EXPECT_EQ(90, dlg.Client().Height());
    EXPECT_TRUE(after.TopLeft() == before.TopLeft());
    EXPECT_EQ(int(CSkinDialog::DRAWMODE_CENTER), int(dlg.m_byDrawMode));

    // A bitmap resource that does not exist removes the skin.
    EXPECT_EQ(0, dlg.SetBitmap(static_cast<UINT>(999)));
    EXPECT_EQ(nullptr, dlg.m_hBitmap.GetSafeHandle());
}

// A bitmap 10 x 6, white, with RGB(255, 0, 255) at the given pixels.
HBITMAP MakeMaskBitmap(const std::vector<POINT>& holes)
{
    PixelCanvas paint(10, 6, RGB(255, 255, 255));
    for (const POINT& p : holes)
        ::SetPixel(paint.dc(), p.x, p.y, RGB(255, 0, 255));
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, 10, 6);
    ::ReleaseDC(nullptr, screen);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, copy);
    ::BitBlt(dc, 0, 0, 10, 6, paint.dc(), 0, 0, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return copy;
}

TEST(SkinDialogTest, ATransparentColourCutsExactlyItsPixelsOutOfTheWindow)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    const std::vector<POINT> holes = {{0, 0}, {3, 2}, {4, 2}, {7, 5}, {9, 1}};
    // The high byte of the colour is not part of it.
    ASSERT_EQ(0, dlg.SetBitmap(MakeMaskBitmap(holes), 0xAB000000 | RGB(255, 0, 255)));
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(dlg, shape));
    int wrong = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x) {
            bool hole = false;
            for (const POINT& p : holes)
                hole = hole || (p.x == x && p.y == y);
            // Only the first 8 of the 10 columns are read; the rest of the window goes.
            const bool expected = x < 8 && y < 6 && !hole;
            if (expected != (::PtInRegion(shape, x, y) != FALSE) && wrong++ < 5)
                ADD_FAILURE() << "window pixel (" << x << ", " << y << ") should be "
                              << (expected ? "kept" : "cut away");
        }
    EXPECT_EQ(0, wrong);

    struct Case {
        const char* name;
        HBITMAP bitmap;
        COLORREF transparent;
        int result;
        bool shaped, skinned;
    };
    HBITMAP gone = MakeCoordinateBitmap(4, 4);
    ::DeleteObject(gone);
    const Case cases[] = {
        {"no transparent colour", MakeMaskBitmap(holes), CSkinDialog::NO_TRANSPARENT_COLOR, 0, false, true},
        {"null bitmap", nullptr, RGB(255, 0, 255), 0, false, false},
        {"a colour the bitmap lacks", MakeMaskBitmap(holes), RGB(1, 1, 1), 0, true, true},
        {"a deleted bitmap", gone, RGB(255, 0, 255), 1, false, false},
        {"narrower than 4 pixels", MakeCoordinateBitmap(3, 3), RGB(0, 0, 77), 3, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, dlg.SetBitmap(MakeMaskBitmap(holes), RGB(255, 0, 255))) << "shaped beforehand";
        EXPECT_EQ(c.result, dlg.SetBitmap(c.bitmap, c.transparent));
        EXPECT_EQ(c.shaped, ::GetWindowRgn(dlg, shape) != ERROR);
        EXPECT_EQ(c.skinned, dlg.m_hBitmap.GetSafeHandle() != nullptr);
        EXPECT_EQ(c.skinned ? 10u : 0u, dlg.m_dwBitmapWidth);
    }
    ::DeleteObject(shape);
}

TEST(SkinDialogTest, OnlyDragAnywhereEqualToOneMovesTheWindowFromItsClientArea)
{
    SkinTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    POINT screen = {10, 20};
    ::ClientToScreen(dlg, &screen);
    for (BOOL drag : {0, 1, 2, -1}) {
        SCOPED_TRACE(testing::Message() << "m_bDragAnywhere " << drag);
        EXPECT_EQ(0, dlg.SetDragAnywhere(drag));
        dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
        dlg.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
        MSG msg{};
        const bool posted = ::PeekMessageA(&msg, dlg, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
        EXPECT_EQ(drag == 1, posted);
        if (posted) {
            EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), msg.wParam);
            EXPECT_EQ(screen.x, static_cast<short>(LOWORD(msg.lParam)));
            EXPECT_EQ(screen.y, static_cast<short>(HIWORD(msg.lParam)));
        }
    }
}

} // namespace
