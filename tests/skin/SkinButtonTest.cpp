// The skinned button in a real dialog, driven with real messages: what its paints
// leave (read back from a DIB through WM_PRINTCLIENT, which makes the button ask
// its parent to draw it with its true state), hover, clicks, check boxes, styles,
// tooltip, focus, and the handles it holds.

#include "ButtonDriving.h"
#include "ButtonImages.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "SkinButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kTemplate = 400;
constexpr int kPlain = 401, kBare = 402, kCheck = 403, kDrawn = 404, kDefault = 405, kEdit = 406;
constexpr UINT kMenu = 410, kFirstCommand = 411;

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
    // What the drop-down notice brought, and the button's look while the menu is open.
    HMENU m_noticeMenu = nullptr;
    LPARAM m_noticeParam = 0;
    std::unique_ptr<PixelCanvas> m_lookWhileOpen;

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
    LRESULT OnMenuNotice(WPARAM menu, LPARAM param);
    DECLARE_MESSAGE_MAP()
};

constexpr UINT kMenuNotice = WM_APP + 5;

BEGIN_MESSAGE_MAP(ButtonHost, CDialog)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_COMMAND, OnCommand)
    ON_MESSAGE(kMenuNotice, OnMenuNotice)
END_MESSAGE_MAP()

