// The window procedure and the child controls built from the tool descriptor.
#include "core/text.h"
#include "records_win32/assessor_setting.h"
#include "screen/record_texts.h"
#include "ui/commands.h"
#include "ui/gui.h"
#include "ui/history_dialog.h"
#include "ui/input_guide.h"
#include "ui/painting.h"
#include "ui/window_state.h"
#include "window_kit/controls.h"

namespace {

struct ButtonDef {
    int id;
    const wchar_t* caption;
};

// The buttons in the order of the layout's BUTTONS.
const ButtonDef button_defs[BUTTON_COUNT] = {
    {ID_CALC, L"计算 (F5)"}, {ID_SAVE, L"保存记录"}, {ID_COPY, L"复制结果"},
    {ID_RESET, L"清空重填"}, {ID_ABOUT, L"关于"},    {ID_HISTORY, TEXT_HISTORY_BUTTON},
};
static_assert(BUTTON_COUNT == sizeof layout::BUTTONS / sizeof layout::BUTTONS[0]);

HWND create_control(const wchar_t* control_class, DWORD ex_style, DWORD style,
                    const LayoutRect& rect, int id, HFONT font, const wchar_t* text) {
    return create_child_control(window_state.main_window, window_state.instance, control_class,
                                ex_style, style, rect, id, font, text);
}

// A row control's rectangle, placed relative to the row's base line.
LayoutRect in_row(const LayoutRect& rect, int base) {
    return {rect.x, base + rect.y, rect.width, rect.height};
}

void create_input_rows() {
    const ToolDef& tool = *window_state.session.tool;
    for (int j = 0; j < tool_input_count(*window_state.session.tool); ++j) {
        const InputDef& input = tool.inputs[j];
        const int y = layout::row_base(j);
        create_control(L"STATIC", 0, SS_RIGHT, in_row(layout::ROW_LABEL, y), 0,
                       window_state.fonts[FONT_LABEL], input.label);
        const HWND edit = create_control(L"EDIT", WS_EX_CLIENTEDGE, WS_TABSTOP | ES_AUTOHSCROLL,
                                         in_row(layout::ROW_EDIT, y), ID_INPUT_BASE + j,
                                         window_state.fonts[FONT_INPUT], L"");
        wchar_t text[DEFAULT_TEXT_CAPACITY];
        build_start_text(tool, j, text, DEFAULT_TEXT_CAPACITY);
        SetWindowTextW(edit, text);
        window_state.input_edits[j] = edit;
        if (!text_is_empty(input.unit)) {
            create_control(L"STATIC", 0, 0, in_row(layout::ROW_UNIT, y), 0,
                           window_state.fonts[FONT_SMALL], input.unit);
        }
    }
}

void create_result_panel() {
    const ToolDef& tool = *window_state.session.tool;
    window_state.verdict_label =
        create_control(L"STATIC", 0, 0, layout::VERDICT_LABEL, 0, window_state.fonts[FONT_VERDICT],
                       TEXT_VERDICT_START);
    window_state.result_box = create_control(
        L"EDIT", WS_EX_CLIENTEDGE, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
        layout::RESULT_BOX, ID_RESULT, window_state.fonts[FONT_RESULT], L"");
    // The largest result of any tool is shown whole, beyond the edit's default limit.
    SendMessageW(window_state.result_box, EM_SETLIMITTEXT, 0, 0);
    window_state.note_label =
        create_control(L"STATIC", 0, 0, layout::NOTE_LABEL, 0, window_state.fonts[FONT_SMALL],
                       tool.note != nullptr ? tool.note : L"");
    wchar_t reference[REFERENCE_TEXT_CAPACITY];
    build_reference_text(tool, reference, REFERENCE_TEXT_CAPACITY);
    create_control(L"STATIC", 0, 0, layout::REFERENCE_LABEL, 0, window_state.fonts[FONT_SMALL],
                   reference);
}

void create_buttons() {
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const ButtonDef& button = button_defs[i];
        window_state.buttons[i] =
            create_control(L"BUTTON", 0, WS_TABSTOP | BS_OWNERDRAW, layout::BUTTONS[i], button.id,
                           nullptr, button.caption);
    }
}

