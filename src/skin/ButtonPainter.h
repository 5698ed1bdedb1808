#pragma once
// Everything the skinned button draws, as one function of a device context, a
// rectangle, the look its settings and the screen give it, the state of the paint
// and what it shows. It reads no window and keeps nothing: the same arguments draw
// the same pixels, in a window's paint or in a memory bitmap.

#include "ButtonImageSet.h"
#include "ButtonLayout.h"
#include "CDC.h"
#include "CRect.h"

// The button's settings and the screen it is shown on.
struct ButtonLook {
    COLORREF colors[SKIN_COLOR_COUNT] = {};
    BYTE placement = PLACE_IMAGE_LEFT;
    bool flat = true;
    bool flatBorder = true;        // a flat button's thin edge when hovered or pressed
    bool flatFocus = false;        // a flat button's focus rectangle without keyboard cues
    bool checkBox = false;         // hovering does not light its image, a press does not shift it
    bool grayDisabledBitmap = true;
    bool parentBackground = false; // the face is the copy of the parent's pixels
    POINT imageMargin = {3, 3};    // at 96 DPI, as every size here
    POINT pressShift = {1, 1};
    bool highContrast = false;     // the system's colours, an edge always, the focus always
    int dpi = 96;
};

// The state of one paint.
struct ButtonState {
    bool pressed = false;          // held down, checked, or its menu open
    bool hot = false;              // the mouse is over it
    bool focused = false;
    bool disabled = false;
    bool cuesShown = false;        // the keyboard cues are on: the focus rectangle shows
    bool defaultButton = false;
};

// What the face shows.
struct ButtonContent {
    const char* caption = "";
    ButtonImage hot, normal;       // both empty: no image
    HDC background = nullptr;      // the parent's pixels, for look.parentBackground
};

// Draws the button over `rect` (its client area): face (or the parent's pixels),
// edge, image, caption and focus rectangle, in that order. The context's selected
// objects, colours and mode are as they were when it returns.
void PaintButton(CDC& dc, const CRect& rect, const ButtonLook& look, const ButtonState& state,
                 const ButtonContent& content);