LRESULT ButtonHost::OnMenuNotice(WPARAM menu, LPARAM param)
{
    m_noticeMenu = reinterpret_cast<HMENU>(menu);
    m_noticeParam = param;
    m_lookWhileOpen = PaintOf(m_plain);
    // Waiting for the menu loop: the first item, chosen.
    ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    return 0;
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

class SkinButtonTest : public ::testing::Test {
protected:
    ButtonHost host;

    void SetUp() override
    {
        ::SetCursorPos(0, 0);   // not over a button the dialog shows
        ASSERT_TRUE(host.Create());
        // Above and away from the windows of tests running beside this one: the mouse
        // must find these buttons where the test puts it.
        ::SetWindowPos(host.m_hWnd, HWND_TOPMOST, 8, 8, 0, 0, SWP_NOSIZE);
        ::SetForegroundWindow(host.m_hWnd);
        PumpAsModalLoop(host.m_hWnd);
    }
    // Paints the dialog and all its buttons as the screen shows them.
    void Redraw()
    {
        ::RedrawWindow(host.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAsModalLoop(host.m_hWnd);
    }
    void MoveOutside(HWND button, WPARAM keys = 0)
    {
        ::SetCursorPos(0, 0);
        ::SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(static_cast<WORD>(-20), static_cast<WORD>(-20)));
    }
    // A push button made after the dialog, below the others; destroyed with it.
    HWND NewButton(const char* caption)
    {
        return ::CreateWindowExA(0, "Button", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 200, 90, 28,
                                 host.m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
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
            HoverOver(b);
        ::SendMessageA(b, BM_SETSTATE, s.pressed, 0);
        auto canvas = PaintOf(b);

        const int top = (H - 32) / 2 + s.shift;
        const RECT icon = {W - 35 + s.shift, std::max(0, top), W - 3 + s.shift, std::min(H, top + 32)};
        EXPECT_EQ(RectText(icon), RectText(ColourBounds(*canvas, s.icon)));
        EXPECT_EQ(0, ColourBounds(*canvas, s.icon == kHot ? kNormal : kHot).right) << "the other icon shows too";

        const RECT caption = ColourBounds(*canvas, text);
        ASSERT_LT(caption.left, caption.right) << "no caption drawn";
        const int leftGap = caption.left - (3 + s.shift), rightGap = (W - 35 + s.shift) - caption.right;
        EXPECT_LE(std::abs(leftGap - rightGap), 1) << "caption " << RectText(caption) << " in 3.." << W - 35;
        if (!s.pressed)
            normalCaption = caption;
        else
            EXPECT_EQ(RectText({normalCaption.left + 1, normalCaption.top + 1, normalCaption.right + 1,
                            normalCaption.bottom + 1}), RectText(caption));

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
    auto canvas = PaintOf(b);

    const SIZE size = ClientSize(b);
    EXPECT_EQ(0, ColourBounds(*canvas, kNormal).right) << "the normal icon's own colour shows";
    EXPECT_EQ(0, ColourBounds(*canvas, kHot).right);
    const RECT iconRoom = {size.cx - 35, 0, size.cx, size.cy};
    EXPECT_GT(canvas->Count(iconRoom, ::GetSysColor(COLOR_BTNSHADOW)), 0) << "no embossed icon";
    EXPECT_EQ(0, ColourBounds(*canvas, ::GetSysColor(COLOR_BTNTEXT)).right) << "the caption shows in its normal colour";

    const RECT captionRoom = {0, 0, size.cx - 35, size.cy};
    const RECT shadow = ColourBounds(*canvas, ::GetSysColor(COLOR_BTNSHADOW), captionRoom);
    const RECT light = ColourBounds(*canvas, ::GetSysColor(COLOR_BTNHIGHLIGHT), captionRoom);
    ASSERT_GT(shadow.right, shadow.left) << "no caption drawn";
    EXPECT_EQ(shadow.right + 1, light.right) << RectText(shadow) << " " << RectText(light);
    EXPECT_EQ(shadow.bottom + 1, light.bottom) << RectText(shadow) << " " << RectText(light);
}

// Hover needs a flat button and a mouse that is not dragging onto it; a drag that
// leaves the button still ends it. Seen as the hot icon.
TEST_F(SkinButtonTest, HoverStartsAndEndsOnlyAsItShould)
{
    CSkinButton& b = host.m_bare;
    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignIcons(SolidIcon(kHot), SolidIcon(kNormal)));
    auto shows = [&](COLORREF icon) { return ColourBounds(*PaintOf(b), icon).right > 0; };

    b.SetFlatLook(FALSE, FALSE);
    HoverOver(b);
    EXPECT_TRUE(shows(kNormal)) << "a button that is not flat entered hover";
    b.SetFlatLook(TRUE, FALSE);

    HoverOver(b, MK_LBUTTON);
    EXPECT_TRUE(shows(kNormal)) << "a move with the left button held started hover";

    HoverOver(b);
    EXPECT_TRUE(shows(kHot)) << "no hover on a plain move";
    MoveOutside(b, MK_LBUTTON);
    EXPECT_TRUE(shows(kNormal)) << "a drag out of the button kept the hover";

    struct Ender { const char* what; UINT message; WPARAM wParam; };
    const Ender enders[] = {
        {"mouse leave", WM_MOUSELEAVE, 0},
        {"cancel mode", WM_CANCELMODE, 0},
        {"focus lost", WM_KILLFOCUS, 0},
        {"window deactivated", WM_ACTIVATE, WA_INACTIVE},
    };
    for (const Ender& e : enders) {
        HoverOver(b);
        ASSERT_TRUE(shows(kHot)) << e.what;
        ::SendMessageA(b, e.message, e.wParam, 0);
        EXPECT_TRUE(shows(kNormal)) << e.what << " kept the hover";
    }
    HoverOver(b);
    b.EnableWindow(FALSE);
    b.EnableWindow(TRUE);
    EXPECT_TRUE(shows(kNormal)) << "disabling kept the hover";
}

// A caption-less image is centred both ways for placements 0, 1 and 2; the size it
// is placed at comes from its hotspot, so a 32 x 32 cursor with hotspot (10, 10) is
// placed as 20 x 20 (and drawn at its own size).
TEST_F(SkinButtonTest, CaptionlessImagesAreCentredAtTheirHotspotSize)
{
    CSkinButton& b = host.m_bare;
    const SIZE size = ClientSize(b);
    struct Case { const char* what; BYTE placement; bool cursor; int side; };
    const Case cases[] = {
        {"left, icon", PLACE_IMAGE_LEFT, false, 32},
        {"above, icon", PLACE_IMAGE_ABOVE, false, 32},
        {"right, icon", PLACE_IMAGE_RIGHT, false, 32},
        {"left, hotspot (10, 10)", PLACE_IMAGE_LEFT, true, 20},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(SKIN_BUTTON_OK, b.AssignIcons(SolidIcon(kNormal, 32, c.cursor, 10, 10)));
        ASSERT_EQ(SKIN_BUTTON_OK, b.SetImagePlacement(c.placement, FALSE));
        const int x = (size.cx - c.side) / 2, y = (size.cy - c.side) / 2;
        EXPECT_EQ(RectText({x, y, x + 32, y + 32}), RectText(ColourBounds(*PaintOf(b), kNormal))) << c.what;
    }
}

// The focus rectangle: none on a flat button unless asked, 3 pixels inside the face.
TEST_F(SkinButtonTest, FocusRectangleOnlyWithFlatFocus)
{
    CSkinButton& b = host.m_plain;
    const COLORREF face = RGB(200, 210, 220);
    b.SetStateColor(SKIN_COLOR_FOCUS_BACK, face, FALSE);
    ::SetFocus(b);
    ASSERT_EQ(b.m_hWnd, ::GetFocus());
    const SIZE size = ClientSize(b);
    const RECT leftEdge = {3, 3, 4, size.cy - 3};
    const RECT outside = {0, 0, 3, size.cy};

    auto plain = PaintOf(b);
    EXPECT_EQ(4 * size.cy, plain->Count({0, 0, 4, size.cy}, face)) << "a focus mark on a flat button";

    b.SetFlatFocus(TRUE, FALSE);
    auto marked = PaintOf(b);
    EXPECT_GT(leftEdge.bottom - leftEdge.top, marked->Count(leftEdge, face)) << "no focus rectangle at x = 3";
    EXPECT_EQ(3 * size.cy, marked->Count(outside, face)) << "the focus rectangle reaches outside x = 3";
    EXPECT_EQ(size.cy - 8, marked->Count({4, 4, 5, size.cy - 4}, face)) << "the focus rectangle is not 1 pixel wide";
}

// A double click acts as two clicks: two BN_CLICKED for the dialog, two toggles of a
// check box; a single click toggles it once. BM_SETCHECK with 2 checks a check box
// and repaints it; on a plain button it does nothing.
TEST_F(SkinButtonTest, ClicksDoubleClicksAndCheckState)
{
    auto click = [&](CSkinButton& b, bool twice) {
        const SIZE size = ClientSize(b);
        const LPARAM at = MAKELPARAM(size.cx / 2, size.cy / 2);
        ::PostMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageA(b, WM_LBUTTONUP, 0, at);
        if (twice) {
            ::PostMessageA(b, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            ::PostMessageA(b, WM_LBUTTONUP, 0, at);
        }
        PumpAsModalLoop(host.m_hWnd);
    };
    click(host.m_check, false);
    EXPECT_EQ(1, host.m_clicks[kCheck]);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(host.m_check, BM_GETCHECK, 0, 0));
    click(host.m_check, true);
    EXPECT_EQ(3, host.m_clicks[kCheck]);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(host.m_check, BM_GETCHECK, 0, 0)) << "two toggles bring it back";
    click(host.m_plain, true);
    EXPECT_EQ(2, host.m_clicks[kPlain]);
    EXPECT_EQ(host.m_plain.m_hWnd, ::GetFocus()) << "a click gives the button the focus";
    // Declared owner-drawn in the template: a button, not a check box.
    click(host.m_drawn, false);
    EXPECT_EQ(1, host.m_clicks[kDrawn]);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(host.m_drawn, BM_GETCHECK, 0, 0));

    struct Case { const char* what; CSkinButton* b; WPARAM state; LRESULT after; bool repainted; };
    Case cases[] = {
        {"check box, 0", &host.m_check, BST_UNCHECKED, BST_UNCHECKED, true},
        {"check box, 2", &host.m_check, BST_INDETERMINATE, BST_CHECKED, true},
        {"check box, 3", &host.m_check, 3, BST_UNCHECKED, true},
        {"plain button, 1", &host.m_plain, BST_CHECKED, BST_UNCHECKED, false},
    };
    for (const Case& c : cases) {
        PumpAsModalLoop(host.m_hWnd);
        ::ValidateRect(*c.b, nullptr);
        EXPECT_EQ(0, ::SendMessageA(*c.b, BM_SETCHECK, c.state, 0)) << c.what;
        EXPECT_EQ(c.after, ::SendMessageA(*c.b, BM_GETCHECK, 0, 0)) << c.what;
        EXPECT_EQ(c.repainted, ::GetUpdateRect(*c.b, nullptr, FALSE) != FALSE) << c.what;
    }
    // Checked, the check box shows pressed: its hot icon.
    host.m_check.AssignIcons(SolidIcon(kHot), SolidIcon(kNormal));
    host.m_check.SetChecked(TRUE, FALSE);
    EXPECT_GT(ColourBounds(*PaintOf(host.m_check), kHot).right, 0);
}

