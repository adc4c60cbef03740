// The display scale: from the DPI, lowered to fit the work area, never below 0.75; rectangles
// scaled by their edges; and where a window goes when it moves to another monitor.
#include <gtest/gtest.h>

#include "screen/placement.h"
#include "screen/scale.h"

namespace {

TEST(DisplayScale, TheDpiLoweredToFitTheWorkArea) {
    struct Case {
        int dpi;
        int frame_width, frame_height; // caption and borders at that DPI
        LayoutRect work;
        double scale;
    };
    // The tool window: 1020 x 720 client pixels at 96 DPI.
    const Case cases[] = {
        {96, 16, 39, {0, 0, 1920, 1040}, 1.0},                  // 1080p, a 40-pixel taskbar
        {96, 16, 39, {0, 0, 1366, 768}, 1.0},                   // 1366 x 768 without a taskbar
        {96, 16, 39, {0, 0, 1366, 728}, (728.0 - 39) / 720},    // ... with one: lowered
        {96, 16, 39, {0, 40, 1366, 728}, (728.0 - 39) / 720},   // the taskbar above
        {96, 16, 39, {0, 0, 800, 600}, (800.0 - 16) / 1020},    // the width binds first
        {96, 16, 39, {0, 0, 640, 480}, 0.75},                   // never below 0.75
        {120, 20, 48, {0, 0, 1920, 1040}, 1.25},                // 125 %
        {144, 22, 54, {0, 0, 2560, 1400}, 1.5},                 // 150 % where it fits
        {144, 22, 54, {0, 0, 1920, 1040}, (1040.0 - 54) / 720}, // 150 % on a 1080p laptop
        {192, 28, 70, {0, 0, 3840, 2120}, 2.0},                 // 4K at 200 %
        {192, 28, 70, {0, 0, 1920, 1040}, (1040.0 - 70) / 720},
        {0, 16, 39, {0, 0, 1920, 1040}, 1.0}, // a DPI that could not be read
    };
    for (const Case& c : cases) {
        const double scale = display_scale(c.dpi, 1020, 720, c.frame_width, c.frame_height, c.work);
        EXPECT_DOUBLE_EQ(scale, c.scale)
            << c.dpi << " dpi on " << c.work.width << "x" << c.work.height;
        // Unless held at its floor, the rounded window fits the work area whole.
        if (scale > MIN_SCALE) {
            EXPECT_LE(scaled_length(1020, scale) + c.frame_width, c.work.width);
            EXPECT_LE(scaled_length(720, scale) + c.frame_height, c.work.height);
        }
    }
}

TEST(DisplayScale, RectanglesScaleByTheirEdges) {
    // Two rectangles that touch, and one 8 pixels apart, at every scale the window can have.
    const LayoutRect left = {20, 668, 152, 40};
    const LayoutRect right = {172, 668, 132, 40};
    const LayoutRect apart = {312, 668, 132, 40};
    for (int step = 0; step <= 50; ++step) {
        const double scale = 0.75 + step * 0.025;
        const LayoutRect a = scaled_rect(left, scale);
        const LayoutRect b = scaled_rect(right, scale);
        const LayoutRect c = scaled_rect(apart, scale);
        EXPECT_EQ(a.right(), b.x) << scale;
        EXPECT_GT(c.x, b.right()) << scale;
        EXPECT_EQ(a.y, b.y) << scale;
        EXPECT_EQ(a.bottom(), b.bottom()) << scale;
        EXPECT_LE(std::abs(a.width - 152 * scale), 1.0) << scale;
    }
    // At 1 every pixel is the layout's; halves round away from zero, above and below the origin.
    const LayoutRect edit = {216, -4, 152, 27};
    const LayoutRect same = scaled_rect(edit, 1.0);
    EXPECT_EQ(same.x, 216);
    EXPECT_EQ(same.y, -4);
    EXPECT_EQ(same.width, 152);
    EXPECT_EQ(same.height, 27);
    EXPECT_EQ(scaled_length(-5, 1.5), -8);
    EXPECT_EQ(scaled_length(5, 1.5), 8);
    EXPECT_EQ(scaled_length(12, 0.75), 9);
    EXPECT_EQ(scaled_length(14, 0.75), 11);
}

TEST(Placement, AMovedWindowStaysInItsNewWorkArea) {
    struct Case {
        int x, y;
        int width, height;
        LayoutRect work;
        WindowPlace place;
    };
    const Case cases[] = {
        {100, 50, 1036, 759, {0, 0, 1920, 1040}, {100, 50}},         // inside: where suggested
        {1500, 600, 1036, 759, {0, 0, 1920, 1040}, {884, 281}},      // past the right and bottom
        {-30, -10, 1036, 759, {0, 0, 1920, 1040}, {0, 0}},           // past the left and top
        {2000, 100, 1546, 1134, {1920, 0, 2560, 1400}, {2000, 100}}, // the second monitor
        {100, 100, 1036, 759, {0, 0, 1366, 728}, {100, 0}},          // taller than the work area
    };
    for (const Case& c : cases) {
        const WindowPlace place = keep_in_work_area(c.x, c.y, c.width, c.height, c.work);
        EXPECT_EQ(place.x, c.place.x) << c.x << "," << c.y;
        EXPECT_EQ(place.y, c.place.y) << c.x << "," << c.y;
    }
}

} // namespace
