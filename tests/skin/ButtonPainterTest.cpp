// The skinned button's painter without a window: each state of a table drawn into
// a memory bitmap pre-filled with a sentinel and read back, pixel facts per state
// (face, edge, which image and where, caption offset, focus rectangle, high
// contrast, DPI), and the context left as it was found.

#include "ButtonDriving.h"
#include "ButtonPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int W = 100, H = 36;   // the painted rectangle; the canvas is larger
const COLORREF kHot = RGB(230, 40, 40), kNormal = RGB(40, 40, 230);
const COLORREF kHotBack = RGB(250, 240, 200), kHotText = RGB(120, 0, 0);
const COLORREF kNormalBack = RGB(200, 220, 240), kNormalText = RGB(0, 0, 120);
const COLORREF kFocusBack = RGB(210, 250, 210), kFocusText = RGB(0, 100, 0);
const COLORREF kParent = RGB(90, 160, 90);

COLORREF Sys(int index) { return ::GetSysColor(index); }

// An opaque icon of one colour, 32 x 32.
HICON SolidIcon(COLORREF colour)
{
    PixelCanvas colourPlane(32, 32, colour);
    HBITMAP plane = ::CreateCompatibleBitmap(colourPlane.dc(), 32, 32);
    HDC dc = ::CreateCompatibleDC(colourPlane.dc());
    HGDIOBJ old = ::SelectObject(dc, plane);
    ::BitBlt(dc, 0, 0, 32, 32, colourPlane.dc(), 0, 0, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    std::vector<BYTE> zeros(32 * 32 / 8, 0);
    ICONINFO info{TRUE, 0, 0, ::CreateBitmap(32, 32, 1, 1, zeros.data()), plane};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return icon;
}

class ButtonPainterTest : public ::testing::Test {
protected:
    CButtonImageSet images;
    PixelCanvas parent{W, H, kParent};

    void SetUp() override
    {
        ASSERT_EQ(SKIN_BUTTON_OK, images.AssignIcons(SolidIcon(kHot), SolidIcon(kNormal)));
    }
    static ButtonLook Look()
    {
        ButtonLook look;
        const COLORREF colours[SKIN_COLOR_COUNT] = {kHotBack, kHotText, kNormalBack, kNormalText, kFocusBack, kFocusText};
        std::copy(colours, colours + SKIN_COLOR_COUNT, look.colors);
        look.placement = PLACE_IMAGE_RIGHT;
        return look;
    }
    std::unique_ptr<PixelCanvas> Paint(const ButtonLook& look, const ButtonState& state, const char* caption = "Fin")
    {
        auto canvas = std::make_unique<PixelCanvas>(W + 6, H + 6);
        CDC dc(canvas->dc());
        ButtonContent content;
        content.caption = caption;
        content.hot = images.Hot();
        content.normal = images.Normal();
        content.background = parent.dc();
        PaintButton(dc, CRect(0, 0, W, H), look, state, content);
        return canvas;
    }
};

// What each state shows: the face inside, both edges half-way down, the image and
// its place, the caption's colour and offset from the normal look, the focus mark.
TEST_F(ButtonPainterTest, EachStateDrawsItsFaceEdgeImageCaptionAndFocus)
{
    enum Tweak { None, HighContrast, NotFlat, CheckBox, Dpi144, ParentFace, ParentInContrast };
    struct Row {
        const char* name;
        Tweak tweak;
        ButtonState state;
        COLORREF face, left, right;   // at (30, 6), (0, H / 2), (W - 1, H / 2)
        COLORREF inner;               // at (1, H / 2)
        COLORREF image;               // the icon seen, or the sentinel for an embossed one
        int imageX, imageY;           // its top-left corner
        COLORREF text;                // the caption's colour
        int shift;                    // the caption's offset from the normal look
        bool focus;                   // a dotted rectangle 3 (at 96 DPI) inside the face
    };
    const COLORREF light = Sys(COLOR_BTNHIGHLIGHT), dark = Sys(COLOR_BTNSHADOW), face = Sys(COLOR_BTNFACE),
                   text = Sys(COLOR_BTNTEXT), none = PixelCanvas::kSentinel;
    //                                  pressed hot  focus  disab  cues   deflt
    const Row rows[] = {
        {"normal", None, {false, false, false, false, false, false}, kNormalBack, kNormalBack, kNormalBack,
         kNormalBack, kNormal, 65, 2, kNormalText, 0, false},
        {"hovered", None, {false, true, false, false, false, false}, kHotBack, light, dark, kHotBack, kHot, 65, 2,
         kHotText, 0, false},
        {"pressed", None, {true, true, false, false, false, false}, kHotBack, dark, light, kHotBack, kHot, 66, 3,
         kHotText, 1, false},
        {"focused, no cues", None, {false, false, true, false, false, false}, kFocusBack, kFocusBack, kFocusBack,
         kFocusBack, kNormal, 65, 2, kFocusText, 0, false},
        {"focused, cues shown", None, {false, false, true, false, true, false}, kFocusBack, kFocusBack, kFocusBack,
         kFocusBack, kNormal, 65, 2, kFocusText, 0, true},
        {"disabled", None, {false, false, false, true, false, false}, kNormalBack, kNormalBack, kNormalBack,
         kNormalBack, none, 65, 2, dark, 0, false},
        {"high contrast", HighContrast, {false, false, false, false, false, false}, face, text, text, face, kNormal,
         65, 2, text, 0, false},
        {"high contrast, hovered", HighContrast, {false, true, false, false, false, false}, face, text, text, text,
         kHot, 65, 2, text, 0, false},
        {"high contrast, focused, no cues", HighContrast, {false, false, true, false, false, false}, face, text, text,
         face, kNormal, 65, 2, text, 0, true},
        {"not flat, focused", NotFlat, {false, false, true, false, false, false}, kFocusBack, RGB(0, 0, 0),
         RGB(0, 0, 0), light, kNormal, 65, 2, kFocusText, 0, true},
        {"check box, hovered", CheckBox, {false, true, false, false, false, false}, kHotBack, light, dark, kHotBack,
         kNormal, 65, 2, kHotText, 0, false},
        {"check box, checked", CheckBox, {true, false, false, false, false, false}, kHotBack, dark, light, kHotBack,
         kHot, 65, 2, kHotText, 0, false},
        {"144 DPI, pressed", Dpi144, {true, true, false, false, false, false}, kHotBack, dark, light, kHotBack, kHot,
         W - 32 - 5 + 2, 4, kHotText, 2, false},
        {"parent background", ParentFace, {false, false, false, false, false, false}, kParent, kParent, kParent,
         kParent, kNormal, 65, 2, kNormalText, 0, false},
        {"parent background, high contrast", ParentInContrast, {false, false, false, false, false, false}, face, text,
         text, face, kNormal, 65, 2, text, 0, false},
    };
    // Left of the icon, inside the edges and the focus rectangle.
    const RECT captionRoom = {4, 4, 63, H - 4};
    const RECT normalCaption = ColourBounds(*Paint(Look(), {}), kNormalText, captionRoom);
    ASSERT_LT(normalCaption.left, normalCaption.right) << "no caption drawn";

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonLook look = Look();
        look.highContrast = row.tweak == HighContrast || row.tweak == ParentInContrast;
        look.flat = row.tweak != NotFlat;
        look.checkBox = row.tweak == CheckBox;
        look.dpi = row.tweak == Dpi144 ? 144 : 96;
        look.parentBackground = row.tweak == ParentFace || row.tweak == ParentInContrast;
        const auto canvas = Paint(look, row.state);

        EXPECT_EQ(ColorName(row.face), ColorName(canvas->Pixel(30, 6))) << "face";
        EXPECT_EQ(ColorName(row.left), ColorName(canvas->Pixel(0, H / 2))) << "left edge";
        EXPECT_EQ(ColorName(row.right), ColorName(canvas->Pixel(W - 1, H / 2))) << "right edge";
        EXPECT_EQ(ColorName(row.inner), ColorName(canvas->Pixel(1, H / 2))) << "inside the left edge";

        for (COLORREF icon : {kHot, kNormal}) {
            const RECT bounds = ColourBounds(*canvas, icon);
            if (icon == row.image) {
                EXPECT_EQ(RectText({row.imageX, row.imageY, row.imageX + 32, row.imageY + 32}), RectText(bounds));
            } else {
                EXPECT_EQ(0, bounds.right) << "the icon of " << ColorName(icon) << " shows";
            }
        }
        if (row.image == none) {
            EXPECT_GT(canvas->Count({60, 0, W, H}, dark), 0) << "no embossed icon";
        }

        const RECT caption = ColourBounds(*canvas, row.text, captionRoom);
        EXPECT_EQ(RectText({normalCaption.left + row.shift, normalCaption.top + row.shift,
                            normalCaption.right + row.shift, normalCaption.bottom + row.shift}),
                  RectText(caption))
            << "caption in " << ColorName(row.text);
        if (row.state.disabled) {
            EXPECT_EQ(RectText({caption.left + 1, caption.top + 1, caption.right + 1, caption.bottom + 1}),
                      RectText(ColourBounds(*canvas, light, captionRoom)))
                << "the highlight copy one pixel lower right";
        }

        // The focus rectangle's column, 3 pixels in (on a non-flat button, 3 inside its frame).
        const int inset = row.tweak == NotFlat ? 4 : 3;
        const RECT column = {inset, inset + 2, inset + 1, H - inset - 2};
        const int faceInColumn = canvas->Count(column, row.face);
        if (row.focus) {
            EXPECT_LT(faceInColumn, column.bottom - column.top) << "no focus rectangle";
        } else {
            EXPECT_EQ(column.bottom - column.top, faceInColumn) << "a focus rectangle";
        }

        // Nothing outside the rectangle.
        EXPECT_EQ(6 * (H + 6), canvas->Count({W, 0, W + 6, H + 6}, PixelCanvas::kSentinel)) << "right of it";
        EXPECT_EQ(6 * W, canvas->Count({0, H, W, H + 6}, PixelCanvas::kSentinel)) << "below it";
    }
}

