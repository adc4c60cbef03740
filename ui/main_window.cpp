// The window procedure and the child controls built from the tool descriptor.
#include "core/text.h"
#include "fhir_win32/fhir_sender.h"
#include "records_win32/assessor_setting.h"
#include "records_win32/records_policy_read.h"
#include "screen/record_texts.h"
#include "ui/commands.h"
#include "ui/gui.h"
#include "ui/history_dialog.h"
#include "ui/input_guide.h"
#include "ui/painting.h"
#include "ui/record_export.h"
#include "ui/window_state.h"
#include "window_kit/app_window.h"
#include "window_kit/controls.h"
#include "window_kit/display_fit.h"

namespace {

HWND create_control(const wchar_t* control_class, DWORD ex_style, DWORD style,
                    const PlannedControl& planned, int id, const wchar_t* text) {
    return create_child_control(window_state.main_window, window_state.instance, control_class,
                                ex_style, style, planned.rect, id, window_state.fonts[planned.font],
                                text);
}

HWND create_edit(const PlannedControl& planned, int id) {
    return create_control(L"EDIT", WS_EX_CLIENTEDGE, WS_TABSTOP | ES_AUTOHSCROLL, planned, id, L"");
}

// A patient field: bed, inpatient number and name start empty, so that no record goes to an
// earlier patient; the assessor is the one remembered for this Windows user, unless the policy
// forbids remembering it.
HWND create_patient_control(const PlannedControl& planned) {
    const int f = planned.index;
    if (planned.kind == PLAN_PATIENT_LABEL) {
        window_state.patient_labels[f] =
            create_control(L"STATIC", 0, SS_RIGHT, planned, 0, PATIENT_FIELDS[f].label);
        return window_state.patient_labels[f];
    }
    const HWND edit = create_edit(planned, ID_PATIENT_BED + f);
    window_state.patient_edits[f] = edit;
    if (f == PATIENT_ASSESSOR) {
        // A ward whose nurses share one Windows login has the policy start it empty.
        RecordsPolicy policy;
        records_policy_read(&policy);
        wchar_t assessor[PATIENT_FIELD_CAPACITY] = L"";
        if (policy.remember_assessor) assessor_load(assessor, PATIENT_FIELD_CAPACITY);
        SetWindowTextW(edit, assessor);
    }
    return edit;
}

HWND create_row_control(const PlannedControl& planned) {
    const ToolDef& tool = *window_state.session.tool;
    const int j = planned.index;
    const InputDef& input = tool.inputs[j];
    if (planned.kind == PLAN_ROW_LABEL)
        return create_control(L"STATIC", 0, SS_RIGHT, planned, 0, input.label);
    if (planned.kind == PLAN_ROW_UNIT)
        return create_control(L"STATIC", 0, 0, planned, 0, input.unit);
    const HWND edit = create_edit(planned, ID_INPUT_BASE + j);
    wchar_t text[DEFAULT_TEXT_CAPACITY];
    build_start_text(tool, j, text, DEFAULT_TEXT_CAPACITY);
    SetWindowTextW(edit, text);
    window_state.input_edits[j] = edit;
    return edit;
}

HWND create_result_control(const PlannedControl& planned) {
    const ToolDef& tool = *window_state.session.tool;
    switch (planned.kind) {
    case PLAN_VERDICT:
        window_state.verdict_label =
            create_control(L"STATIC", 0, 0, planned, 0, TEXT_VERDICT_START);
        return window_state.verdict_label;
    case PLAN_RESULT_BOX:
        window_state.result_box = create_control(
            L"EDIT", WS_EX_CLIENTEDGE, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
            planned, ID_RESULT, L"");
        // The largest result of any tool is shown whole, beyond the edit's default limit.
        SendMessageW(window_state.result_box, EM_SETLIMITTEXT, 0, 0);
        return window_state.result_box;
    case PLAN_NOTE:
        window_state.note_label =
            create_control(L"STATIC", 0, 0, planned, 0, tool.note != nullptr ? tool.note : L"");
        return window_state.note_label;
    default: {
        wchar_t reference[REFERENCE_TEXT_CAPACITY];
        build_reference_text(tool, reference, REFERENCE_TEXT_CAPACITY);
        return create_control(L"STATIC", 0, 0, planned, 0, reference);
    }
    }
}

HWND create_planned_control(const PlannedControl& planned) {
    switch (planned.kind) {
    case PLAN_PATIENT_LABEL:
    case PLAN_PATIENT_EDIT: return create_patient_control(planned);
    case PLAN_ROW_LABEL:
    case PLAN_ROW_EDIT:
    case PLAN_ROW_UNIT: return create_row_control(planned);
    case PLAN_GUIDE:
        window_state.input_guide =
            create_input_guide(window_state.main_window, window_state.instance, planned.rect);
        return window_state.input_guide;
    case PLAN_BUTTON: {
        const MainButton& button = MAIN_BUTTONS[planned.index];
        window_state.buttons[planned.index] = create_child_control(
            window_state.main_window, window_state.instance, L"BUTTON", 0,
            WS_TABSTOP | BS_OWNERDRAW, planned.rect, button.id, nullptr, button.caption);
        return window_state.buttons[planned.index];
    }
    default: return create_result_control(planned);
    }
}

// Every control of the plan, in its order, which is also the Tab order.
void build_controls(HWND window) {
    window_state.main_window = window;
    window_state.control_count = plan_main_window(*window_state.session.tool, window_state.scale,
                                                  window_state.plan, MAIN_PLAN_CAPACITY);
    for (int i = 0; i < window_state.control_count; ++i)
        window_state.controls[i] = create_planned_control(window_state.plan[i]);
    show_input_guide(window_state.input_guide, 0);
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, TEXT_READY);
}

