#include "ButtonLayout.h"

namespace {
void CentreX(RECT& r, int width, int w) { r.left += (width - w) / 2; }
void CentreY(RECT& r, int height, int h) { r.top += (height - h) / 2; }
} // namespace

ImageLayout PlaceImage(const ImagePlacementInput& in)
{
    ImageLayout out = {in.item, in.caption};
    RECT& image = out.image;
    RECT& caption = out.caption;
    const int width = in.item.right - in.item.left;
    const int height = in.item.bottom - in.item.top;
    const int w = in.image.cx, h = in.image.cy;

    switch (in.placement) {
    case PLACE_IMAGE_LEFT:
        if (in.hasCaption) {
            image.left += in.margin.x;
            caption.left += w + in.margin.x;
        } else {
            CentreX(image, width, w);
        }
        CentreY(image, height, h);
        break;
    case PLACE_IMAGE_ABOVE:
        CentreX(image, width, w);
        if (in.hasCaption) {
            image.top = in.margin.y;
            caption.top += h;
        } else {
            CentreY(image, height, h);
        }
        break;
    case PLACE_IMAGE_RIGHT:
        if (in.hasCaption) {
            caption.right = (caption.right - caption.left) - w - in.margin.x;
            caption.left = in.margin.x;
            image.left = in.clientWidth - w - in.margin.x;
            CentreY(image, height, h);
        } else {
            CentreX(image, width, w);
            CentreY(image, height, h);
        }
        break;
    default:
        break;
    }
    if (in.shifted)
        ::OffsetRect(&image, in.shift.x, in.shift.y);
    return out;
}

RECT CentreTextBlock(const RECT& saved, const RECT& measured)
{
    RECT out = measured;
    const int dx = ((saved.right - saved.left) - (measured.right - measured.left)) / 2;
    const int dy = ((saved.bottom - saved.top) - (measured.bottom - measured.top)) / 2;
    ::OffsetRect(&out, dx, dy);
    return out;
}

int ImageEntryFor(bool pressed, bool hover, bool isCheckBox, bool hasNormal)
{
    if (pressed || (hover && !isCheckBox))
        return 0;
    return hasNormal ? 1 : 0;
}

BYTE FaceColorIndex(bool hoverOrPressed, bool focused)
{
    if (hoverOrPressed)
        return SKIN_COLOR_HOT_BACK;
    return focused ? SKIN_COLOR_FOCUS_BACK : SKIN_COLOR_NORMAL_BACK;
}