// The painter hands the context back as it found it: objects, colours, mode.
TEST_F(ButtonPainterTest, TheContextIsLeftAsItWasFound)
{
    PixelCanvas canvas(W, H);
    HDC dc = canvas.dc();
    HGDIOBJ font = ::GetStockObject(ANSI_VAR_FONT), brush = ::GetStockObject(GRAY_BRUSH),
            pen = ::GetStockObject(WHITE_PEN);
    ::SelectObject(dc, font);
    ::SelectObject(dc, brush);
    ::SelectObject(dc, pen);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkColor(dc, RGB(4, 5, 6));
    ::SetBkMode(dc, OPAQUE);
    ButtonLook notFlat = Look();
    notFlat.flat = false;
    for (const ButtonLook& look : {Look(), notFlat}) {
        for (bool disabled : {false, true}) {
            CDC view(dc);
            ButtonContent content;
            content.caption = "Mettre \xE0 jour";
            content.hot = images.Hot();
            content.normal = images.Normal();
            PaintButton(view, CRect(0, 0, W, H), look, {true, true, true, disabled, true, true}, content);
            EXPECT_EQ(font, ::GetCurrentObject(dc, OBJ_FONT));
            EXPECT_EQ(brush, ::GetCurrentObject(dc, OBJ_BRUSH));
            EXPECT_EQ(pen, ::GetCurrentObject(dc, OBJ_PEN));
            EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(dc));
            EXPECT_EQ(RGB(4, 5, 6), ::GetBkColor(dc));
            EXPECT_EQ(OPAQUE, ::GetBkMode(dc));
        }
    }
}

} // namespace