// The default-button style bits only move m_isDefault; the button stays owner-drawn
// and tells the dialog manager which kind of push button it is.
TEST_F(SkinButtonTest, SetStyleKeepsOwnerDrawingAndAnswersTheDialogCode)
{
    struct Case { const char* what; CSkinButton* b; WPARAM style; UINT code; };
    const Case cases[] = {
        {"template default button", &host.m_default, ~static_cast<WPARAM>(0), DLGC_DEFPUSHBUTTON},
        {"made default", &host.m_plain, BS_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON},
        {"other type bits", &host.m_plain, BS_CHECKBOX, DLGC_DEFPUSHBUTTON},
        {"made plain", &host.m_plain, BS_PUSHBUTTON, DLGC_UNDEFPUSHBUTTON},
    };
    for (const Case& c : cases) {
        if (c.style != ~static_cast<WPARAM>(0))
            ::SendMessageA(*c.b, BM_SETSTYLE, c.style, TRUE);
        EXPECT_EQ(static_cast<LONG_PTR>(BS_OWNERDRAW), ::GetWindowLongPtrA(*c.b, GWL_STYLE) & 0x1F) << c.what;
        const UINT code = static_cast<UINT>(::SendMessageA(*c.b, WM_GETDLGCODE, 0, 0));
        EXPECT_EQ(c.code, code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) << c.what;
        EXPECT_EQ(c.code == DLGC_DEFPUSHBUTTON, c.b->IsDefaultButton() != FALSE) << c.what;
    }
    RECT r;
    ::GetClientRect(host.m_plain, &r);
    HDC dc = ::GetDC(host.m_hWnd);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
              ::SendMessageA(host.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(host.m_plain.m_hWnd)));
    ::ReleaseDC(host.m_hWnd, dc);
}

