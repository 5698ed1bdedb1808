#include "ButtonImageSet.h"

#include "ButtonImages.h"
#include "CIconInfo.h"
#include "DpiScale.h"

#include <utility>

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

ButtonImage CButtonImageSet::View(const Entry& entry)
{
    ButtonImage image;
    image.icon = entry.icon;
    image.bitmap = entry.bitmap;
    image.mask = entry.mask;
    if (image.icon || image.bitmap)
        image.size = entry.size;
    return image;
}

void CButtonImageSet::Release(bool destroy)
{
    m_source = {};
    for (Entry& entry : m_entries) {
        if (destroy) {
            entry.icon.Destroy();
            entry.bitmap.DeleteObject();
            entry.mask.DeleteObject();
        } else {
            entry.icon.Detach();
            entry.bitmap.Detach();
            entry.mask.Detach();
        }
        entry.size = {0, 0};
        entry.key = 0;
    }
}

int CButtonImageSet::Fail(int status)
{
    Release(true);
    return status;
}

int CButtonImageSet::AssignIcons(HICON hot, HICON normal)
{
    Release(true);
    return SetIcons(hot, normal);
}

int CButtonImageSet::SetIcons(HICON hot, HICON normal)
{
    // One icon for both states is owned once, as the hot icon shown in every state.
    if (normal == hot)
        normal = nullptr;
    // A normal icon given by handle is the set's from now on, even when the hot one
    // turns out unreadable.
    CIcon given(IsSpecial(normal) ? nullptr : normal);

    if (hot) {
        m_entries[0].icon.Attach(hot);
        CIconInfo info;
        if (!info.Read(hot))
            return Fail(SKIN_BUTTON_LOAD_FAILED);
        m_entries[0].size = info.SizeFromHotspot();
    }
    if (normal) {
        if (reinterpret_cast<INT_PTR>(normal) == SKIN_IMAGE_DARKENED)
            given = MakeDarkIcon(hot);
        else if (reinterpret_cast<INT_PTR>(normal) == SKIN_IMAGE_GRAYED)
            given = MakeGrayIcon(hot);
        CIconInfo info;
        if (!info.Read(given))
            return Fail(SKIN_BUTTON_LOAD_FAILED);
        m_entries[1].icon = std::move(given);
        m_entries[1].size = info.SizeFromHotspot();
    }
    return SKIN_BUTTON_OK;
}

int CButtonImageSet::LoadIcons(int hotId, SIZE hotSize, int normalId, SIZE normalSize, int dpi)
{
    Release(true);
    // The icon files carry several sizes; LoadImage takes the one nearest the
    // scaled size.
    auto load = [dpi](int id, SIZE size) {
        return static_cast<HICON>(LoadResourceImage(id, IMAGE_ICON, skin::ScaleToDpi(size.cx, dpi),
                                                    skin::ScaleToDpi(size.cy, dpi)));
    };
    HICON hot = hotId ? load(hotId, hotSize) : nullptr;
    HICON normal = nullptr;
    if (normalId == SKIN_IMAGE_GRAYED || normalId == SKIN_IMAGE_DARKENED)
        normal = SkinImage<HICON>(normalId);
    else if (normalId)
        normal = load(normalId, normalSize);
    if (!hot) {
        // Nothing to show: no image at all, and nothing to complain of.
        CIcon unused(IsSpecial(normal) ? nullptr : normal);
        return SKIN_BUTTON_OK;
    }
    const int status = SetIcons(hot, normal);
    if (status == SKIN_BUTTON_OK)
        m_source = {hotId, hotSize, normalId, normalSize, dpi};
    return status;
}

bool CButtonImageSet::FollowDpi(int dpi)
{
    if (!m_source.hotId || m_source.dpi == dpi)
        return false;
    const IconSource source = m_source;
    LoadIcons(source.hotId, source.hotSize, source.normalId, source.normalSize, dpi);
    return true;
}

int CButtonImageSet::AssignBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal, COLORREF normalKey)
{
    Release(true);
    return SetBitmaps(hot, hotKey, normal, normalKey);
}

int CButtonImageSet::SetBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal, COLORREF normalKey)
{
    // One bitmap for both states is owned (and masked) once, as the hot one.
    if (normal == hot)
        normal = nullptr;
    CBitmap given(IsSpecial(normal) ? nullptr : normal);

    // Each entry takes its size from the bitmap object, then a mask of its key colour
    // (which blackens the key-coloured pixels of the bitmap itself).
    auto measure = [](Entry& entry) {
        BITMAP header{};
        if (!entry.bitmap.GetBitmap(&header))
            return false;
        entry.size = {header.bmWidth, header.bmHeight};
        return true;
    };
    auto mask = [](Entry& entry) {
        entry.mask = MakeMask(entry.bitmap, entry.size.cx, entry.size.cy, entry.key);
        return entry.mask.GetSafeHandle() != nullptr;
    };

    if (hot) {
        Entry& entry = m_entries[0];
        entry.bitmap.Attach(hot);
        entry.key = hotKey;
        if (!measure(entry))
            return Fail(SKIN_BUTTON_LOAD_FAILED);
        // The copy comes from the hot bitmap before its mask blackens the key colour.
        if (IsSpecial(normal)) {
            given = reinterpret_cast<INT_PTR>(normal) == SKIN_IMAGE_DARKENED
                        ? MakeDarkBitmap(hot, entry.size.cx, entry.size.cy, hotKey)
                        : MakeGrayBitmap(hot, entry.size.cx, entry.size.cy, hotKey);
            normalKey = hotKey;
        }
        if (!mask(entry))
            return Fail(SKIN_BUTTON_MASK_FAILED);
    }
    if (given.GetSafeHandle()) {
        Entry& entry = m_entries[1];
        entry.bitmap = std::move(given);
        entry.key = normalKey;
        if (!measure(entry))
            return Fail(SKIN_BUTTON_LOAD_FAILED);
        if (!mask(entry))
            return Fail(SKIN_BUTTON_MASK_FAILED);
    }
    return SKIN_BUTTON_OK;
}

int CButtonImageSet::LoadBitmaps(int hotId, COLORREF hotKey, int normalId, COLORREF normalKey)
{
    Release(true);
    HBITMAP hot = hotId ? static_cast<HBITMAP>(LoadResourceImage(hotId, IMAGE_BITMAP, 0, 0)) : nullptr;
    HBITMAP normal = nullptr;
    if (normalId == SKIN_IMAGE_GRAYED || normalId == SKIN_IMAGE_DARKENED)
        normal = SkinImage<HBITMAP>(normalId);
    else if (normalId)
        normal = static_cast<HBITMAP>(LoadResourceImage(normalId, IMAGE_BITMAP, 0, 0));
    if (!hot) {
        CBitmap unused(IsSpecial(normal) ? nullptr : normal);
        return SKIN_BUTTON_OK;
    }
    return SetBitmaps(hot, hotKey, normal, normalKey);
}
