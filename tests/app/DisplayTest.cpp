// The main dialog on other screens: at the density of the prefix this run was
// started in (display-settings.sh starts it at 96, 120, 144 and 192 DPI and says
// which in MISEAJOUR_EXPECT_DPI), moved to a screen of another density, and with
// high contrast turned on and off while it is open. Each run leaves a screenshot
// of the dialog where MISEAJOUR_SCREENSHOT (and, for high contrast,
// MISEAJOUR_CONTRAST_SCREENSHOT) asks, as a 24-bit BMP.

#include "ButtonDriving.h"
#include "HighContrast.h"
#include "SuiteFixture.h"
#include "UpdateDlg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int ExpectedDpi()
{
    const char* value = std::getenv("MISEAJOUR_EXPECT_DPI");
    return value && *value ? std::atoi(value) : 96;
}

// Writes the window, frame and caption included, as the screen shows it now, to
// the file the environment variable names (a 32-bit top-down BMP).
void SaveScreenshot(HWND window, const char* variable)
{
    const char* path = std::getenv(variable);
    RECT r;
    ::GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    PixelCanvas canvas(w, h);
    HDC screen = ::GetDC(nullptr);
    const bool copied = canvas.ok() && canvas.CopyFrom(screen, r.left, r.top);
    ::ReleaseDC(nullptr, screen);
    FILE* out = path && *path && copied ? std::fopen(path, "wb") : nullptr;
    if (!out)
        return;
    const DWORD bytes = static_cast<DWORD>(w * h * 4);
    BITMAPINFOHEADER info{sizeof info, w, -h, 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
    const DWORD headers = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info);
    BITMAPFILEHEADER file{0x4D42, headers + bytes, 0, 0, headers};
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    for (int i = 0; i < w * h; ++i) {
        const COLORREF c = canvas.PixelAt(i);
        pixels[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    std::fwrite(pixels.data(), bytes, 1, out);
    std::fclose(out);
}

// Pixels that differ between two pictures of the same size, the first three reported.
int Differences(const PixelCanvas& before, const PixelCanvas& after)
{
    int different = 0;
    for (int i = 0; i < before.size() && before.size() == after.size(); ++i)
        if (before.PixelAt(i) != after.PixelAt(i) && different++ < 3)
            ADD_FAILURE() << "pixel " << i % before.width() << ", " << i / before.width() << ": "
                          << ColorName(after.PixelAt(i)) << ", before " << ColorName(before.PixelAt(i));
    return before.size() == after.size() ? different : -1;
}

LONG FontHeight(HWND window)
{
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// How tall and wide `text` is in the font `window` draws with.
SIZE TextSize(HWND window, const std::string& text)
{
    HDC dc = ::GetDC(window);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return size;
}

class DisplayTest : public ::testing::Test {
protected:
    // The demo's sample installations (sample/seed.sh), so that the screenshots the
    // README shows are those of the dialog a newcomer meets.
    SuiteInstallations suite{"C:\\Orvandel"};
    CUpdateDlg dlg;

    void SetUp() override
    {
        suite.AddFolder("Coll\xE8ge Jules Verne", "1, 2, 0, 0", {"Pavane 5", "Tolvane", "Quill Mx"});
        suite.AddFolder("Lyc\xE9""e Marie Curie", "1, 2, 5, 0", {"Marbelo", "Logiciel Ostrel", "Atelier Photo"});
        suite.AddFolder("Salle 12", "1, 3, 0, 0", {"Brisole", "Zephalin"});
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(dlg.Create());
        ASSERT_FALSE(dlg.IsEnding());
        ::SetWindowPos(dlg.m_hWnd, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE);
        ::SetForegroundWindow(dlg.m_hWnd);
        Repaint();
    }
    void Repaint()
    {
        PumpAsModalLoop(dlg.m_hWnd);
        ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAsModalLoop(dlg.m_hWnd);
    }
    std::unique_ptr<PixelCanvas> Shown()
    {
        const SIZE size = ClientSize(dlg.m_hWnd);
        auto canvas = std::make_unique<PixelCanvas>(size.cx, size.cy);
        canvas->CopyFromWindow(dlg.m_hWnd);
        return canvas;
    }
    RECT ItemRect(HWND item)
    {
        RECT r;
        ::GetWindowRect(item, &r);
        ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // The icon size and labels' font height at `dpi`, and with `room` whether each
    // caption has room enough in its control (the template's controls scale only
    // when the program starts at that density: Wine does not scale a dialog moved
    // to another).
    void CheckSizes(int dpi, bool room)
    {
        struct Scale { int dpi, icon, font, margin; };
        const Scale scales[] = {{96, 32, 14, 3}, {120, 40, 18, 4}, {144, 48, 21, 5}, {192, 64, 28, 6}};
        const Scale* scale = nullptr;
        for (const Scale& s : scales)
            if (s.dpi == dpi)
                scale = &s;
        ASSERT_TRUE(scale) << "no sizes known for " << dpi << " DPI";
        for (int id : {IDC_CAPTION_FOLDERS, IDC_CAPTION_APPS}) {
            HWND label = dlg.GetDlgItem(id);
            EXPECT_EQ(scale->font, FontHeight(label)) << "label " << id;
            if (!room)
                continue;
            char text[128] = "";
            ::GetWindowTextA(label, text, sizeof text);
            const SIZE room = ClientSize(label), ink = TextSize(label, text);
            EXPECT_LE(ink.cy, room.cy) << "label " << id << " is cut at the bottom";
            EXPECT_LE(ink.cx, room.cx) << "label " << id << " is cut at the right";
        }
        for (CSkinButton* button : {&dlg.m_btnUpdate, &dlg.m_btnFinish}) {
            const std::string caption = static_cast<const char*>(button->GetWindowText());
            SCOPED_TRACE(caption);
            const SIZE image = button->GetImageSize();
            EXPECT_EQ(scale->icon, image.cx);
            EXPECT_EQ(scale->icon, image.cy);
            if (!room)
                continue;
            // Beside the icon at the right, a margin on either side of it.
            const SIZE space = ClientSize(*button), ink = TextSize(*button, caption);
            EXPECT_LE(ink.cx, space.cx - image.cx - 2 * scale->margin) << "the caption does not fit beside the icon";
            EXPECT_LE(ink.cy, space.cy) << "the caption is cut at the bottom";
        }
    }
};

// Whatever the density the program starts at, what it draws in pixels follows it.
TEST_F(DisplayTest, SizesFollowTheScreenDensity)
{
    const int dpi = ExpectedDpi();
    ASSERT_EQ(dpi, dlg.GetDpi()) << "the prefix's LogPixels did not reach the program";
    // The template's "MS Sans Serif" 8 is 13 pixels high at 96 DPI. Wine's is a bitmap
    // font whose largest face is that of 144 DPI, so at 192 the template grows no
    // further than at 144, and what the program draws at 192 cannot all fit in it.
    RECT unit = {0, 0, 4, 8};
    ::MapDialogRect(dlg.m_hWnd, &unit);
    const bool templateGrew = unit.bottom * 96 >= 12 * dpi;
    if (!templateGrew)
        std::printf("[   NOTE   ] the template's font is %ld pixels high at %d DPI: its controls did not grow "
                    "with the density, so the room of the captions is not checked\n", unit.bottom, dpi);
    CheckSizes(dpi, templateGrew);
    SaveScreenshot(dlg.m_hWnd, "MISEAJOUR_SCREENSHOT");
}

// Moved to a screen of another density, the window takes the rectangle Windows
// suggests and its icons and fonts the new sizes; moved back, it shows exactly what
// it showed before.
TEST_F(DisplayTest, MovedToAnotherDensityAndBack)
{
    ASSERT_EQ(96, dlg.GetDpi()) << "this test starts at 96 DPI";
    const auto before = Shown();
    RECT original;
    ::GetWindowRect(dlg.m_hWnd, &original);
    for (int dpi : {144, 96}) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        const RECT suggested = {original.left, original.top, original.left + (original.right - original.left) * dpi / 96,
                                original.top + (original.bottom - original.top) * dpi / 96};
        dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Repaint();
        RECT now;
        ::GetWindowRect(dlg.m_hWnd, &now);
        EXPECT_TRUE(::EqualRect(&suggested, &now)) << RectText(now) << ", suggested " << RectText(suggested);
        CheckSizes(dpi, false);
    }
    EXPECT_EQ(0, Differences(*before, *Shown()));
}

bool HighContrastOn() { return true; }

// Turned on with the dialog open, high contrast takes the skin away at once: the
// face colour without a gradient, labels in the window text colour, buttons edged
// and captioned in the button text colour, the focus shown. Turned off, the skin
// comes back pixel for pixel.
TEST_F(DisplayTest, HighContrastOnAndOffWhileOpen)
{
    const auto before = Shown();
    const int indexes[] = {COLOR_BTNFACE, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNTEXT, COLOR_GRAYTEXT};
    const COLORREF face = RGB(0, 0, 0), windowText = RGB(255, 255, 0), buttonText = RGB(255, 255, 255);
    const COLORREF contrast[] = {face, RGB(0, 0, 0), windowText, buttonText, RGB(0, 255, 0)};
    COLORREF saved[5];
    for (int i = 0; i < 5; ++i)
        saved[i] = ::GetSysColor(indexes[i]);

    skin::SetHighContrastQuery(&HighContrastOn);
    ASSERT_TRUE(::SetSysColors(5, indexes, contrast));
    dlg.SendMessage(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Repaint();
    const auto shown = Shown();
    SaveScreenshot(dlg.m_hWnd, "MISEAJOUR_CONTRAST_SCREENSHOT");

    skin::SetHighContrastQuery(nullptr);
    ASSERT_TRUE(::SetSysColors(5, indexes, saved));
    dlg.SendMessage(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Repaint();
    const auto after = Shown();

    const int h = shown->height();
    EXPECT_EQ(ColorName(face), ColorName(shown->Pixel(2, 2))) << "top";
    EXPECT_EQ(ColorName(face), ColorName(shown->Pixel(2, h - 3))) << "bottom: no gradient";
    for (int id : {IDC_CAPTION_FOLDERS, IDC_CAPTION_APPS}) {
        const RECT label = ItemRect(dlg.GetDlgItem(id));
        EXPECT_GT(shown->Count(label, windowText), 20) << "label " << id << " in the window text colour";
        EXPECT_EQ(0, shown->Count(label, RGB(128, 64, 64))) << "label " << id << " in the skin's colour";
    }
    for (CSkinButton* button : {&dlg.m_btnUpdate, &dlg.m_btnFinish}) {
        SCOPED_TRACE(static_cast<const char*>(button->GetWindowText()));
        const RECT r = ItemRect(*button);
        const RECT leftEdge = {r.left, r.top, r.left + 1, r.bottom};
        EXPECT_EQ(r.bottom - r.top, shown->Count(leftEdge, buttonText)) << "an edge in the button text colour";
        const RECT inside = {r.left + 4, r.top + 4, r.right - 40, r.bottom - 4};   // left of the icon
        EXPECT_GT(shown->Count(inside, buttonText), 20) << "a caption in the button text colour";
    }
    // « Terminer » holds the focus (the template's first control); no key was pressed.
    const RECT finish = ItemRect(dlg.m_btnFinish);
    const RECT focusTop = {finish.left + 4, finish.top + 3, finish.right - 40, finish.top + 4};
    EXPECT_GE(shown->Count(focusTop, buttonText), (focusTop.right - focusTop.left) / 3) << "the focus rectangle";

    EXPECT_EQ(0, Differences(*before, *after)) << "the skin back exactly";
}

} // namespace
