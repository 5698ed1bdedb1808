#pragma once
// Owns one GDI font.

#include "CGdiObject.h"

class CFont : public CGdiObject<HFONT> {
public:
    CFont() = default;

    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const char* faceName)
    {
        Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                             outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
        return m_handle != nullptr;
    }
};