// Colours: a system colour change, told to the dialog, brings back the system's, shading moves every byte
// by the same amount, and the setters refuse what is out of range.
TEST_F(SkinButtonTest, StateColoursAndStatusCodes)
{
    CSkinButton& b = host.m_bare;
    const COLORREF mine = RGB(1, 2, 3);
    b.SetStateColor(SKIN_COLOR_NORMAL_BACK, mine, FALSE);
    EXPECT_EQ(ColorName(mine), ColorName(PaintOf(b)->Pixel(2, 2)));
    // As the system sends it: to the top-level dialog only, which hands it on.
    ::SendMessageA(host.m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(ColorName(::GetSysColor(COLOR_BTNFACE)), ColorName(PaintOf(b)->Pixel(2, 2)));

    b.SetStateColor(SKIN_COLOR_HOT_TEXT, RGB(200, 100, 50), FALSE);
    EXPECT_EQ(SKIN_BUTTON_OK, b.ShadeStateColor(SKIN_COLOR_HOT_TEXT, 255, FALSE));
    COLORREF shaded = 0xDEADBEEF;
    EXPECT_EQ(SKIN_BUTTON_OK, b.GetStateColor(SKIN_COLOR_HOT_TEXT, &shaded));
    EXPECT_EQ(ColorName(RGB(255, 155, 105)), ColorName(shaded));

    COLORREF untouched = 0xDEADBEEF;
    CDC noDC;
    const struct { const char* what; int status; int expected; } cases[] = {
        {"placement 3", b.SetImagePlacement(3, FALSE), SKIN_BUTTON_OK},
        {"placement 4", b.SetImagePlacement(4, FALSE), SKIN_BUTTON_BAD_PLACEMENT},
        {"colour 6", b.SetStateColor(6, 0, FALSE), SKIN_BUTTON_BAD_COLOR},
        {"get colour 6", b.GetStateColor(6, &untouched), SKIN_BUTTON_BAD_COLOR},
        {"shade colour 6", b.ShadeStateColor(6, 10, FALSE), SKIN_BUTTON_BAD_COLOR},
        {"shade 256", b.ShadeStateColor(0, 256, FALSE), SKIN_BUTTON_BAD_VALUE},
        {"shade -256", b.ShadeStateColor(0, -256, FALSE), SKIN_BUTTON_BAD_VALUE},
        {"press style 2", b.SetPressShift(2, FALSE), SKIN_BUTTON_BAD_PRESS_STYLE},
        {"capture without parent background", b.CaptureBackground(&noDC), SKIN_BUTTON_BAD_VALUE},
        {"missing cursor", b.LoadHoverCursor(999, FALSE), SKIN_BUTTON_LOAD_FAILED},
        {"missing menu", b.LoadDropMenu(999, host.m_hWnd, FALSE), SKIN_BUTTON_LOAD_FAILED},
        {"missing hot icon", b.LoadIcons(999, 0), SKIN_BUTTON_OK},
        {"unreadable icon", b.AssignIcons(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234))), SKIN_BUTTON_LOAD_FAILED},
        {"unreadable bitmap", b.AssignBitmaps(reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234)), 0), SKIN_BUTTON_LOAD_FAILED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.status) << c.what;
    EXPECT_EQ(0xDEADBEEFu, untouched);
}

