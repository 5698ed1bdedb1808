#pragma once
// Owns one GDI pen.

#include "CGdiObject.h"

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) : CGdiObject(::CreatePen(style, width, color)) {}

    BOOL CreatePen(int style, int width, COLORREF color)
    {
        Attach(::CreatePen(style, width, color));
        return m_handle != nullptr;
    }
};
