#include "screen/scale.h"

#include <cmath>

double display_scale(int dpi, int client_width, int client_height, int frame_width,
                     int frame_height, const LayoutRect& work) {
    double scale = dpi > 0 ? static_cast<double>(dpi) / BASE_DPI : 1.0;
    // The largest factor whose client area, rounded, still leaves room for the frame: a rounded
    // length never exceeds a whole number of pixels that the unrounded one does not.
    if (client_width > 0) {
        const double fit = static_cast<double>(work.width - frame_width) / client_width;
        if (fit < scale) scale = fit;
    }
    if (client_height > 0) {
        const double fit = static_cast<double>(work.height - frame_height) / client_height;
        if (fit < scale) scale = fit;
    }
    return scale < MIN_SCALE ? MIN_SCALE : scale;
}

int scaled_length(int length, double scale) {
    return static_cast<int>(std::lround(length * scale));
}

LayoutRect scaled_rect(const LayoutRect& rect, double scale) {
    const int x = scaled_length(rect.x, scale);
    const int y = scaled_length(rect.y, scale);
    return {x, y, scaled_length(rect.right(), scale) - x, scaled_length(rect.bottom(), scale) - y};
}
