// The skinned button's arithmetic: grayed and darkened pixels, shading of a state
// colour, image placement, sound entries. (Caption centring and the choice of image
// and colours are checked in the paints of SkinButtonTest.)

#include "ButtonLayout.h"
#include "ButtonPixels.h"
#include "ButtonSound.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Hex(COLORREF c)
{
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%u, %u, %u)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

std::string Rect(const RECT& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

TEST(ButtonPixels, GrayAndDarkConversions)
{
    struct Case { const char* what; COLORREF in; COLORREF gray; COLORREF dark; };
    const Case cases[] = {
        {"black", RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)},
        {"white", RGB(255, 255, 255), RGB(255, 255, 255), RGB(191, 191, 191)},
        {"pure red", RGB(255, 0, 0), RGB(76, 76, 76), RGB(191, 0, 0)},
        {"pure green", RGB(0, 255, 0), RGB(149, 149, 149), RGB(0, 191, 0)},
        {"pure blue", RGB(0, 0, 255), RGB(29, 29, 29), RGB(0, 0, 191)},
        {"mixed", RGB(200, 100, 50), RGB(124, 124, 124), RGB(150, 75, 37)},
        {"darkest gray", RGB(1, 1, 1), RGB(1, 1, 1), RGB(0, 0, 0)},
        {"odd bytes", RGB(3, 5, 7), RGB(4, 4, 4), RGB(2, 3, 5)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(c.gray), Hex(GrayColor(c.in))) << c.what;
        EXPECT_EQ(Hex(c.dark), Hex(DarkenColor(c.in, kDarkenFactor))) << c.what;
    }
    // Every gray level converts to itself, so a grayed copy of a gray image is the image.
    for (int v = 0; v < 256; ++v) {
        const BYTE b = static_cast<BYTE>(v);
        ASSERT_EQ(Hex(RGB(b, b, b)), Hex(GrayColor(RGB(b, b, b)))) << "gray level " << v;
    }
}

