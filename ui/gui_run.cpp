// Start-up of the window: fonts, brushes, the window class, the fixed-size window centred on the
// primary screen, and the message loop with its Enter and F5 shortcut.
#include "ui/gui.h"

#include <initializer_list>

#include "ui/app_window.h"
#include "ui/colours.h"
#include "ui/commands.h"
#include "ui/input_guide.h"
#include "ui/window_state.h"

namespace {

void create_fonts_and_brushes(WindowState& state) {
    const wchar_t* ui_face = L"Microsoft YaHei UI";
    state.font_title = make_ui_font(ui_face, 27, FW_BOLD);
    state.font_caption = make_ui_font(ui_face, 14, FW_NORMAL);
    state.font_label = make_ui_font(ui_face, 14, FW_NORMAL);
    state.font_input = make_ui_font(ui_face, 15, FW_NORMAL);
    state.font_verdict = make_ui_font(ui_face, 21, FW_BOLD);
    state.font_result = make_ui_font(L"Consolas", 15, FW_NORMAL);
    state.font_button = make_ui_font(ui_face, 15, FW_NORMAL);
    state.font_small = make_ui_font(ui_face, 12, FW_NORMAL);
    state.white_brush = CreateSolidBrush(colour_panel);
    state.background_brush = CreateSolidBrush(colour_background);
}

// The fonts and brushes live as long as the window; the process gives them back when it closes.
void free_fonts_and_brushes(WindowState& state) {
    for (HFONT font : {state.font_title, state.font_caption, state.font_label, state.font_input,
                       state.font_verdict, state.font_result, state.font_button, state.font_small})
        DeleteObject(font);
    DeleteObject(state.white_brush);
    DeleteObject(state.background_brush);
}

// Enter or F5 aimed at any control of the window runs Calculate instead of reaching it.
bool is_calculate_shortcut(const MSG& message) {
    return message.message == WM_KEYDOWN &&
           (message.wParam == VK_RETURN || message.wParam == VK_F5) &&
           IsChild(window_state.main_window, message.hwnd);
}

} // namespace

int gui_run(HINSTANCE instance, const ToolDef* tool) {
    window_state.instance = instance;
    window_state.tool = tool;
    window_state.level = 0;
    window_state.kept_result[0] = L'\0';
    create_fonts_and_brushes(window_state);
    // Without its class the window cannot be made; without the guide's, it shows no guide.
    if (!register_app_class(instance, main_window_proc, window_state.background_brush,
                            WINDOW_CLASS_NAME)) {
        free_fonts_and_brushes(window_state);
        return 1;
    }
    register_input_guide_class(instance);

    const HWND window = create_centred_window(instance, WINDOW_CLASS_NAME, tool->title,
                                              layout::CLIENT_WIDTH, layout::CLIENT_HEIGHT);
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
        if (is_calculate_shortcut(message)) {
            calc_and_show();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    free_fonts_and_brushes(window_state);
    return 0;
}
