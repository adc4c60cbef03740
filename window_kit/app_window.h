// What every window of the suite does alike at start-up: its fonts, its class, and a fixed-size
// window where its display fit puts it.
#pragma once

#include <windows.h>

#include "window_kit/display_fit.h"
#include "window_kit/window_fonts.h"

// A caption and the system and minimize buttons: no sizing border, no maximize box.
constexpr DWORD APP_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// A font of the given face, em height in pixels and weight (ClearType, default charset).
HFONT make_ui_font(const wchar_t* face, int height, int weight);

// Registers a window class with the application icon (resource 1) and the arrow cursor; false
// when it cannot be registered.
bool register_app_class(HINSTANCE instance, WNDPROC procedure, HBRUSH background,
                        const wchar_t* class_name);

// Creates the window of that class and title at the fit's outer rectangle (window_kit/
// display_fit.h); null when it cannot be created.
HWND create_app_window(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title,
                       const AppWindowFit& fit);

// A window's display: its monitor's DPI, the scale of its layout and its fonts at that scale.
struct WindowDisplay {
    int* dpi;
    double* scale;
    WindowFonts* fonts;
};

// The window moved to a monitor of another DPI (WM_DPICHANGED): its DPI, scale and fonts made
// again there, relayout moving every control to the new scale with the new fonts, the old fonts
// deleted once no control holds them, and the window moved where Windows suggests, kept on the
// work area.
void rescale_app_window(HWND window, int dpi, const RECT& suggested, int base_client_width,
                        int base_client_height, const WindowDisplay& display, void (*relayout)());
