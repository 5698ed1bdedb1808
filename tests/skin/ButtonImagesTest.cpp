// The images a skinned button derives: grayed and darkened copies of bitmaps and
// icons, transparency masks, and what the button paints with them.

#include "ButtonImages.h"
#include "CIconInfo.h"
#include "PixelCanvas.h"
#include "SkinButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kMixed = RGB(200, 100, 50);
// A row of the four pixels every case looks at.
const std::vector<COLORREF> kRow = {kKey, RGB(0, 0, 0), RGB(255, 255, 255), kMixed};

// `rows` rows of the same pixels.
HBITMAP RowBitmap(const std::vector<COLORREF>& row, int rows = 1)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, static_cast<int>(row.size()), rows);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int y = 0; y < rows; ++y)
        for (size_t x = 0; x < row.size(); ++x)
            ::SetPixel(dc, static_cast<int>(x), y, row[x]);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

// The pixels of a bitmap, row by row, read without selecting it anywhere.
std::vector<COLORREF> PixelsOf(HBITMAP bitmap)
{
    BITMAP header{};
    ::GetObjectA(bitmap, sizeof header, &header);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), header.bmWidth, -header.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(static_cast<size_t>(header.bmWidth) * header.bmHeight);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, header.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    std::vector<COLORREF> out;
    for (DWORD v : bits)
        out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return out;
}

std::string Names(const std::vector<COLORREF>& colours)
{
    std::string text;
    for (COLORREF c : colours)
        text += ColorName(c) + " ";
    return text;
}

TEST(ButtonImages, GrayedAndDarkenedBitmapsKeepTheKeyAndMaskIt)
{
    struct Case { const char* what; CBitmap (*make)(HBITMAP, int, int, COLORREF); std::vector<COLORREF> expected; };
    const Case cases[] = {
        {"grayed", MakeGrayBitmap, {kKey, RGB(0, 0, 0), RGB(255, 255, 255), RGB(124, 124, 124)}},
        {"darkened", MakeDarkBitmap, {kKey, RGB(0, 0, 0), RGB(191, 191, 191), RGB(150, 75, 37)}},
    };
    for (const Case& c : cases) {
        CBitmap source(RowBitmap(kRow));
        CBitmap copy = c.make(source, 4, 1, kKey);
        ASSERT_NE(nullptr, copy.GetSafeHandle()) << c.what;
        EXPECT_EQ(Names(kRow), Names(PixelsOf(source))) << c.what << ": the source changed";
        EXPECT_EQ(Names(c.expected), Names(PixelsOf(copy))) << c.what;

        // Masked, the key-coloured pixel turns black in the copy and white in the mask.
        CBitmap mask = MakeMask(copy, 4, 1, kKey);
        ASSERT_NE(nullptr, mask.GetSafeHandle()) << c.what;
        std::vector<COLORREF> blackened = c.expected;
        blackened[0] = RGB(0, 0, 0);
        EXPECT_EQ(Names(blackened), Names(PixelsOf(copy))) << c.what;
        EXPECT_EQ(Names({RGB(255, 255, 255), 0, 0, 0}), Names(PixelsOf(mask))) << c.what;
    }
}

// An icon's black is its transparent colour plane: it stays black in both copies.
TEST(ButtonImages, GrayedAndDarkenedIconsKeepBlack)
{
    ICONINFO info{};
    info.fIcon = TRUE;
    const BYTE opaque[8] = {};
    info.hbmMask = ::CreateBitmap(4, 2, 1, 1, opaque);   // the icon's hotspot is (2, 1): 4 x 2
    info.hbmColor = RowBitmap({RGB(0, 0, 0), RGB(255, 255, 255), kMixed, RGB(1, 1, 1)}, 2);
    CIcon icon(::CreateIconIndirect(&info));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ASSERT_NE(nullptr, icon.GetSafeHandle());

    struct Case { const char* what; CIcon (*make)(HICON); std::vector<COLORREF> expected; };
    const Case cases[] = {
        {"grayed", MakeGrayIcon, {RGB(0, 0, 0), RGB(255, 255, 255), RGB(124, 124, 124), RGB(1, 1, 1)}},
        {"darkened", MakeDarkIcon, {RGB(0, 0, 0), RGB(191, 191, 191), RGB(150, 75, 37), RGB(0, 0, 0)}},
    };
    for (Case c : cases) {
        c.expected.insert(c.expected.end(), c.expected.begin(), c.expected.end());   // both rows
        CIcon copy = c.make(icon);
        ASSERT_NE(nullptr, copy.GetSafeHandle()) << c.what;
        CIconInfo made(copy);
        ASSERT_NE(nullptr, made.Color().GetSafeHandle()) << c.what;
        EXPECT_EQ(Names(c.expected), Names(PixelsOf(made.Color()))) << c.what;
        EXPECT_TRUE(made.IsIcon()) << c.what;
    }
    EXPECT_EQ(nullptr, MakeGrayIcon(nullptr).GetSafeHandle());
}

