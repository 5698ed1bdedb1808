#pragma once
// Where a background bitmap of bw x bh goes in a client area of cw x ch for each of
// the skinned dialog's draw modes.

#include <windows.h>

#include <vector>

namespace skin {

// The top-left corners of the copies of the whole bitmap, in client coordinates.
// Tiles repeat every bw (bh) pixels from 0 while the position is below cw (ch);
// centred offsets are (client - bitmap) / 2, negative for a bitmap larger than the
// client area, which is then cropped equally on both sides. DRAWMODE_STRETCH (2)
// gives no corner (the bitmap is stretched over the whole area), nor does a mode
// above 12 or an empty bitmap.
std::vector<POINT> BitmapOrigins(BYTE mode, int cw, int ch, int bw, int bh);

} // namespace skin
