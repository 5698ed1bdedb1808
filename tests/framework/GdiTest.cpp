// Device contexts and GDI objects: who deletes what, what a selection puts back,
// the pixels the drawing helpers leave, and the tooltip control's ownership.

#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CMemoryDC.h"
#include "CPen.h"
#include "CRgn.h"
#include "CSelectGuard.h"
#include "CToolTipCtrl.h"
#include "PixelCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

bool Exists(HGDIOBJ object)
{
    return ::GetObjectType(object) != 0;
}

TEST(GdiOwnershipTest, OwnersDeleteTheirObjectAfterTheGuardPutsThePreviousOneBack)
{
    PixelCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.ok());
    CFont font;
    ASSERT_TRUE(font.CreateFont(14, 0, 0, 0, 900, 0, 0, 0, 0, 0, 0, 4, 0, "Arial"));
    const std::pair<const char*, UINT> kinds[] = {{"brush", OBJ_BRUSH}, {"pen", OBJ_PEN}, {"font", OBJ_FONT}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.first);
        const HGDIOBJ original = ::GetCurrentObject(canvas.dc(), kind.second);
        HGDIOBJ made = nullptr;
        {
            CBrush brush(RGB(1, 2, 3));
            CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
            CFont moved(std::move(font));   // the owner moves; the moved-from one deletes nothing
            made = kind.second == OBJ_BRUSH ? static_cast<HGDIOBJ>(brush)
                 : kind.second == OBJ_PEN   ? static_cast<HGDIOBJ>(pen)
                                            : static_cast<HGDIOBJ>(moved);
            ASSERT_TRUE(Exists(made));
            CSelectGuard guard(canvas.dc(), made);   // declared last: ends first
            EXPECT_TRUE(guard.IsSelected());
            EXPECT_EQ(made, ::GetCurrentObject(canvas.dc(), kind.second));
            EXPECT_EQ(original, guard.Previous());
            font = std::move(moved);
        }
        EXPECT_EQ(original, ::GetCurrentObject(canvas.dc(), kind.second));
        EXPECT_EQ(kind.second != OBJ_FONT, !Exists(made)) << "deleted by its owner unless moved back out";
    }
    HGDIOBJ fontHandle = font;
    font.DeleteObject();
    EXPECT_FALSE(Exists(fontHandle));

    // A region given to a window leaves its owner through Detach.
    HRGN given = nullptr;
    {
        CRgn region;
        ASSERT_TRUE(region.CreateRectRgn(0, 0, 4, 4));
        given = region.Detach();
    }
    EXPECT_EQ(OBJ_REGION, static_cast<int>(::GetObjectType(given)));
    ::DeleteObject(given);
}

TEST(MemoryDCTest, OffScreenPictureIsCopiedAndReleasedWithItsBitmap)
{
    PixelCanvas canvas(12, 8);
    ASSERT_TRUE(canvas.ok());
    const HGDIOBJ canvasBitmap = ::GetCurrentObject(canvas.dc(), OBJ_BITMAP);
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0);
    HBITMAP picture = nullptr;
    {
        CMemoryDC memory(canvas.dc(), 10, 6);
        ASSERT_NE(nullptr, memory.GetSafeHdc());
        picture = memory.GetBitmap();
        memory.SetBkColor(RGB(9, 9, 9));
        memory.FillSolidRect(CRect(0, 0, 10, 6), red);
        EXPECT_EQ(RGB(9, 9, 9), memory.GetBkColor()) << "FillSolidRect puts the background colour back";
        memory.Draw3dRect(CRect(2, 1, 8, 5), blue, green);
        CDC target(canvas.dc());
        ASSERT_TRUE(target.BitBlt(1, 1, 10, 6, memory, 0, 0, SRCCOPY));
    }
    EXPECT_FALSE(Exists(picture)) << "the memory context's bitmap went with it";
    EXPECT_EQ(canvasBitmap, ::GetCurrentObject(canvas.dc(), OBJ_BITMAP));

    // Canvas coordinates: the picture sits at (1, 1); its 3-D frame at (3, 2)-(9, 6).
    struct Expected {
        int x, y;
        COLORREF color;
        const char* where;
    };
    const Expected expected[] = {
        {0, 0, PixelCanvas::kSentinel, "outside the blit"},   {11, 7, PixelCanvas::kSentinel, "outside"},
        {1, 1, red, "picture corner"},                         {10, 6, red, "far picture corner"},
        {3, 2, blue, "frame top-left"},                        {7, 2, blue, "top edge's last blue pixel"},
        {8, 2, green, "top-right corner is the bottom-right colour"},
        {3, 5, green, "bottom-left corner is the bottom-right colour"},
        {8, 5, green, "frame bottom-right"},                   {5, 4, red, "inside the frame"},
        {9, 3, red, "right of the frame"},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(ColorName(e.color), ColorName(canvas.Pixel(e.x, e.y)))
            << e.where << " at (" << e.x << ", " << e.y << ")";
}

