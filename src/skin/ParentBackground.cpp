#include "ParentBackground.h"

#include "CWindowDC.h"

namespace {

SIZE ClientSizeOf(HWND window)
{
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// The button's top-left corner in its parent's client area.
POINT OriginInParent(HWND button)
{
    RECT window = {0, 0, 0, 0};
    ::GetWindowRect(button, &window);
    ::MapWindowPoints(nullptr, ::GetParent(button), reinterpret_cast<POINT*>(&window), 2);
    return {window.left, window.top};
}

} // namespace

HDC CParentBackground::For(HWND button)
{
    const SIZE size = ClientSizeOf(button);
    if (m_dc.GetSafeHdc() && (size.cx != m_size.cx || size.cy != m_size.cy))
        Drop();
    if (!m_dc.GetSafeHdc()) {
        CClientDC parent(::GetParent(button));
        if (parent.GetSafeHdc())
            Capture(parent, size, OriginInParent(button));
    }
    return m_dc.GetSafeHdc();
}

bool CParentBackground::CaptureFrom(HDC source, HWND button)
{
    return Capture(source, ClientSizeOf(button), OriginInParent(button));
}

bool CParentBackground::Capture(HDC source, SIZE size, POINT origin)
{
    Drop();
    if (!m_dc.CreateCompatibleDC(source) || !m_bitmap.CreateCompatibleBitmap(source, size.cx, size.cy) ||
        !m_select.Select(m_dc, m_bitmap)) {
        Drop();
        return false;
    }
    m_dc.BitBlt(0, 0, size.cx, size.cy, source, origin.x, origin.y, SRCCOPY);
    m_size = size;
    return true;
}

void CParentBackground::Drop()
{
    m_select.Restore();
    m_bitmap.DeleteObject();
    m_dc.DeleteDC();
    m_size = {0, 0};
}
