// Where the fixed-size windows go in the work area of a monitor.
#include <gtest/gtest.h>

#include "screen/placement.h"

namespace {

TEST(Placement, CentredInTheWorkAreaWithTheCaptionOnIt) {
    struct Case {
        int width, height; // outer size
        LayoutRect work;
        WindowPlace place;
    };
    const Case cases[] = {
        {1036, 759, {0, 0, 1920, 1040}, {442, 140}},     // 1080p, a 40-pixel taskbar below
        {1036, 759, {0, 0, 1366, 728}, {165, 0}},        // 1366 x 768: taller than the work area
        {1036, 759, {0, 40, 1366, 728}, {165, 40}},      // the taskbar above
        {1036, 759, {60, 0, 1306, 768}, {195, 4}},       // the taskbar on the left
        {1036, 759, {1920, 0, 2560, 1400}, {2682, 320}}, // the second monitor, right of the first
        {1036, 759, {-1280, -200, 1280, 984}, {-1158, -88}}, // a monitor above and left
        {1036, 759, {0, 0, 1024, 728}, {0, 0}},              // smaller both ways
        {1036, 759, {0, 0, 1036, 759}, {0, 0}},              // exactly
    };
    for (const Case& c : cases) {
        const WindowPlace place = place_in_work_area(c.width, c.height, c.work);
        EXPECT_EQ(place.x, c.place.x) << c.work.x << "," << c.work.y << " " << c.work.width;
        EXPECT_EQ(place.y, c.place.y) << c.work.x << "," << c.work.y << " " << c.work.height;
        // The caption's top-left corner is always inside the work area.
        EXPECT_GE(place.x, c.work.x);
        EXPECT_GE(place.y, c.work.y);
    }
}

} // namespace
