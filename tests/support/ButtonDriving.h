#pragma once
// Driving a button in the test process and reading back what it paints.
//
// PaintOf sends WM_PRINTCLIENT into a fresh PixelCanvas: the button then asks its
// parent to draw it (WM_DRAWITEM) with its true state (pressed, focused, disabled),
// exactly as a real paint does, but into pixels the test owns.

#include "PixelCanvas.h"

#include <memory>
#include <string>

std::unique_ptr<PixelCanvas> PaintOf(HWND control);
SIZE ClientSize(HWND window);
// The smallest rectangle holding every pixel of `colour` within `area`; all zero
// when there is none.
RECT ColourBounds(const PixelCanvas& canvas, COLORREF colour, RECT area = {0, 0, 0x7FFF, 0x7FFF});
// "(left, top, right, bottom)", for checks and their messages.
std::string RectText(const RECT& r);

// Runs what is queued as the framework's modal loop would, PreTranslateMessage of
// the target window and its parents up to `dialog` included.
void PumpAsModalLoop(HWND dialog);
// The mouse moves onto the middle of `button` with `keys` held: the real cursor goes
// there too (so that the leave tracking does not end a hover behind the test's
// back), then the button gets the WM_MOUSEMOVE.
void HoverOver(HWND button, WPARAM keys = 0);

// The text of tool 1 of `tool` in whichever tooltip of this thread holds it, in
// Windows-1252; empty when none does. `balloon` tells whether that tooltip has the
// balloon style.
std::string TipText(HWND tool, bool* balloon);

// The highest slot index that 64 new GDI objects (brushes) or user objects (menus)
// take. The system hands freed slots out again first, so the mark stays put while
// everything made is released, and climbs by a slot for each object left behind.
// Under Wine GetGuiResources always answers 0: the handle values are what can be
// watched.
long GdiHighWater();
long UserHighWater();
