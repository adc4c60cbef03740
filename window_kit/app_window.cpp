#include "window_kit/app_window.h"

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

HWND create_app_window(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title,
                       const AppWindowFit& fit) {
    const RECT& r = fit.outer;
    return CreateWindowExW(0, class_name, title, APP_WINDOW_STYLE, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, nullptr, nullptr, instance, nullptr);
}

void rescale_app_window(HWND window, int dpi, const RECT& suggested, int base_client_width,
                        int base_client_height, const WindowDisplay& display, void (*relayout)()) {
    const AppWindowFit fit =
        fit_moved_window(dpi, suggested, base_client_width, base_client_height);
    *display.dpi = fit.dpi;
    *display.scale = fit.scale;
    WindowFonts old_fonts = *display.fonts;
    window_fonts_create(display.fonts, fit.scale);
    relayout();
    window_fonts_free(&old_fonts);
    move_to_fit(window, fit);
}
