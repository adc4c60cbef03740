// Start-up of the window: fonts, brushes, the window class, the fixed-size window centred on the
// primary screen, and the message loop with its Enter and F5 shortcut.
#include "ui/gui.h"

#include <initializer_list>

#include "ui/colours.h"
#include "ui/commands.h"
#include "ui/input_guide.h"
#include "ui/window_state.h"

namespace {

HFONT make_font(const wchar_t* face, int height, int weight) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

void create_fonts_and_brushes(WindowState& state) {
    const wchar_t* ui_face = L"Microsoft YaHei UI";
    state.font_title = make_font(ui_face, 27, FW_BOLD);
    state.font_caption = make_font(ui_face, 14, FW_NORMAL);
    state.font_label = make_font(ui_face, 14, FW_NORMAL);
    state.font_input = make_font(ui_face, 15, FW_NORMAL);
    state.font_verdict = make_font(ui_face, 21, FW_BOLD);
    state.font_result = make_font(L"Consolas", 15, FW_NORMAL);
    state.font_button = make_font(ui_face, 15, FW_NORMAL);
    state.font_small = make_font(ui_face, 12, FW_NORMAL);
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

bool register_window_class(HINSTANCE instance, HBRUSH background) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    window_class.hbrBackground = background;
    window_class.lpszClassName = WINDOW_CLASS_NAME;
    return RegisterClassExW(&window_class) != 0;
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
    if (!register_window_class(instance, window_state.background_brush)) {
        free_fonts_and_brushes(window_state);
        return 1;
    }
    register_input_guide_class(instance);

    const SIZE outer = main_window_outer_size();
    const int width = outer.cx;
    const int height = outer.cy;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;

    const HWND window = CreateWindowExW(0, WINDOW_CLASS_NAME, tool->title, MAIN_WINDOW_STYLE, x, y,
                                        width, height, nullptr, nullptr, instance, nullptr);
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
