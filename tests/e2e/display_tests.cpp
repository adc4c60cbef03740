// End-to-end tests of the display scale, each in a pass of its own that the runner prepares:
// with the prefix's DPI set (--dpi=N) on a screen large enough for the window at that DPI, and on
// a 1366 x 768 screen whose work area ends 40 pixels above its bottom (--small-screen).
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/e2e/window_driver.h"

namespace {

int scaled(int length, double scale) { return static_cast<int>(std::lround(length * scale)); }

// A control's rectangle in its parent's client pixels.
RECT client_rect_of(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The layout rectangle at the scale, by its edges.
RECT expected_rect(const LayoutRect& rect, double scale) {
    return {scaled(rect.x, scale), scaled(rect.y, scale), scaled(rect.right(), scale),
            scaled(rect.bottom(), scale)};
}

void expect_rect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

TEST(DisplayScale, ClientAndControlsGrowWithTheDpi) {
    if (display_dpi == 0) GTEST_SKIP() << "runs in the passes with the prefix's DPI set";
    ProgramWindow window;
    ASSERT_TRUE(window.start());
    // The screen holds the window at every DPI of the passes: the factor is the DPI's own.
    const double scale = display_dpi / 96.0;
    std::printf("DPI %d: scale %.4f\n", display_dpi, scale);
    EXPECT_EQ(static_cast<int>(GetDpiForWindow(window.main())), display_dpi);
    RECT client;
    GetClientRect(window.main(), &client);
    EXPECT_EQ(client.right, scaled(layout::CLIENT_WIDTH, scale));
    EXPECT_EQ(client.bottom, scaled(layout::CLIENT_HEIGHT, scale));
    const LayoutRect first_edit = {layout::ROW_EDIT.x, layout::row_base(0) + layout::ROW_EDIT.y,
                                   layout::ROW_EDIT.width, layout::ROW_EDIT.height};
    expect_rect(client_rect_of(window.edit(0)), expected_rect(first_edit, scale), "first input");
    expect_rect(client_rect_of(window.control(ID_CALC)), expected_rect(layout::BUTTONS[0], scale),
                "Calculate");
    // The guide's text is measured in the scaled font: its heading is not cut.
    ASSERT_NE(window.guide(), nullptr);
    expect_rect(client_rect_of(window.guide()), expected_rect(layout::guide_area(6), scale),
                "guide");
    if (display_dpi == 144) {
        EXPECT_TRUE(window.save_screenshot(L"braden_144dpi.bmp"));
    }
    window.stop();
}

TEST(SmallScreen, TheWholeWindowLiesAboveTheTaskbar) {
    if (!small_screen) GTEST_SKIP() << "runs in the pass on a 1366 x 768 screen";
    RECT work;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    ASSERT_EQ(work.bottom, 728) << "the runner sets a work area 40 pixels above the bottom";
    for (const wchar_t* program : {L"padua-vte", L"braden"}) {
        ProgramWindow window;
        ASSERT_TRUE(window.start(program_folder() + L"\\" + program + L".exe"));
        RECT outer;
        GetWindowRect(window.main(), &outer);
        RECT client;
        GetClientRect(window.main(), &client);
        std::printf("%ls on 1366 x 768: window %ld,%ld-%ld,%ld, client %ldx%ld, scale %.4f\n",
                    program, outer.left, outer.top, outer.right, outer.bottom, client.right,
                    client.bottom, client.bottom / 720.0);
        EXPECT_GE(outer.left, work.left);
        EXPECT_GE(outer.top, work.top);
        EXPECT_LE(outer.right, work.right);
        EXPECT_LE(outer.bottom, work.bottom) << "the window hangs under the taskbar";
        // Lowered to fit, the buttons and the status line still lie inside the client area.
        EXPECT_LT(client.bottom, layout::CLIENT_HEIGHT);
        const RECT calc = client_rect_of(window.control(ID_CALC));
        EXPECT_LE(calc.bottom, client.bottom);
        if (std::wstring(program) == L"padua-vte") {
            EXPECT_TRUE(save_screen_screenshot(L"padua-vte_1366x768.bmp"));
        }
        window.stop();
    }
}

} // namespace
