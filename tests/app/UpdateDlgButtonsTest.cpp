// The main dialog's two skinned buttons as the dialog sets them up: their icons,
// caption and background in each state, their tooltips, and their clicks, which
// still reach the dialog.

#include "ButtonDriving.h"
#include "MessageBoxSpy.h"
#include "SuiteFixture.h"
#include "UpdateDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

struct IconPixel { int x, y; COLORREF colour; };

// The fully opaque pixels of icon resource `id` at 32 x 32: drawn on any background
// they come out exactly in their own colour.
std::vector<IconPixel> OpaquePixels(int id)
{
    HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 32,
                                                 32, LR_DEFAULTCOLOR));
    ICONINFO info{};
    std::vector<IconPixel> pixels;
    if (!icon || !::GetIconInfo(icon, &info))
        return pixels;
    BITMAPINFO header{};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(32 * 32);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, info.hbmColor, 0, 32, bits.data(), &header, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (int i = 0; i < 32 * 32; ++i)
        if ((bits[i] >> 24) == 0xFF)
            pixels.push_back({i % 32, i / 32, RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF)});
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
    return pixels;
}

// How many of the icon's opaque pixels show at (x, y) of the paint.
int Matching(const PixelCanvas& paint, const std::vector<IconPixel>& icon, int x, int y)
{
    int count = 0;
    for (const IconPixel& p : icon)
        if (paint.Pixel(x + p.x, y + p.y) == p.colour)
            ++count;
    return count;
}

class UpdateDlgButtonsTest : public ::testing::Test {
protected:
    SuiteInstallations suite;
    CUpdateDlg dlg;

    void SetUp() override
    {
        suite.AddFolder("Salle A", "1, 2, 0, 0", {"Atlas"});
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(dlg.Create());
        ASSERT_FALSE(dlg.IsEnding());
        // Above and away from the windows of tests running beside this one: the mouse
        // must find these buttons where the test puts it.
        ::SetWindowPos(dlg.m_hWnd, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE);
        ::SetForegroundWindow(dlg.m_hWnd);
        ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAsModalLoop(dlg.m_hWnd);
    }
};

// The resource icons at x = W - 35, y = (H - 32) / 2: the hot one while hovered or
// pressed (then one pixel lower right), the normal one otherwise, neither in colour
// while disabled; the dialog's own pixels round them. (Caption and disabled look in
// detail: SkinButtonTest, on the same settings.)
TEST_F(UpdateDlgButtonsTest, IconsCaptionAndBackgroundInEachState)
{
    struct Button { const char* name; CSkinButton* b; int hot; int normal; };
    const Button buttons[] = {
        {"Mettre \xE0 jour", &dlg.m_btnUpdate, IDI_UPDATE_HOT, IDI_UPDATE},
        {"Terminer", &dlg.m_btnFinish, IDI_FINISH_HOT, IDI_FINISH},
    };
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.name);
        HWND b = *button.b;
        EXPECT_EQ(static_cast<LONG_PTR>(BS_OWNERDRAW), ::GetWindowLongPtrA(b, GWL_STYLE) & 0x1F);
        const std::vector<IconPixel> hot = OpaquePixels(button.hot), normal = OpaquePixels(button.normal);
        ASSERT_GT(hot.size(), 100u);
        ASSERT_GT(normal.size(), 100u);
        RECT client;
        ::GetClientRect(b, &client);
        const int W = client.right, H = client.bottom, x = W - 35, y = (H - 32) / 2;
        // Pixels of an icon that fall outside a button lower than 32 cannot match.
        auto visible = [&](const std::vector<IconPixel>& icon, int dx, int dy) {
            return static_cast<int>(std::count_if(icon.begin(), icon.end(), [&](const IconPixel& p) {
                return y + dy + p.y >= 0 && y + dy + p.y < H && x + dx + p.x < W;
            }));
        };

        auto normalPaint = PaintOf(b);
        EXPECT_EQ(visible(normal, 0, 0), Matching(*normalPaint, normal, x, y)) << "normal icon";
        POINT origin = {0, 0};
        ::MapWindowPoints(b, dlg.m_hWnd, &origin, 1);
        PixelCanvas beside(1, H);
        ASSERT_TRUE(beside.CopyFromWindow(dlg.m_hWnd, origin.x - 2, origin.y));
        for (int row = 0; row < H; ++row)
            EXPECT_EQ(ColorName(beside.Pixel(0, row)), ColorName(normalPaint->Pixel(1, row)))
                << "the dialog's background at row " << row;

        HoverOver(b);
        auto hovered = PaintOf(b);
        EXPECT_EQ(visible(hot, 0, 0), Matching(*hovered, hot, x, y)) << "hot icon while hovered";
        ::SendMessageA(b, BM_SETSTATE, TRUE, 0);
        auto pressed = PaintOf(b);
        ::SendMessageA(b, BM_SETSTATE, FALSE, 0);
        ::SendMessageA(b, WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(visible(hot, 1, 1), Matching(*pressed, hot, x + 1, y + 1)) << "hot icon while pressed";

        ::EnableWindow(b, FALSE);
        auto disabled = PaintOf(b);
        ::EnableWindow(b, TRUE);
        EXPECT_LT(Matching(*disabled, normal, x, y), visible(normal, 0, 0) / 4) << "disabled: the icon in colour";
    }
}

TEST_F(UpdateDlgButtonsTest, BalloonTipsCarryMessagesFourAndFive)
{
    bool balloon = false;
    EXPECT_EQ("Lancement de la proc\xE9" "dure de mise \xE0 jour (en version 1.3) dans le dossier s\xE9lectionn\xE9",
              TipText(dlg.m_btnUpdate, &balloon));
    EXPECT_TRUE(balloon);
    balloon = false;
    EXPECT_EQ("Fin de la proc\xE9" "dure de mise \xE0 jour", TipText(dlg.m_btnFinish, &balloon));
    EXPECT_TRUE(balloon);
}

// "Mettre à jour" runs the update (its notice, message 10, comes up) and "Terminer"
// ends the dialog: the buttons' own click handling leaves the click to the dialog.
TEST_F(UpdateDlgButtonsTest, ClicksStillReachTheDialog)
{
    {
        MessageBoxSpy spy(IDOK);
        ::SendMessageA(dlg.m_btnUpdate, BM_CLICK, 0, 0);
        PumpAsModalLoop(dlg.m_hWnd);
        ASSERT_FALSE(spy.boxes().empty());
        EXPECT_EQ(0u, spy.boxes()[0].text.find("Avant de d\xE9" "buter la mise \xE0 jour")) << spy.boxes()[0].text;
    }
    if (!dlg.IsEnding()) {
        ::SendMessageA(dlg.m_btnFinish, BM_CLICK, 0, 0);
        PumpAsModalLoop(dlg.m_hWnd);
        EXPECT_TRUE(dlg.IsEnding());
        EXPECT_EQ(IDCANCEL, dlg.GetResult());
    }
}

} // namespace
