#pragma once
// The arithmetic of the skinned backgrounds, kept apart from any window so that the
// bands and colour steps can be checked on their own.

#include <windows.h>

namespace skin {

// The dialog's grey-to-white background: the height of one band for a picture
// `height` pixels high (height / 255, at least 1), ...
int GradientBandHeight(int height);
// ... and the value of each colour channel of a band that starts `distance` pixels
// below the picture's top: base + base * distance^2 / height^2, at most 255.
BYTE GradientShade(int base, int distance, int height);

// The two corners handed to the system's gradient fill: (left, top) in `start`,
// (right, bottom) in `end`; 16-bit channels hold the 8-bit ones in their high byte.
void MakeGradientVertices(const RECT& rect, COLORREF start, COLORREF end, TRIVERTEX vertices[2]);

// The banded fill used when the system's gradient fill is missing: 255 bands across
// the width (or down the height when vertical); band `index` (0 to 254) ...
constexpr int kGradientBands = 255;
RECT BandedGradientBand(const RECT& rect, int index, bool vertical);
// ... in this colour, which goes from `start` (band 0) to one 255th short of `end`.
COLORREF BandedGradientColor(COLORREF start, COLORREF end, int index);

} // namespace skin
