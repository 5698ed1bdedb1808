#pragma once
// Owns one GDI region until it is given to a window: SetWindowRgn makes the window
// the owner, so hand it over with Detach().

#include "CGdiObject.h"

class CRgn : public CGdiObject<HRGN> {
public:
    CRgn() = default;
    explicit CRgn(HRGN region) : CGdiObject(region) {}

    BOOL CreateRectRgn(int left, int top, int right, int bottom)
    {
        Attach(::CreateRectRgn(left, top, right, bottom));
        return m_handle != nullptr;
    }
    // This region becomes `a` combined with `b` (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF,
    // RGN_COPY); the result is the region's complexity, ERROR (0) on failure.
    int CombineRgn(HRGN a, HRGN b, int mode) { return ::CombineRgn(m_handle, a, b, mode); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(m_handle, x, y); }
};
