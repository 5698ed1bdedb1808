#pragma once
// What GetIconInfo tells of an icon. GetIconInfo hands back two new bitmaps (the
// mask and the colour plane) that the caller must delete; this object owns them.

#include "CBitmap.h"

class CIconInfo {
public:
    CIconInfo() = default;
    // Reads `icon`; see Read.
    explicit CIconInfo(HICON icon) { Read(icon); }
    CIconInfo(const CIconInfo&) = delete;
    CIconInfo& operator=(const CIconInfo&) = delete;

    // FALSE, holding nothing, when the icon's information cannot be read.
    BOOL Read(HICON icon)
    {
        m_mask.DeleteObject();
        m_color.DeleteObject();
        ICONINFO info{};
        if (!icon || !::GetIconInfo(icon, &info)) {
            m_info = ICONINFO{};
            return FALSE;
        }
        m_mask.Attach(info.hbmMask);
        m_color.Attach(info.hbmColor);   // null for a monochrome icon
        m_info = info;
        return TRUE;
    }

    BOOL IsIcon() const { return m_info.fIcon; }
    // An icon's hotspot is its centre: the icon is twice the hotspot wide and high.
    SIZE SizeFromHotspot() const
    {
        return SIZE{2 * static_cast<LONG>(m_info.xHotspot), 2 * static_cast<LONG>(m_info.yHotspot)};
    }
    const CBitmap& Mask() const { return m_mask; }
    const CBitmap& Color() const { return m_color; }

private:
    ICONINFO m_info{};
    CBitmap m_mask;
    CBitmap m_color;
};
