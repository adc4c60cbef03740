#include "ui/window_state.h"

const wchar_t* const WINDOW_CLASS_NAME = L"HalviMedToolWnd";
WindowState window_state;

SIZE main_window_outer_size() {
    RECT frame = {0, 0, layout::CLIENT_WIDTH, layout::CLIENT_HEIGHT};
    AdjustWindowRect(&frame, MAIN_WINDOW_STYLE, FALSE);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void invalidate_main_window() { InvalidateRect(window_state.main_window, nullptr, FALSE); }
