// What every window of the suite does alike at start-up: its fonts, its class, and a fixed-size
// window centred in the work area of its monitor.
#pragma once

#include <windows.h>

// A caption and the system and minimize buttons: no sizing border, no maximize box.
constexpr DWORD APP_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// A font of the given face, em height in pixels and weight (ClearType, default charset).
HFONT make_ui_font(const wchar_t* face, int height, int weight);

// Registers a window class with the application icon (resource 1) and the arrow cursor; false
// when it cannot be registered.
bool register_app_class(HINSTANCE instance, WNDPROC procedure, HBRUSH background,
                        const wchar_t* class_name);

// The outer size of a window of APP_WINDOW_STYLE with this client area.
SIZE app_window_outer_size(int client_width, int client_height);

// Creates the window of that class and title with the client area, centred in the work area of
// the monitor under the cursor (at its top-left when it does not fit, so that the caption stays
// on it); null when it cannot be created.
HWND create_centred_window(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title,
                           int client_width, int client_height);
