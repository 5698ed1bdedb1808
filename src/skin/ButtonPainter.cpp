#include "ButtonPainter.h"

#include "CBrush.h"
#include "CMemoryDC.h"
#include "CPen.h"
#include "CSelectGuard.h"
#include "DpiScale.h"

namespace {

// One paint: the arguments of PaintButton, and the sizes at the look's DPI.
class Painter {
public:
    Painter(CDC& dc, const ButtonLook& look, const ButtonState& state) : m_dc(dc), m_look(look), m_state(state) {}

    void Face(CRect& rect) const;
    void Edge(const CRect& rect) const;
    // Both place the image and give the caption what is left of `caption`.
    void Icon(const ButtonImage& image, bool hasCaption, const CRect& item, CRect& caption) const;
    void Bitmap(const ButtonImage& image, bool hasCaption, const CRect& item, CRect& caption) const;
    void Caption(const char* text, CRect& caption) const;
    void Focus(const CRect& rect) const;

    int Scaled(int pixels) const { return skin::ScaleToDpi(pixels, m_look.dpi); }

private:
    bool Shifted() const { return m_state.pressed && !m_look.checkBox; }
    ImageLayout Place(SIZE image, bool hasCaption, const CRect& item, const CRect& caption) const;

    CDC& m_dc;
    const ButtonLook& m_look;
    const ButtonState& m_state;
};

void Painter::Face(CRect& rect) const
{
    if (m_look.highContrast) {
        m_dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    if (!m_look.flat && (m_state.focused || m_state.defaultButton)) {
        CBrush black(RGB(0, 0, 0));
        m_dc.FrameRect(rect, black);
        rect.DeflateRect(1, 1);
    }
    m_dc.FillSolidRect(rect, m_look.colors[FaceColorIndex(m_state.hot || m_state.pressed, m_state.focused)]);
}

void Painter::Edge(const CRect& rect) const
{
    if (m_look.highContrast) {
        // Always an edge in the text colour, so the button shows where it is; a second
        // one inside while hovered, pressed or the default button.
        CBrush edge(::GetSysColor(COLOR_BTNTEXT));
        m_dc.FrameRect(rect, edge);
        if (m_state.hot || m_state.pressed || m_state.defaultButton) {
            CRect inner = rect;
            inner.DeflateRect(1, 1);
            m_dc.FrameRect(inner, edge);
        }
        return;
    }
    if (m_state.pressed) {
        if (!m_look.flat) {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            m_dc.FrameRect(rect, shadow);
        } else if (m_look.flatBorder) {
            m_dc.Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        return;
    }
    if (!m_look.flat) {
        const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
        struct Line { int colour; POINT points[3]; };
        const Line lines[] = {
            {COLOR_BTNHIGHLIGHT, {{l, b - 1}, {l, t}, {r, t}}},
            {COLOR_3DLIGHT, {{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}}},
            {COLOR_3DDKSHADOW, {{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}},
            {COLOR_BTNSHADOW, {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}}},
        };
        for (const Line& line : lines) {
            CPen pen(PS_SOLID, 1, ::GetSysColor(line.colour));
            CSelectGuard select(m_dc, pen);
            m_dc.MoveTo(line.points[0].x, line.points[0].y);
            m_dc.LineTo(line.points[1].x, line.points[1].y);
            m_dc.LineTo(line.points[2].x, line.points[2].y);
        }
        return;
    }
    if (m_state.hot && m_look.flatBorder)
        m_dc.Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

ImageLayout Painter::Place(SIZE image, bool hasCaption, const CRect& item, const CRect& caption) const
{
    ImagePlacementInput in{};
    in.item = item;
    in.caption = caption;
    in.image = image;
    in.placement = m_look.placement;
    in.hasCaption = hasCaption;
    in.margin = {Scaled(m_look.imageMargin.x), Scaled(m_look.imageMargin.y)};
    in.clientWidth = item.Width();
    in.shifted = Shifted();
    in.shift = {Scaled(m_look.pressShift.x), Scaled(m_look.pressShift.y)};
    return PlaceImage(in);
}

void Painter::Icon(const ButtonImage& image, bool hasCaption, const CRect& item, CRect& caption) const
{
    const ImageLayout layout = Place(image.size, hasCaption, item, caption);
    caption = layout.caption;
    ::DrawStateA(m_dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image.icon), 0, layout.image.left,
                 layout.image.top, image.size.cx, image.size.cy,
                 DST_ICON | (m_state.disabled ? DSS_DISABLED : DSS_NORMAL));
}

void Painter::Bitmap(const ButtonImage& image, bool hasCaption, const CRect& item, CRect& caption) const
{
    const ImageLayout layout = Place(image.size, hasCaption, item, caption);
    caption = layout.caption;
    const int x = layout.image.left, y = layout.image.top, w = image.size.cx, h = image.size.cy;

    CCompatibleDC source(m_dc);
    if (!source.GetSafeHdc())
        return;
    if (!(m_state.disabled && m_look.grayDisabledBitmap)) {
        // The mask's 1 bits take the context's background colour (white, set by
        // PaintButton) and its 0 bits the text colour, which must be black.
        const COLORREF oldText = m_dc.SetTextColor(RGB(0, 0, 0));
        CSelectGuard mask(source, image.mask);
        m_dc.BitBlt(x, y, w, h, source, 0, 0, SRCAND);
        CSelectGuard bitmap(source, image.bitmap);
        m_dc.BitBlt(x, y, w, h, source, 0, 0, SRCPAINT);
        m_dc.SetTextColor(oldText);
        return;
    }
    // Disabled: the image composed over white, then embossed by the system.
    CCompatibleDC composed(m_dc);
    CBitmap picture;
    if (!composed.GetSafeHdc() || !picture.CreateCompatibleBitmap(m_dc, w, h))
        return;
    {
        CSelectGuard into(composed, picture);
        if (!into.IsSelected())
            return;
        composed.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
        const COLORREF oldBack = composed.SetBkColor(RGB(255, 255, 255));
        CSelectGuard mask(source, image.mask);
        composed.BitBlt(0, 0, w, h, source, 0, 0, SRCAND);
        CSelectGuard bitmap(source, image.bitmap);
        composed.BitBlt(0, 0, w, h, source, 0, 0, SRCPAINT);
        composed.SetBkColor(oldBack);
    }
    // DrawState selects the bitmap into a context of its own: it is out of ours now.
    ::DrawStateA(m_dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.GetSafeHandle()), 0, x, y, w, h,
                 DST_BITMAP | DSS_DISABLED);
}

void Painter::Caption(const char* text, CRect& caption) const
{
    if (Shifted())
        caption.OffsetRect(Scaled(m_look.pressShift.x), Scaled(m_look.pressShift.y));
    const CRect saved = caption;
    m_dc.DrawText(text, -1, &caption, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    caption = CentreTextBlock(saved, caption);

    if (m_look.highContrast) {
        m_dc.SetTextColor(::GetSysColor(m_state.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        m_dc.DrawText(text, -1, &caption, DT_WORDBREAK | DT_CENTER);
        return;
    }
    if (m_state.disabled) {
        caption.OffsetRect(1, 1);
        m_dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        m_dc.DrawText(text, -1, &caption, DT_WORDBREAK | DT_CENTER);
        caption.OffsetRect(-1, -1);
        m_dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        m_dc.DrawText(text, -1, &caption, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const BYTE back = FaceColorIndex(m_state.hot || m_state.pressed, m_state.focused);
    m_dc.SetTextColor(m_look.colors[back + 1]);
    m_dc.SetBkColor(m_look.colors[back]);
    m_dc.DrawText(text, -1, &caption, DT_WORDBREAK | DT_CENTER);
}

void Painter::Focus(const CRect& rect) const
{
    // A user of the mouse alone sees the flat button as it always looked; the
    // non-flat and flat-focus looks always showed the focus.
    const bool shows = m_look.highContrast || m_state.cuesShown || !m_look.flat || m_look.flatFocus;
    if (!m_state.focused || !shows)
        return;
    CRect focus = rect;
    focus.DeflateRect(Scaled(3), Scaled(3));
    if (m_look.highContrast) {
        // The dotted rectangle inverts what lies under it; over the system's face
        // and text colours it stays in the contrast the user chose.
        m_dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        m_dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    }
    m_dc.DrawFocusRect(focus);
}

} // namespace

void PaintButton(CDC& dc, const CRect& rect, const ButtonLook& look, const ButtonState& state,
                 const ButtonContent& content)
{
    const int saved = ::SaveDC(dc);
    const Painter paint(dc, look, state);
    CRect working(rect);
    dc.SetBkMode(TRANSPARENT);
    if (look.parentBackground && !look.highContrast) {
        if (content.background)
            dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), content.background, 0, 0, SRCCOPY);
    } else {
        paint.Face(working);   // may shrink `working`: the edge and the focus follow it
    }
    paint.Edge(working);

    const bool hasCaption = content.caption && *content.caption;
    CRect caption(rect);
    if (content.hot.icon || content.hot.bitmap) {
        const bool hasNormal = content.normal.icon || content.normal.bitmap;
        const ButtonImage& image =
            ImageEntryFor(state.pressed, state.hot, look.checkBox, hasNormal) == 0 ? content.hot : content.normal;
        if (image.icon) {
            paint.Icon(image, hasCaption, rect, caption);
        } else {
            dc.SetBkColor(RGB(255, 255, 255));
            paint.Bitmap(image, hasCaption, rect, caption);
        }
    }
    if (hasCaption)
        paint.Caption(content.caption, caption);
    paint.Focus(working);
    ::RestoreDC(dc, saved);
}
