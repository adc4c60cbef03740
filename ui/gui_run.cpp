// Start-up of the window: its display scale, fonts, brushes, the window class, the fixed-size
// window centred in the work area of its monitor, and the message loop with its shortcuts and
// Tab order.
#include "ui/gui.h"

#include "app/patient_argument.h"
#include "core/text.h"
#include "fhir_win32/fhir_sender.h"
#include "screen/record_texts.h"
#include "ui/commands.h"
#include "ui/history_dialog.h"
#include "ui/input_guide.h"
#include "ui/window_state.h"
#include "window_kit/app_window.h"
#include "window_kit/colours.h"
#include "window_kit/tool_windows.h"

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

// The patient of the command line (--patient) in the strip and the caption, the focus on the
// first input; without one, the focus on 床号. A patient that is refused is said, and the strip
// stays empty.
void open_for_patient() {
    static PatientFields patient;
    const PatientArgumentRead read = patient_from_command_line(GetCommandLineW(), &patient);
    if (read.result == PatientArgument::taken && patient_named(patient)) {
        for (int f = PATIENT_BED; f <= PATIENT_NAME; ++f)
            SetWindowTextW(window_state.patient_edits[f], patient.text[f]);
        wchar_t caption[PATIENT_CAPTION_CAPACITY];
        build_patient_caption(window_state.session.tool->title, patient, caption,
                              PATIENT_CAPTION_CAPACITY);
        SetWindowTextW(window_state.main_window, caption);
        window_state.caption_names_patient = true;
        show_previous_assessment(patient, false);
        SetFocus(window_state.input_edits[0]);
        return;
    }
    SetFocus(window_state.patient_edits[PATIENT_BED]);
    if (read.result != PatientArgument::refused) return;
    wchar_t message[MESSAGE_TEXT_CAPACITY];
    build_patient_refusal(read.field, read.why, message, MESSAGE_TEXT_CAPACITY);
    show_message(message, CAPTION_INPUT_ERROR, MB_OK | MB_ICONWARNING);
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
                            TOOL_WINDOW_CLASS)) {
        free_fonts_and_brushes(window_state);
        return 1;
    }
    register_input_guide_class(instance);

    const HWND window = create_app_window(instance, TOOL_WINDOW_CLASS, tool->title, fit);
    if (window == nullptr) {
        free_fonts_and_brushes(window_state);
        return 1;
    }
    window_state.main_window = window;
    place_clear_of_same_tool(window, tool->title);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    open_for_patient();
    // Records left in the outbox by an earlier run go out now, and every few minutes.
    fhir_send_start(window);

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