// The patient strip: bed, inpatient number and name start empty, so that no record goes to an
// earlier patient; the assessor is the one remembered for this Windows user.
void create_patient_strip() {
    for (int f = 0; f < PATIENT_FIELD_COUNT; ++f) {
        window_state.patient_labels[f] =
            create_control(L"STATIC", 0, SS_RIGHT, layout::PATIENT_LABELS[f], 0,
                           window_state.fonts[FONT_LABEL], PATIENT_FIELDS[f].label);
        const HWND edit = create_control(L"EDIT", WS_EX_CLIENTEDGE, WS_TABSTOP | ES_AUTOHSCROLL,
                                         layout::PATIENT_EDITS[f], ID_PATIENT_BED + f,
                                         window_state.fonts[FONT_INPUT], L"");
        SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(PATIENT_FIELDS[f].max_length), 0);
        window_state.patient_edits[f] = edit;
    }
    wchar_t assessor[PATIENT_FIELD_CAPACITY];
    assessor_load(assessor, PATIENT_FIELD_CAPACITY);
    SetWindowTextW(window_state.patient_edits[PATIENT_ASSESSOR], assessor);
}

void build_controls(HWND window) {
    window_state.main_window = window;
    // Tab follows the order of creation: the patient strip, the inputs, then the buttons.
    create_patient_strip();
    create_input_rows();
    window_state.input_guide = create_input_guide(window, window_state.instance,
                                                  tool_input_count(*window_state.session.tool));
    show_input_guide(window_state.input_guide, 0);
    create_result_panel();
    create_buttons();
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, TEXT_READY);
}

bool run_command(int id) {
    switch (id) {
    case ID_CALC: calc_and_show(); return true;
    case ID_SAVE: record_save(); return true;
    case ID_COPY: copy_result(); return true;
    case ID_RESET: reset_inputs(); return true;
    case ID_ABOUT: show_about(); return true;
    case ID_HISTORY: show_history(); return true;
    default: return false;
    }
}

// An edit that gets the focus, by Tab, a click or a refusal, has its whole text selected, so that
// typing replaces it. Posted: a click places the caret after the focus has arrived.
void select_all_when_focused(int id) {
    PostMessageW(GetDlgItem(window_state.main_window, id), EM_SETSEL, 0, -1);
}

// An input edit that gets the focus shows its guide; a change of its text makes the result shown
// stale. True when the notification came from an input edit.
bool on_input_notification(int id, int code) {
    // A patient field belongs to the result like an input: the record pairs them.
    if (id >= ID_PATIENT_BED && id <= ID_ASSESSOR) {
        if (code == EN_SETFOCUS) select_all_when_focused(id);
        if (code == EN_CHANGE) session_input_edited(&window_state.session);
        return true;
    }
    const int index = id - ID_INPUT_BASE;
    if (index < 0 || index >= tool_input_count(*window_state.session.tool)) return false;
    if (code == EN_SETFOCUS) {
        show_input_guide(window_state.input_guide, index);
        select_all_when_focused(id);
    }
    if (code == EN_CHANGE) session_input_edited(&window_state.session);
    return true;
}

} // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: build_controls(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_PAINT: paint_main(window); return 0;
    case WM_ERASEBKGND: return 1; // paint_main covers the whole client area
    case WM_GETMINMAXINFO: {
        // Both tracking sizes are the window's own outer size, so it can be neither resized nor
        // pushed away from its 1020 x 720 client area by a frame of another size.
        const SIZE outer = main_window_outer_size();
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        info->ptMinTrackSize = {outer.cx, outer.cy};
        info->ptMaxTrackSize = {outer.cx, outer.cy};
        return 0;
    }
    case WM_DRAWITEM: draw_button(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return 1;
    case WM_COMMAND:
        if (run_command(LOWORD(wparam))) return 0;
        if (on_input_notification(LOWORD(wparam), HIWORD(wparam))) return 0;
        break;
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<LRESULT>(control_colour_edit(reinterpret_cast<HDC>(wparam)));
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            control_colour_static(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
    default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}
