#include "window_kit/app_window.h"

#include "screen/placement.h"

HFONT make_ui_font(const wchar_t* face, int height, int weight) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

bool register_app_class(HINSTANCE instance, WNDPROC procedure, HBRUSH background,
                        const wchar_t* class_name) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    window_class.hbrBackground = background;
    window_class.lpszClassName = class_name;
    return RegisterClassExW(&window_class) != 0;
}

SIZE app_window_outer_size(int client_width, int client_height) {
    RECT frame = {0, 0, client_width, client_height};
    AdjustWindowRect(&frame, APP_WINDOW_STYLE, FALSE);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

HWND create_centred_window(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title,
                           int client_width, int client_height) {
    const SIZE outer = app_window_outer_size(client_width, client_height);
    // The monitor the nurse is looking at: the one under the cursor, its work area without the
    // taskbar.
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    LayoutRect work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        const RECT& r = monitor.rcWork;
        work = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    const WindowPlace place = place_in_work_area(outer.cx, outer.cy, work);
    return CreateWindowExW(0, class_name, title, APP_WINDOW_STYLE, place.x, place.y, outer.cx,
                           outer.cy, nullptr, nullptr, instance, nullptr);
}
