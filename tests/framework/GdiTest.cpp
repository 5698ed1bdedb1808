// Device contexts and GDI objects: who deletes what, what a selection puts back,
// the pixels the drawing helpers leave, and the tooltip control's ownership.

#include "CBrush.h"
#include "CFont.h"
#include "CMemoryDC.h"
#include "CPen.h"
#include "CRgn.h"
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

TEST(GdiOwnershipTest, TheGuardPutsThePreviousObjectBackAndTheOwnerDeletesItsOwn)
{
    PixelCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.ok());
    CFont font;
    ASSERT_TRUE(font.CreateFont(14, 0, 0, 0, 900, 0, 0, 0, 0, 0, 0, 4, 0, "Arial"));
    for (UINT type : {OBJ_BRUSH, OBJ_PEN, OBJ_FONT}) {
        SCOPED_TRACE(testing::Message() << "object type " << type);
        const HGDIOBJ original = ::GetCurrentObject(canvas.dc(), type);
        HGDIOBJ made = nullptr;
        {
            CBrush brush(RGB(1, 2, 3));
            CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
            CFont moved(std::move(font));   // a moved-from owner deletes nothing
            made = type == OBJ_BRUSH ? static_cast<HGDIOBJ>(brush)
                 : type == OBJ_PEN   ? static_cast<HGDIOBJ>(pen) : static_cast<HGDIOBJ>(moved);
            CSelectGuard guard(canvas.dc(), made);   // declared last: ends first
            EXPECT_EQ(made, ::GetCurrentObject(canvas.dc(), type));
            EXPECT_EQ(original, guard.Previous());
            font = std::move(moved);
        }
        EXPECT_EQ(original, ::GetCurrentObject(canvas.dc(), type));
        EXPECT_EQ(type != OBJ_FONT, !Exists(made)) << "deleted by its owner, unless moved back out";
    }
    CRgn region;   // a region handed to a window leaves its owner through Detach
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 4, 4));
    HRGN given = region.Detach();
    region.DeleteObject();
    EXPECT_EQ(OBJ_REGION, static_cast<int>(::GetObjectType(given)));
    ::DeleteObject(given);
}

TEST(MemoryDCTest, OffScreenPictureIsCopiedAndReleasedWithItsBitmap)
{
    PixelCanvas canvas(12, 8);
    ASSERT_TRUE(canvas.ok());
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
        ASSERT_TRUE(CDC(canvas.dc()).BitBlt(1, 1, 10, 6, memory, 0, 0, SRCCOPY));
    }
    EXPECT_FALSE(Exists(picture)) << "the memory context's bitmap went with it";

    // The picture lands at (1, 1), so its 3-D frame spans (3, 2)-(9, 6).
    const struct {
        int x, y;
        COLORREF color;
    } expected[] = {
        {0, 0, PixelCanvas::kSentinel}, {11, 7, PixelCanvas::kSentinel}, {1, 1, red}, {10, 6, red},
        {3, 2, blue}, {7, 2, blue}, {8, 2, green}, {3, 5, green}, {8, 5, green}, {5, 4, red}, {9, 3, red},
    };
    for (const auto& e : expected)
        EXPECT_EQ(ColorName(e.color), ColorName(canvas.Pixel(e.x, e.y))) << "at (" << e.x << ", " << e.y << ")";
}

TEST(ToolTipCtrlTest, ToolsTextAndWidthAndAWindowThatGoesWithItsOwner)
{
    CWnd owner;
    owner.Attach(::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner, TTS_BALLOON));
    EXPECT_FALSE(tip.Create(&owner)) << "one window per object";
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | TTS_BALLOON), tip.GetStyle() & (WS_POPUP | TTS_BALLOON));
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(tip, GW_OWNER));

    // The tool structure's size must suit the common controls in use.
    ASSERT_TRUE(tip.AddTool(&owner, "Fin de la proc\xE9" "dure", nullptr, 1));
    EXPECT_EQ(1, tip.GetToolCount());
    tip.UpdateTipText("Mise \xE0 jour", &owner, 1);
    EXPECT_EQ(std::string("Mise \xE0 jour"), std::string(tip.GetText(&owner, 1)));
    tip.SetMaxTipWidth(400);
    EXPECT_EQ(400, tip.SetMaxTipWidth(300));

    // The owner takes its tooltip down with it; the object then holds no handle.
    HWND tipWindow = tip;
    ::DestroyWindow(owner.Detach());
    EXPECT_FALSE(::IsWindow(tipWindow));
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

} // namespace
