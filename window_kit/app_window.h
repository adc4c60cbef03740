// What every window of the suite does alike at start-up: its fonts, its class, and a fixed-size
// window where its display fit puts it.
#pragma once

#include <windows.h>

#include "window_kit/display_fit.h"

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
