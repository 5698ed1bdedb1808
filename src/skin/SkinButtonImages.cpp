// The image side of the skinned button: its hot and normal icons or bitmaps, the
// grayed and darkened copies derived from the hot one, and their masks.

#include "ButtonImages.h"
#include "CIconInfo.h"
#include "SkinButton.h"

namespace {

bool IsSpecial(const void* image)
{
    const INT_PTR value = reinterpret_cast<INT_PTR>(image);
    return value == SKIN_IMAGE_GRAYED || value == SKIN_IMAGE_DARKENED;
}

HANDLE LoadResourceImage(int id, UINT type, int width, int height)
{
    return ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id & 0xFFFF), type, width, height,
                        LR_DEFAULTCOLOR);
}

} // namespace

int CSkinButton::ReleaseImages(BOOL destroy)
{
    for (IconEntry& entry : m_icons) {
        if (destroy)
            entry.icon.Destroy();
        else
            entry.icon.Detach();
        entry.width = entry.height = 0;
    }
    for (BitmapEntry& entry : m_bitmaps) {
        if (destroy) {
            entry.bitmap.DeleteObject();
            entry.mask.DeleteObject();
        } else {
            entry.bitmap.Detach();
            entry.mask.Detach();
        }
        entry.width = entry.height = 0;
        entry.key = 0;
    }
    return SKIN_BUTTON_OK;
}

int CSkinButton::FailImages(int status)
{
    ReleaseImages(TRUE);
    return status;
}

int CSkinButton::AssignIcons(HICON hot, HICON normal)
{
    ReleaseImages(TRUE);
    // One icon for both states is owned once, as the hot icon shown in every state.
    if (normal == hot)
        normal = nullptr;
    // A normal icon given by handle is the button's from now on, even when the hot one
    // turns out unreadable.
    CIcon given(IsSpecial(normal) ? nullptr : normal);

    if (hot) {
        m_icons[0].icon.Attach(hot);
        CIconInfo info;
        if (!info.Read(hot))
            return FailImages(SKIN_BUTTON_LOAD_FAILED);
        m_icons[0].width = info.SizeFromHotspot().cx;
        m_icons[0].height = info.SizeFromHotspot().cy;
    }
    if (normal) {
        if (reinterpret_cast<INT_PTR>(normal) == SKIN_IMAGE_DARKENED)
            given = MakeDarkIcon(hot);
        else if (reinterpret_cast<INT_PTR>(normal) == SKIN_IMAGE_GRAYED)
            given = MakeGrayIcon(hot);
        CIconInfo info;
        if (!info.Read(given))
            return FailImages(SKIN_BUTTON_LOAD_FAILED);
        m_icons[1].icon = std::move(given);
        m_icons[1].width = info.SizeFromHotspot().cx;
        m_icons[1].height = info.SizeFromHotspot().cy;
    }
    Repaint(TRUE);
    return SKIN_BUTTON_OK;
}

int CSkinButton::LoadIcons(int hotId, int hotWidth, int hotHeight, int normalId, int normalWidth, int normalHeight)
{
    // The icon files carry several sizes; LoadImage takes the one nearest the
    // scaled size.
    m_iconSource = {};
    HICON hot = hotId ? static_cast<HICON>(LoadResourceImage(hotId, IMAGE_ICON, Scaled(hotWidth),
                                                             Scaled(hotHeight)))
                      : nullptr;
    HICON normal = nullptr;
    if (normalId == SKIN_IMAGE_GRAYED || normalId == SKIN_IMAGE_DARKENED)
        normal = SkinImage<HICON>(normalId);
    else if (normalId)
        normal = static_cast<HICON>(LoadResourceImage(normalId, IMAGE_ICON, Scaled(normalWidth),
                                                      Scaled(normalHeight)));
    if (!hot) {
        // Nothing to show: no image at all, and nothing to complain of.
        CIcon unused(IsSpecial(normal) ? nullptr : normal);
        return ReleaseImages(TRUE);
    }
    const int status = AssignIcons(hot, normal);
    if (status == SKIN_BUTTON_OK)
        m_iconSource = {hotId, hotWidth, hotHeight, normalId, normalWidth, normalHeight, hot};
    return status;
}

int CSkinButton::AssignBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal, COLORREF normalKey)
{
    ReleaseImages(TRUE);
    // One bitmap for both states is owned (and masked) once, as the hot one.
    if (normal == hot)
        normal = nullptr;
    CBitmap given(IsSpecial(normal) ? nullptr : normal);

    // Each entry takes its size from the bitmap object, then a mask of its key colour
    // (which blackens the key-coloured pixels of the bitmap itself).
    auto measure = [](BitmapEntry& entry) {
        BITMAP header{};
        if (!entry.bitmap.GetBitmap(&header))
            return false;
        entry.width = header.bmWidth;
        entry.height = header.bmHeight;
        return true;
    };
    auto mask = [](BitmapEntry& entry) {
        entry.mask = MakeMask(entry.bitmap, entry.width, entry.height, entry.key);
        return entry.mask.GetSafeHandle() != nullptr;
    };

    if (hot) {
        BitmapEntry& entry = m_bitmaps[0];
        entry.bitmap.Attach(hot);
        entry.key = hotKey;
        if (!measure(entry))
            return FailImages(SKIN_BUTTON_LOAD_FAILED);
        // The copy comes from the hot bitmap before its mask blackens the key colour.
        if (IsSpecial(normal)) {
            given = reinterpret_cast<INT_PTR>(normal) == SKIN_IMAGE_DARKENED
                        ? MakeDarkBitmap(hot, entry.width, entry.height, hotKey)
                        : MakeGrayBitmap(hot, entry.width, entry.height, hotKey);
            normalKey = hotKey;
        }
        if (!mask(entry))
            return FailImages(SKIN_BUTTON_MASK_FAILED);
    }
    if (given.GetSafeHandle()) {
        BitmapEntry& entry = m_bitmaps[1];
        entry.bitmap = std::move(given);
        entry.key = normalKey;
        if (!measure(entry))
            return FailImages(SKIN_BUTTON_LOAD_FAILED);
        if (!mask(entry))
            return FailImages(SKIN_BUTTON_MASK_FAILED);
    }
    Repaint(TRUE);
    return SKIN_BUTTON_OK;
}

int CSkinButton::LoadBitmaps(int hotId, COLORREF hotKey, int normalId, COLORREF normalKey)
{
    HBITMAP hot = hotId ? static_cast<HBITMAP>(LoadResourceImage(hotId, IMAGE_BITMAP, 0, 0)) : nullptr;
    HBITMAP normal = nullptr;
    if (normalId == SKIN_IMAGE_GRAYED || normalId == SKIN_IMAGE_DARKENED)
        normal = SkinImage<HBITMAP>(normalId);
    else if (normalId)
        normal = static_cast<HBITMAP>(LoadResourceImage(normalId, IMAGE_BITMAP, 0, 0));
    if (!hot) {
        CBitmap unused(IsSpecial(normal) ? nullptr : normal);
        return ReleaseImages(TRUE);
    }
    return AssignBitmaps(hot, hotKey, normal, normalKey);
}

int CSkinButton::FitToImage()
{
    SIZE size{};
    if (m_icons[0].icon.GetSafeHandle())
        size = {m_icons[0].width, m_icons[0].height};
    else if (m_bitmaps[0].bitmap.GetSafeHandle())
        size = {m_bitmaps[0].width, m_bitmaps[0].height};
    else
        return SKIN_BUTTON_OK;
    m_imageMarginX = m_imageMarginY = 0;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    return SKIN_BUTTON_OK;
}