// Press style 1 shifts the image by (0, 2) while pressed.
TEST_F(SkinButtonTest, PressStyleOneShiftsDownByTwo)
{
    CSkinButton& b = host.m_bare;
    b.AssignIcons(SolidIcon(kHot));
    b.SetPressShift(1, FALSE);
    const RECT up = ColourBounds(*PaintOf(b), kHot);
    ::SendMessageA(b, BM_SETSTATE, TRUE, 0);
    const RECT down = ColourBounds(*PaintOf(b), kHot);
    EXPECT_EQ(RectText({up.left, up.top + 2, up.right, up.bottom + 2}), RectText(down));
}

// Disabled, a button holding the focus hands it to the next control; one that does
// not hold it leaves it where it is.
TEST_F(SkinButtonTest, DisablingMovesTheFocusOnlyFromTheButton)
{
    ::SetFocus(host.m_edit);
    host.m_plain.EnableWindow(FALSE);
    EXPECT_EQ(host.m_edit.m_hWnd, ::GetFocus()) << "disabling another button took the focus from the edit box";
    host.m_plain.EnableWindow(TRUE);

    ::SetFocus(host.m_drawn);
    host.m_drawn.EnableWindow(FALSE);
    EXPECT_EQ(::GetNextDlgTabItem(host.m_hWnd, host.m_drawn, FALSE), ::GetFocus());
    EXPECT_NE(host.m_drawn.m_hWnd, ::GetFocus());
}

