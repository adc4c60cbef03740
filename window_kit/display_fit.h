// A window's fit on its display: the DPI of its monitor, the scale of its layout (screen/scale.h)
// and its outer rectangle in the monitor's work area, for a new window and for one whose DPI has
// changed.
#pragma once

#include <windows.h>

struct AppWindowFit {
    int dpi;
    double scale;
    RECT outer;
};

// The outer size of a window of APP_WINDOW_STYLE with this client area at the DPI.
SIZE app_window_outer_size(int client_width, int client_height, int dpi);

// A new window of that base (96-DPI) client size: on the monitor under the cursor, centred in
// its work area.
AppWindowFit fit_new_window(int base_client_width, int base_client_height);

// A window whose DPI became dpi and that Windows suggests moving to suggested: on the monitor of
// that rectangle, at its top-left as far as the window stays in the work area.
AppWindowFit fit_moved_window(int dpi, const RECT& suggested, int base_client_width,
                              int base_client_height);

// Moves the window to the fit's outer rectangle and repaints it and its controls whole, once
// they are laid out at the fit's scale.
void move_to_fit(HWND window, const AppWindowFit& fit);

// The scale of a fit, as the layout's client size at it.
SIZE fitted_client_size(const AppWindowFit& fit, int base_client_width, int base_client_height);
