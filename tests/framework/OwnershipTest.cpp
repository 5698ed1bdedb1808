// Each handle has one owner, which frees it once: the handle owners, the skinned
// button's image tables, the subclassing of a window, and the selection guards.

#include "CBitmap.h"
#include "CIcon.h"
#include "CMemoryDC.h"
#include "CRgn.h"
#include "CSelectGuard.h"
#include "CWnd.h"
#include "SkinButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>
#include <utility>

namespace {

// What cannot be written: selecting a region through a guard, deleting a memory
// context or creating another one in it while its bitmap is selected.
template <class T, class = void>
struct CanDeleteDC : std::false_type {};
template <class T>
struct CanDeleteDC<T, std::void_t<decltype(std::declval<T&>().DeleteDC())>> : std::true_type {};
template <class T, class = void>
struct CanRecreateDC : std::false_type {};
template <class T>
struct CanRecreateDC<T, std::void_t<decltype(std::declval<T&>().CreateCompatibleDC(nullptr))>> : std::true_type {};
static_assert(CanDeleteDC<CCompatibleDC>::value && CanRecreateDC<CCompatibleDC>::value, "the probes work");
static_assert(!CanDeleteDC<CMemoryDC>::value, "a memory context is deleted only with its bitmap put back");
static_assert(!CanRecreateDC<CMemoryDC>::value, "a memory context is replaced only through Create");
static_assert(!std::is_constructible<CSelectGuard, HDC, HRGN>::value, "a region is not selected back");

struct ButtonProbe : CSkinButton {
    using CSkinButton::m_bitmaps;
    using CSkinButton::m_icons;
};

HICON MakeIcon()
{
    CBitmap colour(::CreateBitmap(16, 16, 1, 32, nullptr));
    CBitmap mask(::CreateBitmap(16, 16, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask, colour};
    return ::CreateIconIndirect(&info);
}

bool IconAlive(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return false;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return true;
}

bool GdiAlive(HGDIOBJ object)
{
    return ::GetObjectType(object) != 0;
}

// A later subclass of a window: counts the messages and hands them on.
WNDPROC g_beneath = nullptr;
int g_laterCalls = 0;
LRESULT CALLBACK LaterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_laterCalls;
    return ::CallWindowProcA(g_beneath, hwnd, message, wParam, lParam);
}

TEST(Ownership, EveryHandleHasOneOwnerThatFreesItOnce)
{
    struct Case {
        const char* label;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"an owner given the handle it holds keeps it",
         [] {
             HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 32, nullptr);
             {
                 CBitmap owner(bitmap);
                 owner.Attach(bitmap);
                 EXPECT_TRUE(GdiAlive(bitmap));
                 EXPECT_EQ(bitmap, owner.GetSafeHandle());
             }
             EXPECT_FALSE(GdiAlive(bitmap)) << "deleted when its owner ends";
         }},
        {"one icon given for both states is the hot one, held once",
         [] {
             HICON icon = MakeIcon();
             ButtonProbe button;
             ASSERT_EQ(SKIN_BUTTON_OK, button.AssignIcons(icon, icon));
             EXPECT_EQ(icon, button.m_icons[0].icon.GetSafeHandle());
             EXPECT_EQ(nullptr, button.m_icons[1].icon.GetSafeHandle());
             button.ReleaseImages(TRUE);
             EXPECT_FALSE(IconAlive(icon));
         }},
        {"one bitmap given for both states is the hot one, held and masked once",
         [] {
             HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 32, nullptr);
             ButtonProbe button;
             ASSERT_EQ(SKIN_BUTTON_OK, button.AssignBitmaps(bitmap, RGB(255, 0, 255), bitmap, RGB(255, 0, 255)));
             EXPECT_EQ(bitmap, button.m_bitmaps[0].bitmap.GetSafeHandle());
             EXPECT_NE(nullptr, button.m_bitmaps[0].mask.GetSafeHandle());
             EXPECT_EQ(nullptr, button.m_bitmaps[1].bitmap.GetSafeHandle());
             EXPECT_EQ(nullptr, button.m_bitmaps[1].mask.GetSafeHandle());
             button.ReleaseImages(TRUE);
             EXPECT_FALSE(GdiAlive(bitmap));
         }},
        {"a window the system will not let be subclassed is not held",
         [] {
             HWND desktop = ::GetDesktopWindow();
             DWORD process = 0;
             ::GetWindowThreadProcessId(desktop, &process);
             ASSERT_NE(::GetCurrentProcessId(), process) << "the desktop window is this process's own";
             CWnd wnd;
             EXPECT_FALSE(wnd.SubclassWindow(desktop));
             EXPECT_EQ(nullptr, wnd.m_hWnd);
             EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(desktop));
         }},
        {"letting go under a later subclass keeps that one and the window's own procedure",
         [] {
             HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                             ::GetModuleHandleA(nullptr), nullptr);
             ASSERT_NE(nullptr, window);
             {
                 CWnd wnd;
                 ASSERT_TRUE(wnd.SubclassWindow(window));
                 g_beneath = reinterpret_cast<WNDPROC>(
                     ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
                 EXPECT_EQ(window, wnd.UnsubclassWindow());
             }
             EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LaterProc), ::GetWindowLongPtrA(window, GWLP_WNDPROC));
             g_laterCalls = 0;
             ::SetWindowTextA(window, "toujours l\xE0");
             char text[32] = "";
             ::GetWindowTextA(window, text, sizeof text);
             EXPECT_STREQ("toujours l\xE0", text) << "the static control's own procedure no longer answers";
             EXPECT_GT(g_laterCalls, 0);
             CWnd again;
             EXPECT_FALSE(again.SubclassWindow(window)) << "its procedure is still in the chain";
             EXPECT_TRUE(::DestroyWindow(window));
         }},
        {"a region given as an object is not selected",
         [] {
             CCompatibleDC dc(nullptr);
             CRgn region;
             ASSERT_TRUE(region.CreateRectRgn(0, 0, 5, 5));
             CSelectGuard guard;
             EXPECT_FALSE(guard.Select(dc, static_cast<HGDIOBJ>(region.GetSafeHandle())));
             EXPECT_FALSE(guard.IsSelected());
             CRgn clip;
             ASSERT_TRUE(clip.CreateRectRgn(0, 0, 0, 0));
             EXPECT_EQ(0, ::GetClipRgn(dc, clip)) << "the context was clipped";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        c.run();
    }
}

} // namespace
