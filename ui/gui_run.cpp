// Start-up of the window: its display scale, fonts, brushes, the window class, the fixed-size
// window centred in the work area of its monitor, and the message loop with its shortcuts and
// Tab order.
#include "ui/gui.h"

#include "ui/commands.h"
#include "ui/history_dialog.h"
#include "ui/input_guide.h"
#include "ui/window_state.h"
#include "window_kit/app_window.h"
#include "window_kit/colours.h"

namespace {

void create_fonts_and_brushes(WindowState& state) {
    window_fonts_create(&state.fonts, state.scale);
    state.white_brush = CreateSolidBrush(colour_panel);
    state.background_brush = CreateSolidBrush(colour_background);
    state.header_brush = CreateSolidBrush(colour_header);
}

// The fonts and brushes live as long as the window; the process gives them back when it closes.
void free_fonts_and_brushes(WindowState& state) {
    window_fonts_free(&state.fonts);
    DeleteObject(state.white_brush);
    DeleteObject(state.background_brush);
    DeleteObject(state.header_brush);
}

// A key aimed at the window itself or at any of its controls.
bool is_window_key(const MSG& message, WPARAM key) {
    return message.message == WM_KEYDOWN && message.wParam == key &&
           (message.hwnd == window_state.main_window ||
            IsChild(window_state.main_window, message.hwnd));
}

bool control_down() { return GetKeyState(VK_CONTROL) < 0; }
bool shift_down() { return GetKeyState(VK_SHIFT) < 0; }

// The window's shortcuts, wherever the focus is: Enter and F5 Calculate, F3 the history, Ctrl+S
// Save, Ctrl+Shift+C Copy, Ctrl+P Print. True when the key was one of them and its command ran.
bool run_shortcut(const MSG& message) {
    if (is_window_key(message, VK_RETURN) || is_window_key(message, VK_F5)) {
        calc_and_show();
        return true;
    }
    if (is_window_key(message, VK_F3)) {
        show_history();
        return true;
    }
    if (is_window_key(message, 'S') && control_down() && !shift_down()) {
        record_save();
        return true;
    }
    if (is_window_key(message, 'C') && control_down() && shift_down()) {
        copy_result();
        return true;
    }
    if (is_window_key(message, 'P') && control_down() && !shift_down()) {
        print_result();
        return true;
    }
    return false;
}

} // namespace

int gui_run(HINSTANCE instance, const ToolDef* tool) {
    window_state.instance = instance;
    session_start(&window_state.session, tool);
    // The scale is the display's before the window exists: its controls are made at it.
    const AppWindowFit fit = fit_new_window(layout::CLIENT_WIDTH, layout::CLIENT_HEIGHT);
    window_state.dpi = fit.dpi;
    window_state.scale = fit.scale;
    create_fonts_and_brushes(window_state);
    // Without its class the window cannot be made; without the guide's, it shows no guide.
    if (!register_app_class(instance, main_window_proc, window_state.background_brush,
                            WINDOW_CLASS_NAME)) {
        free_fonts_and_brushes(window_state);
        return 1;
    }
    register_input_guide_class(instance);

    const HWND window = create_app_window(instance, WINDOW_CLASS_NAME, tool->title, fit);
    if (window == nullptr) {
        free_fonts_and_brushes(window_state);
        return 1;
    }
    window_state.main_window = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(window_state.input_edits[0]);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (run_shortcut(message)) continue;
        // Tab and Shift+Tab move the focus through the controls, Space presses a button.
        if (IsDialogMessageW(window_state.main_window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    free_fonts_and_brushes(window_state);
    return 0;
}
