// Where a dialog goes on each monitor layout: over its owner on the owner's
// monitor, whatever the sign of that monitor's coordinates, and inside its work area.

#include "DialogPlacement.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// 1024 x 768 monitors; the taskbar takes 40 pixels of the primary's bottom.
const MonitorArea kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true};
const MonitorArea kLeft{{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, false};
const MonitorArea kAbove{{0, -768, 1024, 0}, {0, -738, 1024, 0}, false};

TEST(DialogPlacement, CentresOverTheOwnerInsideTheWorkAreaOfItsMonitor)
{
    struct Case {
        const char* label;
        std::vector<MonitorArea> monitors;
        std::optional<RECT> owner;
        POINT cursor;
        SIZE dialog;
        POINT expected;   // the dialog's top-left corner
    };
    const Case cases[] = {
        {"owner on the primary", {kPrimary}, RECT{100, 100, 600, 500}, {0, 0}, {400, 300}, {150, 150}},
        {"owner on a monitor left of the primary", {kPrimary, kLeft}, RECT{-1000, 200, -400, 600}, {0, 0},
         {400, 300}, {-900, 250}},
        {"owner on a monitor above the primary", {kPrimary, kAbove}, RECT{200, -600, 800, -200}, {0, 0},
         {400, 300}, {300, -550}},
        {"owner straddling, mostly on the left monitor", {kPrimary, kLeft}, RECT{-300, 100, 100, 500}, {0, 0},
         {400, 300}, {-400, 150}},
        {"owner straddling, mostly on the primary", {kLeft, kPrimary}, RECT{-150, 100, 500, 500}, {0, 0},
         {400, 300}, {0, 150}},
        {"owner on no monitor: the nearest", {kPrimary, kLeft}, RECT{-2000, 100, -1500, 500}, {0, 0}, {400, 300},
         {-1280, 150}},
        {"no owner: the cursor's monitor", {kPrimary, kLeft}, std::nullopt, {-500, 300}, {400, 300}, {-840, 362}},
        {"no owner, cursor off every monitor: the primary", {kLeft, kPrimary}, std::nullopt, {5000, 5000},
         {400, 300}, {312, 214}},
        {"dialog larger than the work area", {kPrimary}, RECT{100, 100, 600, 500}, {0, 0}, {1200, 900}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const RECT work = PlacementWorkArea(c.monitors, c.owner ? &*c.owner : nullptr, c.cursor);
        const POINT corner = CenteredPosition(c.dialog.cx, c.dialog.cy, c.owner ? *c.owner : work, work);
        EXPECT_EQ(c.expected.x, corner.x);
        EXPECT_EQ(c.expected.y, corner.y);
    }
}

} // namespace