// Every control of the plan at the window's new scale, with its new fonts.
void relayout() {
    plan_main_window(*window_state.session.tool, window_state.scale, window_state.plan,
                     MAIN_PLAN_CAPACITY);
    for (int i = 0; i < window_state.control_count; ++i) {
        const PlannedControl& planned = window_state.plan[i];
        const bool font = planned.kind != PLAN_BUTTON && planned.kind != PLAN_GUIDE;
        move_child_control(window_state.controls[i], planned.rect,
                           font ? window_state.fonts[planned.font] : nullptr);
    }
}

// The window moved to a monitor of another DPI: fonts, controls and painting at the new scale.
void rescale(int dpi, const RECT& suggested) {
    rescale_app_window(window_state.main_window, dpi, suggested, layout::CLIENT_WIDTH,
                       layout::CLIENT_HEIGHT,
                       {&window_state.dpi, &window_state.scale, &window_state.fonts}, relayout);
}

bool run_command(int id) {
    switch (id) {
    case ID_CALC: calc_and_show(); return true;
    case ID_SAVE: record_save(); return true;
    case ID_COPY: copy_result(); return true;
    case ID_RESET: reset_inputs(); return true;
    case ID_ABOUT: show_about(); return true;
    case ID_HISTORY: show_history(); return true;
    case ID_PRINT: print_result(); return true;
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
        // A caption never names a patient other than the strip's.
        if (code == EN_CHANGE && id != ID_ASSESSOR && window_state.caption_names_patient) {
            window_state.caption_names_patient = false;
            SetWindowTextW(window_state.main_window, window_state.session.tool->title);
        }
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
    case WM_CLOSE:
        // A result not yet saved is lost only when the nurse says so.
        if (session_result_unsaved(window_state.session) &&
            show_message(TEXT_CLOSE_UNSAVED, CAPTION_HINT,
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return 0;
        DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_FHIR_RUN_ENDED: record_export_run_ended(); return 0;
    case WM_TIMER:
        if (wparam != FHIR_TIMER_ID) break;
        fhir_send_start(window);
        return 0;
    case WM_PAINT: paint_main(window); return 0;
    case WM_ERASEBKGND: return 1; // paint_main covers the whole client area
    case WM_GETMINMAXINFO: {
        // Both tracking sizes are the window's own outer size, so it can be neither resized nor
        // pushed away from its scaled 1020 x 720 client area by a frame of another size.
        const SIZE outer = main_window_outer_size();
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        info->ptMinTrackSize = {outer.cx, outer.cy};
        info->ptMaxTrackSize = {outer.cx, outer.cy};
        return 0;
    }
    case WM_DPICHANGED: rescale(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
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