// Images given to the button are its own: a failed assignment destroys the normal
// icon given with an unreadable hot one, and ReleaseImages(FALSE) hands the icons
// back. FitToImage sizes the button to its hot image with no margin;
// CaptureBackground takes the face from the caller's context.
TEST_F(SkinButtonTest, ImageOwnershipFitToImageAndCapturedBackground)
{
    CSkinButton& b = host.m_bare;
    ICONINFO info{};
    HICON normal = SolidIcon(kNormal);
    EXPECT_EQ(SKIN_BUTTON_LOAD_FAILED, b.AssignIcons(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234)), normal));
    EXPECT_FALSE(::GetIconInfo(normal, &info)) << "the normal icon outlived a failed assignment";

    HICON hot = SolidIcon(kHot);
    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignIcons(hot));
    b.ReleaseImages(FALSE);
    EXPECT_EQ(0, ColourBounds(*PaintOf(b), kHot).right) << "a released icon is still drawn";
    ASSERT_TRUE(::GetIconInfo(hot, &info)) << "an icon released without destroying was destroyed";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(hot);

    const COLORREF given = RGB(9, 99, 199);
    RECT client;
    ::GetClientRect(host.m_hWnd, &client);
    PixelCanvas source(client.right, client.bottom, given);
    CDC sourceDC(source.dc());
    ASSERT_EQ(SKIN_BUTTON_OK, b.UseParentBackground(FALSE));
    EXPECT_EQ(SKIN_BUTTON_BAD_VALUE, b.CaptureBackground(nullptr));
    EXPECT_EQ(SKIN_BUTTON_OK, b.CaptureBackground(&sourceDC));
    EXPECT_EQ(ColorName(given), ColorName(PaintOf(b)->Pixel(1, 1)));

    ASSERT_EQ(SKIN_BUTTON_OK, b.AssignIcons(SolidIcon(kHot, 24)));
    EXPECT_EQ(SKIN_BUTTON_OK, b.FitToImage());
    const SIZE fitted = ClientSize(b);
    EXPECT_EQ(24, fitted.cx);
    EXPECT_EQ(24, fitted.cy);
    EXPECT_EQ(RectText({0, 0, 24, 24}), RectText(ColourBounds(*PaintOf(b), kHot)));
}

// A drop-down menu: the notice comes first with the submenu, the button looks
// pressed while the menu is open, and the chosen command reaches the owner.
TEST_F(SkinButtonTest, DropMenuNotifiesShowsPressedAndPostsTheChoice)
{
    CSkinButton& b = host.m_plain;
    ASSERT_EQ(SKIN_BUTTON_OK, b.LoadDropMenu(kMenu, host.m_hWnd, FALSE));
    b.SetDropMenuNotify(host.m_hWnd, kMenuNotice, 77);
    ::SendMessageA(b, BM_CLICK, 0, 0);
    PumpAsModalLoop(host.m_hWnd);

    ASSERT_NE(nullptr, host.m_noticeMenu);
    EXPECT_EQ(kFirstCommand, ::GetMenuItemID(host.m_noticeMenu, 0));
    EXPECT_EQ(77, host.m_noticeParam);
    const SIZE size = ClientSize(b);
    ASSERT_TRUE(host.m_lookWhileOpen);
    EXPECT_EQ(ColorName(::GetSysColor(COLOR_BTNSHADOW)), ColorName(host.m_lookWhileOpen->Pixel(0, size.cy / 2)))
        << "not drawn pressed while the menu is open";
    EXPECT_EQ(std::vector<WPARAM>{kFirstCommand}, host.m_commands);
    EXPECT_EQ(1, host.m_clicks[kPlain]) << "the click itself reaches the dialog too";
    EXPECT_EQ(ColorName(::GetSysColor(COLOR_BTNFACE)), ColorName(PaintOf(b)->Pixel(0, size.cy / 2)))
        << "still drawn pressed after the menu closed";
}

