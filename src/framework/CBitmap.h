#pragma once
// Owns one GDI bitmap.

#include "CGdiObject.h"

class CBitmap : public CGdiObject<HBITMAP> {
public:
    CBitmap() = default;
    explicit CBitmap(HBITMAP bitmap) : CGdiObject(bitmap) {}

    // A bitmap in the format of `dc`'s current bitmap (for a screen context, the
    // screen's); a memory context just created holds a 1 x 1 monochrome one.
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height)
    {
        Attach(::CreateCompatibleBitmap(dc, width, height));
        return m_handle != nullptr;
    }
    // Loads bitmap resource `id` of `instance` (null: the program) in its own format.
    BOOL LoadBitmap(UINT id, HINSTANCE instance = nullptr)
    {
        Attach(static_cast<HBITMAP>(::LoadImageA(instance ? instance : ::GetModuleHandleA(nullptr),
                                                 MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        return m_handle != nullptr;
    }
    // Fills `info` from the bitmap object; 0 when it cannot be queried.
    int GetBitmap(BITMAP* info) const { return ::GetObjectA(m_handle, sizeof(BITMAP), info); }
};
