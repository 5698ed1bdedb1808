// Each handle has one owner, which frees it once: the handle owners, the skinned
// button's image set, the subclassing of a window, and the selection guards.

#include "ButtonImageSet.h"
#include "CKernelHandle.h"
#include "CMemoryDC.h"
#include "CRgn.h"
#include "CWnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace {

// What cannot be written: deleting a memory context under its bitmap, or selecting
// a region (whose "previous object" is a complexity code) through a guard.
template <class T, class = void>
struct CanDeleteDC : std::false_type {};
template <class T>
struct CanDeleteDC<T, std::void_t<decltype(std::declval<T&>().DeleteDC())>> : std::true_type {};
static_assert(CanDeleteDC<CCompatibleDC>::value && !CanDeleteDC<CMemoryDC>::value, "DeleteDC of a CMemoryDC");
static_assert(!std::is_constructible<CSelectGuard, HDC, HRGN>::value, "a guard selecting a region");

bool IconAlive(HICON icon)
{
    ICONINFO info{};
    const bool alive = ::GetIconInfo(icon, &info) != FALSE;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return alive;
}

// A later subclass of a window, which hands every message on.
WNDPROC g_beneath = nullptr;
int g_laterCalls = 0;
LRESULT CALLBACK LaterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_laterCalls;
    return ::CallWindowProcA(g_beneath, hwnd, message, wParam, lParam);
}

TEST(Ownership, EveryHandleHasOneOwnerThatFreesItOnce)
{
    static const BYTE kBits[32] = {};
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"an owner given the handle it holds keeps it", [] {
             HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 32, nullptr);
             {
                 CBitmap owner(bitmap);
                 owner.Attach(bitmap);
                 EXPECT_EQ(OBJ_BITMAP, ::GetObjectType(bitmap));
             }
             EXPECT_EQ(0u, ::GetObjectType(bitmap)) << "not deleted with its owner";
         }},
        {"one icon for both states is the hot one, held once", [] {
             HICON icon = ::CreateIcon(nullptr, 16, 16, 1, 1, kBits, kBits);
             CButtonImageSet images;
             ASSERT_EQ(SKIN_BUTTON_OK, images.AssignIcons(icon, icon));
             EXPECT_EQ(icon, images.Hot().icon);
             EXPECT_EQ(nullptr, images.Normal().icon);
             images.Release(true);
             EXPECT_FALSE(IconAlive(icon));
         }},
        {"one bitmap for both states is the hot one, held once", [] {
             HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 32, nullptr);
             CButtonImageSet images;
             ASSERT_EQ(SKIN_BUTTON_OK, images.AssignBitmaps(bitmap, RGB(255, 0, 255), bitmap, RGB(255, 0, 255)));
             EXPECT_EQ(bitmap, images.Hot().bitmap);
             EXPECT_EQ(nullptr, images.Normal().bitmap);
             images.Release(true);
             EXPECT_EQ(0u, ::GetObjectType(bitmap));
         }},
        {"a window the system refuses to subclass is not held", [] {
             HWND desktop = ::GetDesktopWindow();   // another process's window
             CWnd wnd;
             EXPECT_FALSE(wnd.SubclassWindow(desktop));
             EXPECT_EQ(nullptr, wnd.m_hWnd);
             EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(desktop));
         }},
        {"letting go under a later subclass keeps it and the window's own procedure", [] {
             HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
             {
                 CWnd wnd;
                 ASSERT_TRUE(wnd.SubclassWindow(window));
                 g_beneath = reinterpret_cast<WNDPROC>(
                     ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
             }
             EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LaterProc), ::GetWindowLongPtrA(window, GWLP_WNDPROC));
             g_laterCalls = 0;
             ::SetWindowTextA(window, "toujours l\xE0");
             char text[32] = "";
             ::GetWindowTextA(window, text, sizeof text);
             EXPECT_STREQ("toujours l\xE0", text) << "the static control's procedure was cut off";
             EXPECT_GT(g_laterCalls, 0);
             EXPECT_TRUE(::DestroyWindow(window));
         }},
        {"a region given as an object is not selected", [] {
             CCompatibleDC dc(nullptr);
             CRgn region, clip;
             ASSERT_TRUE(region.CreateRectRgn(0, 0, 5, 5) && clip.CreateRectRgn(0, 0, 0, 0));
             CSelectGuard guard;
             EXPECT_FALSE(guard.Select(dc, static_cast<HGDIOBJ>(region.GetSafeHandle())));
             EXPECT_EQ(0, ::GetClipRgn(dc, clip)) << "the context was clipped";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        c.second();
    }
}

} // namespace

namespace {

// Whether `handle` still names an open kernel object of this process.
bool KernelHandleOpen(HANDLE handle)
{
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

} // namespace

TEST(Ownership, KernelHandlesAreClosedOnceAndNeverWhenTheyNameNothingOrTheCaller)
{
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        CKernelHandle first(event);
        CKernelHandle second(std::move(first));
        EXPECT_EQ(nullptr, first.GetSafeHandle()) << "a moved-from owner gives its handle up";
        EXPECT_TRUE(second.IsValid());
        CKernelHandle third;
        third = std::move(second);
        EXPECT_TRUE(KernelHandleOpen(event));
    }
    EXPECT_FALSE(KernelHandleOpen(event)) << "not closed by its last owner";

    HANDLE a = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE b = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        CKernelHandle owner(a);
        owner.Attach(b);
        EXPECT_FALSE(KernelHandleOpen(a)) << "the handle held before Attach";
        EXPECT_TRUE(KernelHandleOpen(b));
        EXPECT_EQ(b, owner.Detach());
    }
    EXPECT_TRUE(KernelHandleOpen(b)) << "a detached handle is the caller's";
    CKernelHandle closing(b);
    EXPECT_TRUE(closing.Close());
    EXPECT_FALSE(closing.Close()) << "closed twice";

    // What a failed creation returns, and the pseudo-handles, which must keep working.
    for (HANDLE none : {static_cast<HANDLE>(nullptr), INVALID_HANDLE_VALUE, ::GetCurrentThread()}) {
        CKernelHandle owner(none);
        EXPECT_FALSE(owner.IsValid()) << none;
        EXPECT_FALSE(owner.Close()) << none;
    }
    EXPECT_NE(0u, ::GetThreadId(::GetCurrentThread()));
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeProcess(::GetCurrentProcess(), &code));
    EXPECT_EQ(STILL_ACTIVE, code);
}
