#pragma once
// Owns one GDI brush.

#include "CGdiObject.h"

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) : CGdiObject(::CreateSolidBrush(color)) {}

    BOOL CreateSolidBrush(COLORREF color)
    {
        Attach(::CreateSolidBrush(color));
        return m_handle != nullptr;
    }
};
