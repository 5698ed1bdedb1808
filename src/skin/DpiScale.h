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

// The DPI `window` is shown at: the one its top-level window was last told in
// WM_DPICHANGED (KeepShownDpi), else WindowDpi. Read when it is needed, at paint
// time, so that nothing has to be told of a change.
int ShownDpi(HWND window);
// Records on the top-level window `window` the DPI its WM_DPICHANGED gave, for the
// windows inside it (0 removes the record, which must go before the window does).
// The message is what says the density changed; GetDpiForWindow does not always
// follow it (Wine has no per-monitor DPI).
void KeepShownDpi(HWND window, int dpi);

// `pixels` at 96 DPI scaled to `dpi`, rounded to the nearest pixel (halves away
// from zero). A dpi of 0 or less counts as 96.
int ScaleToDpi(int pixels, int dpi);

} // namespace skin

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
