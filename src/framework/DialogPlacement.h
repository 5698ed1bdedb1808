#pragma once
// Where a dialog that its initialisation did not place goes: centred over its owner,
// or on the screen, inside the work area of one monitor, as the system's own dialogs
// are. Pure arithmetic over rectangles, so that any monitor layout can be checked.

#include <windows.h>

#include <vector>

struct MonitorArea {
    RECT bounds;    // the monitor in virtual-screen coordinates (negative left of or above the primary)
    RECT work;      // the part of it the taskbar and docked bars leave
    bool primary;
};

// The work area to place a dialog in: that of the monitor holding the largest part
// of `owner` (the nearest monitor when it lies on none); without an owner, that of
// the monitor under `cursor`, else the primary's. An empty rectangle when there is
// no monitor at all.
RECT PlacementWorkArea(const std::vector<MonitorArea>& monitors, const RECT* owner, POINT cursor);

// The top-left corner of a window of `width` x `height` centred over `anchor`, then
// moved just far enough to lie inside `work`; a window larger than `work` keeps its
// top-left corner (caption and system menu) inside it.
POINT CenteredPosition(int width, int height, const RECT& anchor, const RECT& work);
