#include "window_kit/display_fit.h"

#include "screen/placement.h"
#include "screen/scale.h"
#include "window_kit/app_window.h"
#include "window_kit/dll_search.h"

namespace {

// Looked up rather than imported, so that a Windows without them still starts the program.
template <typename Function> Function system_function(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(system_procedure(dll, name));
}

// The DPI of the monitor (Windows 8.1 on), else the system's.
int monitor_dpi(HMONITOR monitor) {
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get_dpi =
        system_function<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpi_x = 0;
    UINT dpi_y = 0;
    if (get_dpi != nullptr && get_dpi(monitor, 0 /* MDT_EFFECTIVE_DPI */, &dpi_x, &dpi_y) == S_OK &&
        dpi_y > 0)
        return static_cast<int>(dpi_y);
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : BASE_DPI;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BASE_DPI;
}

// The monitor's screen without its taskbar; the primary screen when it cannot be read.
LayoutRect work_area(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT& r = info.rcWork;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

AppWindowFit fit_on(HMONITOR monitor, int dpi, const POINT* corner, int base_width,
                    int base_height) {
    const LayoutRect work = work_area(monitor);
    const SIZE frame = app_window_outer_size(0, 0, dpi);
    AppWindowFit fit = {
        dpi, display_scale(dpi, base_width, base_height, frame.cx, frame.cy, work), {}};
    const SIZE client = fitted_client_size(fit, base_width, base_height);
    const SIZE outer = app_window_outer_size(client.cx, client.cy, dpi);
    const WindowPlace place =
        corner != nullptr ? keep_in_work_area(corner->x, corner->y, outer.cx, outer.cy, work)
                          : place_in_work_area(outer.cx, outer.cy, work);
    fit.outer = {place.x, place.y, place.x + outer.cx, place.y + outer.cy};
    return fit;
}

} // namespace

SIZE app_window_outer_size(int client_width, int client_height, int dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust_for_dpi =
        system_function<AdjustForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame = {0, 0, client_width, client_height};
    // Windows 10 on: the frame at the window's own DPI; before it, the system's.
    if (adjust_for_dpi == nullptr ||
        !adjust_for_dpi(&frame, APP_WINDOW_STYLE, FALSE, 0, static_cast<UINT>(dpi)))
        AdjustWindowRect(&frame, APP_WINDOW_STYLE, FALSE);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

AppWindowFit fit_new_window(int base_client_width, int base_client_height) {
    // The monitor the nurse is looking at: the one under the cursor.
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const HMONITOR monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
    return fit_on(monitor, monitor_dpi(monitor), nullptr, base_client_width, base_client_height);
}

AppWindowFit fit_moved_window(int dpi, const RECT& suggested, int base_client_width,
                              int base_client_height) {
    const HMONITOR monitor = MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST);
    const POINT top_left = {suggested.left, suggested.top};
    return fit_on(monitor, dpi > 0 ? dpi : monitor_dpi(monitor), &top_left, base_client_width,
                  base_client_height);
}

SIZE fitted_client_size(const AppWindowFit& fit, int base_client_width, int base_client_height) {
    return SIZE{scaled_length(base_client_width, fit.scale),
                scaled_length(base_client_height, fit.scale)};
}

void move_to_fit(HWND window, const AppWindowFit& fit) {
    const RECT& r = fit.outer;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
