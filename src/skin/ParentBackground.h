#pragma once
// The copy of the parent's pixels under a button, which the button shows as its
// face: taken once, at the first paint that needs it (the parent has painted by
// then), and kept until it is dropped because the parent's look changed.

#include "CBitmap.h"
#include "CMemoryDC.h"
#include "CSelectGuard.h"

class CParentBackground {
public:
    CParentBackground() = default;
    CParentBackground(const CParentBackground&) = delete;
    CParentBackground& operator=(const CParentBackground&) = delete;

    // The kept copy for `button`, taken now from its parent's window when there is
    // none yet or the button's size has changed since; null when none could be taken.
    HDC For(HWND button);
    // Takes the copy from `source`, a context of the parent's whole client area.
    bool CaptureFrom(HDC source, HWND button);
    void Drop();

private:
    bool Capture(HDC source, SIZE size, POINT origin);

    // The selection ends before the bitmap is deleted, and that before the context.
    CCompatibleDC m_dc;
    CBitmap m_bitmap;
    CSelectGuard m_select;
    SIZE m_size = {0, 0};
};
