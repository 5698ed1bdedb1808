#pragma once
// The dots per inch a window is shown at, and pixel sizes scaled to it. The skin
// draws its fonts, images, margins and offsets in pixels designed for 96 DPI; every
// such size goes through ScaleToDpi, which leaves it exactly as it is at 96.

#include <windows.h>

namespace skin {

// The pixel density of the design sizes.
constexpr int kDesignDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10 1607 and
// later; looked up at run time, so the program still starts on Windows 7), else the
// vertical pixels per inch of the window's device context. 96 for a null window or
// when neither answers.
int WindowDpi(HWND window);

// `pixels` at 96 DPI scaled to `dpi`, rounded to the nearest pixel (halves away
// from zero). A dpi of 0 or less counts as 96.
int ScaleToDpi(int pixels, int dpi);

} // namespace skin

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