// Many hover, press, disabled and repaint cycles leave no GDI or user object behind,
// and the paint after them still comes out right.
TEST_F(SkinButtonTest, PaintCyclesLeaveNoObjectBehind)
{
    CSkinButton& iconButton = host.m_plain;   // as the main dialog sets its buttons up
    ASSERT_EQ(SKIN_BUTTON_OK, iconButton.AssignIcons(SolidIcon(kHot), SolidIcon(kNormal)));
    iconButton.SetImagePlacement(PLACE_IMAGE_RIGHT, FALSE);
    iconButton.UseParentBackground(FALSE);
    iconButton.SetTipText("Astuce", TRUE);
    CSkinButton& bitmapButton = host.m_bare;
    ASSERT_EQ(SKIN_BUTTON_OK, bitmapButton.AssignBitmaps(SolidBitmap(8, 8, kHot), RGB(255, 0, 255),
                                                         SkinImage<HBITMAP>(SKIN_IMAGE_DARKENED)));
    auto cycle = [&](CSkinButton& b) {
        HoverOver(b);
        PaintOf(b);
        ::SendMessageA(b, BM_SETSTATE, TRUE, 0);
        PaintOf(b);
        ::SendMessageA(b, BM_SETSTATE, FALSE, 0);
        ::SendMessageA(b, WM_MOUSELEAVE, 0, 0);
        b.EnableWindow(FALSE);
        PaintOf(b);
        b.EnableWindow(TRUE);
        ::RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpAsModalLoop(host.m_hWnd);
    };
    Redraw();
    for (int i = 0; i < 5; ++i) {   // whatever is made once and kept is made now
        cycle(iconButton);
        cycle(bitmapButton);
    }
    const long gdiBefore = GdiHighWater(), userBefore = UserHighWater();
    constexpr int kCycles = 300;
    for (int i = 0; i < kCycles; ++i) {
        cycle(iconButton);
        cycle(bitmapButton);
    }
    const long gdiGrowth = GdiHighWater() - gdiBefore, userGrowth = UserHighWater() - userBefore;
    // One object left behind per paint would raise a mark by about 4 x 300 x 2 slots.
    EXPECT_LT(gdiGrowth, 32) << "GDI slots taken during " << kCycles << " cycles";
    EXPECT_LT(userGrowth, 32) << "user object slots taken during " << kCycles << " cycles";
    std::printf("paint cycles: GDI mark %ld -> %+ld, user mark %ld -> %+ld\n", gdiBefore, gdiGrowth, userBefore,
                userGrowth);

    HoverOver(iconButton);
    auto after = PaintOf(iconButton);
    const SIZE size = ClientSize(iconButton);
    const int top = (size.cy - 32) / 2;
    EXPECT_EQ(RectText({size.cx - 35, std::max(0, top), size.cx - 3, std::min<LONG>(size.cy, top + 32)}),
              RectText(ColourBounds(*after, kHot)));
    const POINT origin = Origin(iconButton);
    EXPECT_EQ(ColorName(Pattern(origin.x + 1, origin.y + 1)), ColorName(after->Pixel(1, 1)));
}

// A button given everything it can hold (images and their copies, masks, menu,
// tooltip, cached background) releases it all when it goes, whether its window is
// destroyed first or after.
TEST_F(SkinButtonTest, DestroyedButtonsReleaseEverythingTheyHeld)
{
    Redraw();
    auto lifetime = [&](int i) {
        auto b = std::make_unique<CSkinButton>();
        HWND window = NewButton("Jetable");
        EXPECT_TRUE(b->SubclassWindow(window));
        if (i % 2)
            b->AssignIcons(SolidIcon(kHot), SkinImage<HICON>(SKIN_IMAGE_DARKENED));
        else
            b->AssignBitmaps(SolidBitmap(8, 8, kHot), RGB(255, 0, 255), SkinImage<HBITMAP>(SKIN_IMAGE_GRAYED));
        b->LoadDropMenu(kMenu, host.m_hWnd, FALSE);
        b->SetTipText("Astuce", TRUE);
        b->UseParentBackground(FALSE);
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpAsModalLoop(host.m_hWnd);
        if (i % 3 == 0) {
            ::DestroyWindow(window);
            b.reset();
        } else {
            b.reset();
            ::DestroyWindow(window);
        }
    };
    for (int i = 0; i < 6; ++i)
        lifetime(i);
    const long gdiBefore = GdiHighWater(), userBefore = UserHighWater();
    for (int i = 0; i < 120; ++i)
        lifetime(i);
    const long gdiGrowth = GdiHighWater() - gdiBefore, userGrowth = UserHighWater() - userBefore;
    EXPECT_LT(gdiGrowth, 32) << "GDI slots still taken after 120 buttons";
    EXPECT_LT(userGrowth, 32) << "user object slots still taken after 120 buttons";
    std::printf("button lifetimes: GDI mark %ld -> %+ld, user mark %ld -> %+ld\n", gdiBefore, gdiGrowth, userBefore,
                userGrowth);
}

} // namespace