// The button paints its bitmaps with the key colour transparent: the face shows
// through; the key-coloured pixels of the bitmaps it was given read back black; a
// grayed normal bitmap shows while not hovered, transparent in the same places;
// disabled, the image is embossed.
TEST(ButtonImages, ButtonDrawsBitmapsWithTheKeyTransparent)
{
    HWND parent = ::CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND window = ::CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 40, 20, parent,
                                    nullptr, nullptr, nullptr);
    CWnd host;   // reflects the button's WM_DRAWITEM to it
    ASSERT_TRUE(host.SubclassWindow(parent));
    CSkinButton b;
    ASSERT_TRUE(b.SubclassWindow(window));
    const COLORREF face = RGB(10, 20, 30);
    b.SetStateColor(SKIN_COLOR_NORMAL_BACK, face, FALSE);

    const std::vector<COLORREF> hotRow = {kKey, kMixed, kKey, RGB(0, 200, 0)};
    // Each given bitmap is masked with its own key.
    HBITMAP givenHot = RowBitmap(hotRow), givenNormal = RowBitmap({kMixed, RGB(1, 2, 3), kKey});
    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignBitmaps(givenHot, kKey, givenNormal, RGB(1, 2, 3)));
    EXPECT_EQ(Names({RGB(0, 0, 0), kMixed, RGB(0, 0, 0), RGB(0, 200, 0)}), Names(PixelsOf(givenHot)));
    EXPECT_EQ(Names({kMixed, RGB(0, 0, 0), kKey}), Names(PixelsOf(givenNormal)));
    HBITMAP hot = RowBitmap(hotRow);
    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignBitmaps(hot, kKey, SkinImage<HBITMAP>(SKIN_IMAGE_GRAYED)));
    EXPECT_EQ(Names({RGB(0, 0, 0), kMixed, RGB(0, 0, 0), RGB(0, 200, 0)}), Names(PixelsOf(hot)));
    ASSERT_EQ(SKIN_BUTTON_OK, b.SetImagePlacement(PLACE_IMAGE_LEFT, FALSE));

    auto paint = [&]() {
        auto canvas = std::make_unique<PixelCanvas>(40, 20);
        ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
        return canvas;
    };
    // A caption-less 4 x 1 image is centred: (18, 9).
    auto normal = paint();
    EXPECT_EQ(Names({face, RGB(124, 124, 124), face, RGB(117, 117, 117)}),
              Names({normal->Pixel(18, 9), normal->Pixel(19, 9), normal->Pixel(20, 9), normal->Pixel(21, 9)}));
    ::SendMessageA(window, BM_SETSTATE, TRUE, 0);
    b.SetStateColor(SKIN_COLOR_HOT_BACK, face, FALSE);
    auto pressed = paint();
    EXPECT_EQ(Names({face, kMixed, face, RGB(0, 200, 0)}),
              Names({pressed->Pixel(19, 10), pressed->Pixel(20, 10), pressed->Pixel(21, 10), pressed->Pixel(22, 10)}))
        << "pressed: the hot bitmap, moved by (1, 1)";
    ::SendMessageA(window, BM_SETSTATE, FALSE, 0);

    ::EnableWindow(window, FALSE);
    auto disabled = paint();
    EXPECT_EQ(0, disabled->Count({0, 0, 40, 20}, kMixed) + disabled->Count({0, 0, 40, 20}, RGB(124, 124, 124)))
        << "the disabled image shows its colours";
    EXPECT_GT(disabled->Count({18, 9, 22, 10}, ::GetSysColor(COLOR_BTNSHADOW)), 0) << "no embossed image";

    b.UnsubclassWindow();
    host.UnsubclassWindow();
    ::DestroyWindow(parent);
}

} // namespace
