#include "DialogPlacement.h"

#include <algorithm>

namespace {

long long OverlapArea(const RECT& a, const RECT& b)
{
    const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Square of the gap between two rectangles, 0 when they touch or overlap.
long long GapSquared(const RECT& a, const RECT& b)
{
    const long long dx = std::max({0L, static_cast<long>(a.left - b.right), static_cast<long>(b.left - a.right)});
    const long long dy = std::max({0L, static_cast<long>(a.top - b.bottom), static_cast<long>(b.top - a.bottom)});
    return dx * dx + dy * dy;
}

bool Contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// Keeps [start, start + length) inside [low, high) when it fits, else starts at low.
long Clamp(long start, long length, long low, long high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

RECT PlacementWorkArea(const std::vector<MonitorArea>& monitors, const RECT* owner, POINT cursor)
{
    const MonitorArea* chosen = nullptr;
    if (owner) {
        long long bestOverlap = 0;
        long long bestGap = 0;
        for (const MonitorArea& monitor : monitors) {
            const long long overlap = OverlapArea(monitor.bounds, *owner);
            const long long gap = GapSquared(monitor.bounds, *owner);
            if (!chosen || overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap)) {
                chosen = &monitor;
                bestOverlap = overlap;
                bestGap = gap;
            }
        }
    } else {
        for (const MonitorArea& monitor : monitors)
            if (Contains(monitor.bounds, cursor))
                chosen = &monitor;
        for (const MonitorArea& monitor : monitors)
            if (!chosen && monitor.primary)
                chosen = &monitor;
        if (!chosen && !monitors.empty())
            chosen = &monitors.front();
    }
    return chosen ? chosen->work : RECT{0, 0, 0, 0};
}

POINT CenteredPosition(int width, int height, const RECT& anchor, const RECT& work)
{
    const long x = anchor.left + (anchor.right - anchor.left - width) / 2;
    const long y = anchor.top + (anchor.bottom - anchor.top - height) / 2;
    return {Clamp(x, width, work.left, work.right), Clamp(y, height, work.top, work.bottom)};
}
