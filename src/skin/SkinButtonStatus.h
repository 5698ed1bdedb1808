#pragma once
// What the skinned button's setters answer, and the stand-ins for a normal image
// that the button derives from the hot one.

#include <windows.h>

// Status of the setters.
enum : int {
    SKIN_BUTTON_OK = 0,
    SKIN_BUTTON_LOAD_FAILED = 1,      // a resource, cursor, menu or image failed to load or be queried
    SKIN_BUTTON_MASK_FAILED = 2,      // a transparency mask could not be made
    SKIN_BUTTON_BAD_COLOR = 3,        // colour index above 5
    SKIN_BUTTON_BAD_PLACEMENT = 4,    // placement above 3
    SKIN_BUTTON_BAD_VALUE = 5,        // shade outside -255..255, or no background to capture
    SKIN_BUTTON_BAD_PRESS_STYLE = 6,  // press style other than 0 or 1
};

// Given in place of the normal image (icon, bitmap or resource id): derive it from
// the hot one.
constexpr INT_PTR SKIN_IMAGE_GRAYED = -2;
constexpr INT_PTR SKIN_IMAGE_DARKENED = -3;
// The special value as an image handle, for AssignIcons and AssignBitmaps.
template <class Handle>
Handle SkinImage(INT_PTR special) { return reinterpret_cast<Handle>(special); }
