// One factor by which a window's every rectangle and font height grows with the display: its
// DPI over 96, lowered so that the outer window fits the work area of its monitor, never below
// MIN_SCALE. At 96 DPI on a screen the window fits, the factor is 1 and every pixel is the
// layout's own.
#pragma once

#include "screen/layout.h"

constexpr int BASE_DPI = 96;
constexpr double MIN_SCALE = 0.75;

// The factor for a window of base client size client_width x client_height whose frame (caption
// and borders at that DPI) adds frame_width x frame_height, on a monitor of that DPI and work
// area.
double display_scale(int dpi, int client_width, int client_height, int frame_width,
                     int frame_height, const LayoutRect& work);

// A length at the scale, rounded to whole pixels (halves away from zero).
int scaled_length(int length, double scale);

// A rectangle at the scale: its edges are scaled, not its size, so that rectangles that touch or
// keep apart at 96 DPI still do.
LayoutRect scaled_rect(const LayoutRect& rect, double scale);
