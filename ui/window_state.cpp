#include "ui/window_state.h"

#include "screen/scale.h"
#include "window_kit/app_window.h"
#include "window_kit/drawing.h"

const wchar_t* const WINDOW_CLASS_NAME = L"HalviMedToolWnd";
WindowState window_state;

SIZE main_window_outer_size() {
    return app_window_outer_size(at_scale(layout::CLIENT_WIDTH), at_scale(layout::CLIENT_HEIGHT),
                                 window_state.dpi);
}

RECT at_scale(const LayoutRect& rect) { return rect_of(scaled_rect(rect, window_state.scale)); }

int at_scale(int length) { return scaled_length(length, window_state.scale); }

void invalidate_main_window() { InvalidateRect(window_state.main_window, nullptr, FALSE); }