TEST(RectTest, EdgesMoveAsGdiCountsThem)
{
    struct Case {
        const char* name;
        void (*change)(CRect&);
        CRect expected;
    };
    const Case cases[] = {
        {"DeflateRect(1, 2)", [](CRect& r) { r.DeflateRect(1, 2); }, CRect(11, 22, 39, 58)},
        {"DeflateRect(1, 2, 3, 4)", [](CRect& r) { r.DeflateRect(1, 2, 3, 4); }, CRect(11, 22, 37, 56)},
        {"InflateRect(1, 2)", [](CRect& r) { r.InflateRect(1, 2); }, CRect(9, 18, 41, 62)},
        {"OffsetRect(-10, 5)", [](CRect& r) { r.OffsetRect(-10, 5); }, CRect(0, 25, 30, 65)},
        {"MoveToXY(0, 0)", [](CRect& r) { r.MoveToXY(0, 0); }, CRect(0, 0, 30, 40)},
        {"IntersectRect", [](CRect& r) { r.IntersectRect(r, CRect(35, 0, 100, 30)); }, CRect(35, 20, 40, 30)},
        {"IntersectRect, apart", [](CRect& r) { r.IntersectRect(r, CRect(50, 0, 60, 10)); }, CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        CRect r(10, 20, 40, 60);
        c.change(r);
        EXPECT_TRUE(r == c.expected) << c.name << ": got " << r.left << "," << r.top << "," << r.right << ","
                                     << r.bottom;
    }
    EXPECT_EQ(30, CRect(10, 20, 40, 60).Width());
    EXPECT_EQ(40, CRect(10, 20, 40, 60).Height());
}

TEST(ToolTipCtrlTest, ToolsTextAndWidthAndAWindowThatGoesWithItsOwner)
{
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    CWnd ownerWnd;
    ownerWnd.Attach(owner);
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&ownerWnd, TTS_BALLOON));
    EXPECT_FALSE(tip.Create(&ownerWnd)) << "one window per object";
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | TTS_BALLOON), tip.GetStyle() & (WS_POPUP | TTS_BALLOON));
    EXPECT_EQ(owner, ::GetWindow(tip, GW_OWNER));

    EXPECT_EQ(0, tip.GetToolCount());
    ASSERT_TRUE(tip.AddTool(&ownerWnd, "Fin de la proc\xE9" "dure", nullptr, 1));
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_EQ(std::string("Fin de la proc\xE9" "dure"), std::string(tip.GetText(&ownerWnd, 1)));
    tip.UpdateTipText("Mise \xE0 jour", &ownerWnd, 1);
    EXPECT_EQ(std::string("Mise \xE0 jour"), std::string(tip.GetText(&ownerWnd, 1)));
    EXPECT_EQ(std::string(""), std::string(tip.GetText(&ownerWnd, 2))) << "no tool 2";
    tip.SetMaxTipWidth(400);
    EXPECT_EQ(400, tip.SetMaxTipWidth(300));

    // The owner takes its tooltip down with it; the object then holds no handle.
    HWND tipWindow = tip;
    ownerWnd.Detach();
    ::DestroyWindow(owner);
    EXPECT_FALSE(::IsWindow(tipWindow));
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

} // namespace
