#pragma once
// Where the skinned button puts its image and caption, and which image and colours a
// paint uses: pure functions of the button's state, checked without a window.

#include <windows.h>

// Image placement relative to the caption.
enum : BYTE {
    PLACE_IMAGE_LEFT = 0,    // image left, caption to its right
    PLACE_IMAGE_ABOVE = 1,   // image above the caption
    PLACE_IMAGE_RIGHT = 2,   // caption left, image at the right edge
    // 3 is accepted too: the image stays at the top-left corner and the caption uses
    // the whole button.
};

// Indexes of the six state colours.
enum : BYTE {
    SKIN_COLOR_HOT_BACK = 0,      // face while hovered or pressed
    SKIN_COLOR_HOT_TEXT = 1,
    SKIN_COLOR_NORMAL_BACK = 2,   // face otherwise
    SKIN_COLOR_NORMAL_TEXT = 3,
    SKIN_COLOR_FOCUS_BACK = 4,    // face when focused, not hovered or pressed
    SKIN_COLOR_FOCUS_TEXT = 5,
    SKIN_COLOR_COUNT = 6,
};

struct ImageLayout {
    RECT image;     // the image's top-left corner is what is drawn at
    RECT caption;   // what is left for the caption
};

struct ImagePlacementInput {
    RECT item;            // the owner-draw item rectangle
    RECT caption;         // the caption rectangle so far
    SIZE image;           // the image's size
    BYTE placement;       // PLACE_IMAGE_*
    bool hasCaption;
    POINT margin;         // m_imageMarginX, m_imageMarginY
    int clientWidth;      // the button's client width
    bool shifted;         // pressed and not a check box
    POINT shift;          // m_pressShiftX, m_pressShiftY
};

// The image rectangle for the three placements. Centring truncates toward zero. An
// image at the right without a caption is centred both ways, as the other placements
// centre a caption-less image.
ImageLayout PlaceImage(const ImagePlacementInput& in);

// `measured` (a DT_CALCRECT result laid at the top-left of `saved`) moved so that the
// text block is centred in `saved`.
RECT CentreTextBlock(const RECT& saved, const RECT& measured);

// Which image a paint shows: 0 (hot) when pressed, or hovered and not a check box;
// otherwise 1 when a normal image exists, else 0.
int ImageEntryFor(bool pressed, bool hover, bool isCheckBox, bool hasNormal);

// The background colour index of a paint; the text colour is the next index.
BYTE FaceColorIndex(bool hoverOrPressed, bool focused);
