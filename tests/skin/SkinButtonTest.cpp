// The skinned button in a real dialog, driven with real messages: what its paints
// leave (read back from a DIB through WM_PRINTCLIENT, which makes the button ask
// its parent to draw it with its true state), hover, clicks, check boxes, styles,
// tooltip, focus, and the handles it holds.

#include "ButtonImages.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "PixelCanvas.h"
#include "SkinButton.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kTemplate = 400;
constexpr int kPlain = 401, kBare = 402, kCheck = 403, kDrawn = 404, kDefault = 405, kEdit = 406;
constexpr UINT kMenu = 410, kFirstCommand = 411, kTipText = 420;

const COLORREF kHot = RGB(230, 40, 40);
const COLORREF kNormal = RGB(40, 40, 230);

// The host's background: every pixel tells where it was taken from.
COLORREF Pattern(int x, int y)
{
    return RGB(20 + x % 200, 30 + y % 200, 150);
}

class ButtonHost : public CDialog {
public:
    ButtonHost() : CDialog(kTemplate) {}
    CSkinButton m_plain, m_bare, m_check, m_drawn, m_default;
    CWnd m_edit;
    std::map<int, int> m_clicks;
    std::vector<WPARAM> m_commands;   // WM_COMMAND from menus (lParam 0)

    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, kPlain, m_plain);
        DDX_Control(pDX, kBare, m_bare);
        DDX_Control(pDX, kCheck, m_check);
        DDX_Control(pDX, kDrawn, m_drawn);
        DDX_Control(pDX, kDefault, m_default);
        DDX_Control(pDX, kEdit, m_edit);
    }
    BOOL OnEraseBkgnd(CDC* dc)
    {
        RECT client;
        GetClientRect(&client);
        const int w = client.right, h = client.bottom;
        std::vector<DWORD> bits(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = Pattern(x, y);
                bits[static_cast<size_t>(y) * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        ::SetDIBitsToDevice(*dc, 0, 0, w, h, 0, 0, 0, h, bits.data(), &info, DIB_RGB_COLORS);
        return TRUE;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam)
    {
        if (lParam && HIWORD(wParam) == BN_CLICKED)
            ++m_clicks[LOWORD(wParam)];
        if (!lParam)
            m_commands.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonHost, CDialog)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_COMMAND, OnCommand)
END_MESSAGE_MAP()

// Runs what is queued as the modal loop would, PreTranslateMessage included.
void Pump(CDialog& dialog)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog.PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

HBITMAP SolidBitmap(int width, int height, COLORREF colour)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    HBRUSH brush = ::CreateSolidBrush(colour);
    RECT all = {0, 0, width, height};
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

// An opaque icon of one colour. An icon's hotspot is its centre; `asCursor` makes one
// whose hotspot is (hotX, hotY) instead.
HICON SolidIcon(COLORREF colour, int size = 32, bool asCursor = false, int hotX = 0, int hotY = 0)
{
    ICONINFO info{};
    info.fIcon = asCursor ? FALSE : TRUE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    std::vector<BYTE> zeros(static_cast<size_t>(size) * size / 8 + 64, 0);
    info.hbmMask = ::CreateBitmap(size, size, 1, 1, zeros.data());
    info.hbmColor = SolidBitmap(size, size, colour);
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return icon;
}

// The pixels of one owner-draw request of `button`, in its current state.
std::unique_ptr<PixelCanvas> Paint(HWND button)
{
    RECT client;
    ::GetClientRect(button, &client);
    auto canvas = std::make_unique<PixelCanvas>(client.right, client.bottom);
    ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    return canvas;
}

// The smallest rectangle holding every pixel of `colour` (within `area`, if given);
// empty when there is none.
RECT Bounds(const PixelCanvas& canvas, COLORREF colour, RECT area = {0, 0, 0x7FFF, 0x7FFF})
{
    RECT r = {canvas.width(), canvas.height(), 0, 0};
    for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(canvas.height(), area.bottom); ++y)
        for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(canvas.width(), area.right); ++x)
            if (canvas.Pixel(x, y) == colour) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r.right ? r : RECT{0, 0, 0, 0};
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

SIZE ClientSize(HWND hwnd)
{
    RECT r;
    ::GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

class SkinButtonTest : public ::testing::Test {
protected:
    ButtonHost host;

    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ::SetForegroundWindow(host.m_hWnd);
        Pump(host);
    }
    // Paints the dialog and all its buttons as the screen shows them.
    void Redraw()
    {
        ::RedrawWindow(host.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(host);
    }
    POINT Centre(HWND button)
    {
        const SIZE size = ClientSize(button);
        return {size.cx / 2, size.cy / 2};
    }
    // The mouse moves onto the button: the real cursor goes there too, so that the
    // leave tracking does not end the hover behind the test's back.
    void Hover(HWND button, WPARAM keys = 0)
    {
        POINT p = Centre(button);
        POINT screen = p;
        ::ClientToScreen(button, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(p.x, p.y));
    }
    void MoveOutside(HWND button, WPARAM keys = 0)
    {
        ::SetCursorPos(0, 0);
        ::SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(static_cast<WORD>(-20), static_cast<WORD>(-20)));
    }
    POINT Origin(HWND button)
    {
        POINT p = {0, 0};
        ::MapWindowPoints(button, host.m_hWnd, &p, 1);
        return p;
    }
};

