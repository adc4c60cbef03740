#include "ui/window_state.h"

#include "window_kit/app_window.h"

const wchar_t* const WINDOW_CLASS_NAME = L"HalviMedToolWnd";
WindowState window_state;

SIZE main_window_outer_size() {
    return app_window_outer_size(layout::CLIENT_WIDTH, layout::CLIENT_HEIGHT);
}

void invalidate_main_window() { InvalidateRect(window_state.main_window, nullptr, FALSE); }
