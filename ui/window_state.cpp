#include "ui/window_state.h"

#include "screen/scale.h"
#include "window_kit/app_window.h"
#include "window_kit/drawing.h"

WindowState window_state;

SIZE main_window_outer_size() {
    return app_window_outer_size(at_scale(layout::CLIENT_WIDTH, window_state.scale),
                                 at_scale(layout::CLIENT_HEIGHT, window_state.scale),
                                 window_state.dpi);
}

void invalidate_main_window() { InvalidateRect(window_state.main_window, nullptr, FALSE); }
