#pragma once
// The colour arithmetic of the skinned button: the grayed and darkened copies of an
// image and the shading of a state colour. Pure functions over COLORREF values and
// pixel buffers, so they can be checked without a window or a device context.

#include <windows.h>

#include <cstddef>

// Luminance gray: g = truncate(0.299 R + 0.587 G + 0.114 B), in exact integer
// arithmetic so that a gray pixel stays the gray it was (floating point turns
// RGB(1, 1, 1) into black, which an icon copy would then take for transparent).
COLORREF GrayColor(COLORREF colour);

// Each byte c becomes truncate(c - factor * c). A factor not above 0 or above 1 leaves
// the colour unchanged.
COLORREF DarkenColor(COLORREF colour, double factor);

// The factor the darkened button images use.
constexpr double kDarkenFactor = 0.25;

enum class PixelConversion { Gray, Dark };

// Converts every pixel of the buffer except those equal to `keep` (the key colour of a
// bitmap, or black, the transparent part of an icon's colour plane), which stay as
// they are.
void ConvertPixels(COLORREF* pixels, std::size_t count, COLORREF keep, PixelConversion conversion);

// The amount `shade` brings a colour's three bytes: a positive shade is lowered so
// that no byte passes 255, a negative one raised so that none falls below 0. The
// caller checks that the shade lies within -255..255.
int ShadeAmount(COLORREF colour, int shade);

// The colour with ShadeAmount added to each byte; the differences between the bytes
// stay the same.
COLORREF ShadeColor(COLORREF colour, int shade);
