#pragma once
// The hot and normal images of a skinned button: icons or bitmaps (never both), the
// grayed or darkened normal image derived from the hot one, the bitmaps' masks, and
// the icon resources they came from, so that a change of DPI loads them again at the
// new size. The set owns every handle it holds, those given to it included.
// Statuses are the button's (SkinButtonStatus.h); after a failure the set is empty.

#include "CBitmap.h"
#include "CIcon.h"
#include "SkinButtonStatus.h"

// One image as the painter draws it: an icon, or a bitmap with its mask.
struct ButtonImage {
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    HBITMAP mask = nullptr;
    SIZE size = {0, 0};   // an icon's comes from its hotspot
};

class CButtonImageSet {
public:
    CButtonImageSet() = default;
    ~CButtonImageSet() { Release(true); }
    CButtonImageSet(const CButtonImageSet&) = delete;
    CButtonImageSet& operator=(const CButtonImageSet&) = delete;

    // Takes ownership of `hot` and `normal` (or SKIN_IMAGE_GRAYED/DARKENED; null or
    // `hot` again shows the hot icon in every state). 1 when an icon cannot be read or
    // a copy fails.
    int AssignIcons(HICON hot, HICON normal);
    // Icon resources at sizes given at 96 DPI, loaded at `dpi` (0 x 0: the resource's
    // own size, unscaled). A hot icon that fails to load leaves the set empty and
    // answers 0.
    int LoadIcons(int hotId, SIZE hotSize, int normalId, SIZE normalSize, int dpi);
    // Pixels of the key colours are transparent (and turned black in the bitmaps). 1:
    // a bitmap cannot be queried; 2: a mask failed.
    int AssignBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal, COLORREF normalKey);
    int LoadBitmaps(int hotId, COLORREF hotKey, int normalId, COLORREF normalKey);
    // Empties the set, destroying the handles when `destroy` (else the caller has them).
    void Release(bool destroy);

    // Loads the icons LoadIcons loaded again at `dpi`, while the set still holds them
    // and they were loaded at another DPI; true when it did.
    bool FollowDpi(int dpi);

    // The images as the painter draws them; all handles null for one the set lacks.
    ButtonImage Hot() const { return View(m_entries[0]); }
    ButtonImage Normal() const { return View(m_entries[1]); }
    // The hot image's size, 0 x 0 without one.
    SIZE HotSize() const { return Hot().size; }

private:
    struct Entry {
        CIcon icon;
        CBitmap bitmap, mask;
        SIZE size = {0, 0};
        COLORREF key = 0;
    };
    // What LoadIcons last loaded and at which DPI; forgotten (hotId 0) as soon as
    // the set holds anything else.
    struct IconSource {
        int hotId = 0;
        SIZE hotSize = {0, 0};
        int normalId = 0;
        SIZE normalSize = {0, 0};
        int dpi = 0;
    };

    static ButtonImage View(const Entry& entry);
    int Fail(int status);
    int SetIcons(HICON hot, HICON normal);
    int SetBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal, COLORREF normalKey);

    Entry m_entries[2];   // 0 hot, 1 normal
    IconSource m_source;
};