// With the main dialog's settings (icon at the right, parent background), a W x H
// button shows its icon at x = W - 35, y = (H - 32) / 2 and its caption centred in
// 3 .. W - 35; pressed, both move by (1, 1); hovered or pressed it shows the hot
// icon and a raised or sunken edge; elsewhere the dialog's own pixels.
TEST_F(SkinButtonTest, IconRightCaptionCentredParentBackgroundInEachState)
{
    CSkinButton& b = host.m_plain;
    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignIcons(SolidIcon(kHot), SolidIcon(kNormal)));
    ASSERT_EQ(SKIN_BUTTON_OK, b.SetImagePlacement(PLACE_IMAGE_RIGHT, TRUE));
    ASSERT_EQ(SKIN_BUTTON_OK, b.UseParentBackground(FALSE));
    Redraw();

    const SIZE size = ClientSize(b);
    const int W = size.cx, H = size.cy;
    const POINT origin = Origin(b);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);

    struct State { const char* name; bool hover; bool pressed; COLORREF icon; int shift; COLORREF left, right; };
    const State states[] = {
        {"normal", false, false, kNormal, 0, Pattern(origin.x, origin.y + H / 2),
         Pattern(origin.x + W - 1, origin.y + H / 2)},
        {"hovered", true, false, kHot, 0, light, dark},
        {"pressed", true, true, kHot, 1, dark, light},
    };
    RECT normalCaption = {};
    for (const State& s : states) {
        SCOPED_TRACE(s.name);
        if (s.hover)
            Hover(b);
        ::SendMessageA(b, BM_SETSTATE, s.pressed, 0);
        auto canvas = Paint(b);

        const int top = (H - 32) / 2 + s.shift;
        const RECT icon = {W - 35 + s.shift, std::max(0, top), W - 3 + s.shift, std::min(H, top + 32)};
        EXPECT_EQ(Text(icon), Text(Bounds(*canvas, s.icon)));
        EXPECT_EQ(0, Bounds(*canvas, s.icon == kHot ? kNormal : kHot).right) << "the other icon shows too";

        const RECT caption = Bounds(*canvas, text);
        ASSERT_LT(caption.left, caption.right) << "no caption drawn";
        const int leftGap = caption.left - (3 + s.shift), rightGap = (W - 35 + s.shift) - caption.right;
        EXPECT_LE(std::abs(leftGap - rightGap), 1) << "caption " << Text(caption) << " in 3.." << W - 35;
        if (!s.pressed)
            normalCaption = caption;
        else
            EXPECT_EQ(Text({normalCaption.left + 1, normalCaption.top + 1, normalCaption.right + 1,
                            normalCaption.bottom + 1}), Text(caption));

        EXPECT_EQ(ColorName(s.left), ColorName(canvas->Pixel(0, H / 2)));
        EXPECT_EQ(ColorName(s.right), ColorName(canvas->Pixel(W - 1, H / 2)));
        for (int y = 1; y < H - 1; ++y)
            ASSERT_EQ(ColorName(Pattern(origin.x + 1, origin.y + y)), ColorName(canvas->Pixel(1, y)))
                << "the dialog's pixels at (1, " << y << ")";
    }
}

// Disabled: the icon is drawn embossed (none of its own pixels show), the caption
// twice, in the highlight colour one pixel lower right, then in the shadow colour.
TEST_F(SkinButtonTest, DisabledLookEmbossesIconAndCaption)
{
    CSkinButton& b = host.m_plain;
    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignIcons(SolidIcon(kHot), SolidIcon(kNormal)));
    b.SetImagePlacement(PLACE_IMAGE_RIGHT, FALSE);
    b.EnableWindow(FALSE);
    auto canvas = Paint(b);

    const SIZE size = ClientSize(b);
    EXPECT_EQ(0, Bounds(*canvas, kNormal).right) << "the normal icon's own colour shows";
    EXPECT_EQ(0, Bounds(*canvas, kHot).right);
    const RECT iconRoom = {size.cx - 35, 0, size.cx, size.cy};
    EXPECT_GT(canvas->Count(iconRoom, ::GetSysColor(COLOR_BTNSHADOW)), 0) << "no embossed icon";
    EXPECT_EQ(0, Bounds(*canvas, ::GetSysColor(COLOR_BTNTEXT)).right) << "the caption shows in its normal colour";

    const RECT captionRoom = {0, 0, size.cx - 35, size.cy};
    const RECT shadow = Bounds(*canvas, ::GetSysColor(COLOR_BTNSHADOW), captionRoom);
    const RECT light = Bounds(*canvas, ::GetSysColor(COLOR_BTNHIGHLIGHT), captionRoom);
    ASSERT_GT(shadow.right, shadow.left) << "no caption drawn";
    EXPECT_EQ(shadow.right + 1, light.right) << Text(shadow) << " " << Text(light);
    EXPECT_EQ(shadow.bottom + 1, light.bottom) << Text(shadow) << " " << Text(light);
}

} // namespace