TEST(ButtonPixels, DarkenFactorOutsideZeroToOneChangesNothing)
{
    struct Case { double factor; COLORREF expected; };
    const Case cases[] = {
        {0.0, RGB(200, 100, 50)}, {-0.5, RGB(200, 100, 50)}, {1.5, RGB(200, 100, 50)},
        {1.0, RGB(0, 0, 0)}, {0.5, RGB(100, 50, 25)}, {0.1, RGB(180, 90, 45)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(DarkenColor(RGB(200, 100, 50), c.factor))) << "factor " << c.factor;
}

TEST(ButtonPixels, ShadeKeepsEveryByteInRangeAndTheDifferences)
{
    struct Case { COLORREF in; int shade; COLORREF expected; };
    const Case cases[] = {
        {RGB(200, 100, 50), 255, RGB(255, 155, 105)},
        {RGB(200, 100, 50), 30, RGB(230, 130, 80)},
        {RGB(200, 100, 50), -255, RGB(150, 50, 0)},
        {RGB(200, 100, 50), -20, RGB(180, 80, 30)},
        {RGB(200, 100, 50), 0, RGB(200, 100, 50)},
        {RGB(255, 0, 128), 10, RGB(255, 0, 128)},    // one byte already at each end
        {RGB(255, 0, 128), -10, RGB(255, 0, 128)},
        {RGB(0, 0, 0), 255, RGB(255, 255, 255)},
        {RGB(255, 255, 255), -255, RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(ShadeColor(c.in, c.shade))) << Hex(c.in) << " shade " << c.shade;
}

ImagePlacementInput Input(int width, int height, SIZE image, BYTE placement, bool caption, bool shifted = false)
{
    ImagePlacementInput in = {};
    in.item = {0, 0, width, height};
    in.caption = in.item;
    in.image = image;
    in.placement = placement;
    in.hasCaption = caption;
    in.margin = {3, 3};
    in.clientWidth = width;
    in.shifted = shifted;
    in.shift = {1, 1};
    return in;
}

TEST(ButtonLayout, ImageAndCaptionRectanglesForEachPlacement)
{
    struct Case {
        const char* what;
        ImagePlacementInput in;
        POINT image;     // where the image is drawn
        RECT caption;
    };
    const SIZE icon = {32, 32};
    const Case cases[] = {
        // Icons taller than the button: the centring truncates toward zero.
        {"right, caption, 115x28", Input(115, 28, icon, PLACE_IMAGE_RIGHT, true), {80, 0 - 2}, {3, 0, 80, 28}},
        {"right, caption, 116x29", Input(116, 29, icon, PLACE_IMAGE_RIGHT, true), {81, -1}, {3, 0, 81, 29}},
        {"right, caption, pressed", Input(115, 40, icon, PLACE_IMAGE_RIGHT, true, true), {81, 5}, {3, 0, 80, 40}},
        {"right, no caption", Input(60, 50, icon, PLACE_IMAGE_RIGHT, false), {14, 9}, {0, 0, 60, 50}},
        {"left, caption", Input(100, 40, icon, PLACE_IMAGE_LEFT, true), {3, 4}, {35, 0, 100, 40}},
        {"left, no caption", Input(61, 51, icon, PLACE_IMAGE_LEFT, false), {14, 9}, {0, 0, 61, 51}},
        {"left, no caption, pressed", Input(61, 51, icon, PLACE_IMAGE_LEFT, false, true), {15, 10}, {0, 0, 61, 51}},
        {"above, caption", Input(100, 60, {16, 20}, PLACE_IMAGE_ABOVE, true), {42, 3}, {0, 20, 100, 60}},
        {"above, no caption", Input(61, 51, icon, PLACE_IMAGE_ABOVE, false), {14, 9}, {0, 0, 61, 51}},
        {"placement 3", Input(100, 60, icon, 3, true), {0, 0}, {0, 0, 100, 60}},
        {"placement 3, pressed", Input(100, 60, icon, 3, true, true), {1, 1}, {0, 0, 100, 60}},
        // Larger than the button: centring truncates toward zero, never rounds down.
        {"left, no caption, image too large", Input(20, 20, {33, 33}, PLACE_IMAGE_LEFT, false), {-6, -6}, {0, 0, 20, 20}},
    };
    for (const Case& c : cases) {
        const ImageLayout out = PlaceImage(c.in);
        EXPECT_EQ(c.image.x, out.image.left) << c.what;
        EXPECT_EQ(c.image.y, out.image.top) << c.what;
        EXPECT_EQ(Rect(c.caption), Rect(out.caption)) << c.what;
    }
}

TEST(ButtonSound, EntriesAndFlags)
{
    ButtonSound entry;
    std::memset(&entry, 0x5A, sizeof entry);
    SetButtonSoundEntry(entry, "C:\\sons\\clic.wav", nullptr, true);
    EXPECT_STREQ("C:\\sons\\clic.wav", entry.sound);
    EXPECT_EQ(entry.name, entry.sound) << "a file name is played from the entry's own copy";
    EXPECT_EQ(0x22003u, entry.flags);

    HMODULE module = ::GetModuleHandleA(nullptr);
    SetButtonSoundEntry(entry, MAKEINTRESOURCEA(7), module, false);
    EXPECT_EQ(MAKEINTRESOURCEA(7), entry.sound);
    EXPECT_EQ(module, entry.module);
    EXPECT_EQ(0x42006u, entry.flags);
    EXPECT_EQ('\0', entry.name[0]);

    const std::string longName(400, 'a');
    SetButtonSoundEntry(entry, longName.c_str(), nullptr, false);
    EXPECT_EQ(259u, std::string(entry.sound).size());
    EXPECT_EQ(0x22002u, entry.flags);

    SetButtonSoundEntry(entry, nullptr, module, true);
    EXPECT_EQ(nullptr, entry.sound) << "a null sound clears the whole entry";
    EXPECT_EQ(nullptr, entry.module);
    EXPECT_EQ(0u, entry.flags);
    EXPECT_EQ(std::string(), std::string(entry.name, strnlen(entry.name, sizeof entry.name)));
    PlayButtonSound(entry);   // an empty entry plays nothing and must not fault
}

} // namespace
