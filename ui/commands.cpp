// Calculate, Copy, Reset and About.
#include "ui/commands.h"

#include <cmath>

#include "core/input_text.h"
#include "core/text.h"
#include "screen/record_texts.h"
#include "ui/patient_history.h"
#include "ui/window_state.h"

int show_message(const wchar_t* text, const wchar_t* caption, UINT flags) {
    const HWND had_focus = GetFocus();
    const int answer = MessageBoxW(window_state.main_window, text, caption, flags);
    if (had_focus != nullptr && IsWindow(had_focus)) SetFocus(had_focus);
    return answer;
}

namespace {

void set_status(const wchar_t* text) {
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, text);
    invalidate_main_window();
}

// Calculates the session from the edits' texts. The first input that is refused is named in a
// warning and gets the focus, and the session keeps the last Calculate.
bool calculate_from_edits() {
    // Twice the length that is read, so that a text too long to be read whole is seen as such.
    static wchar_t texts[TOOL_MAX_INPUTS][2 * INPUT_TEXT_CAPACITY];
    const wchar_t* text_of[TOOL_MAX_INPUTS] = {};
    const int count = tool_input_count(*window_state.session.tool);
    for (int j = 0; j < count; ++j) {
        texts[j][0] = L'\0';
        GetWindowTextW(window_state.input_edits[j], texts[j], 2 * INPUT_TEXT_CAPACITY);
        text_of[j] = texts[j];
    }
    const int refused = session_calculate(&window_state.session, text_of);
    if (refused < 0) {
        window_state.session.calculated = local_time_now();
        return true;
    }
    wchar_t message[MESSAGE_TEXT_CAPACITY];
    build_input_error_text(*window_state.session.tool, refused, message, MESSAGE_TEXT_CAPACITY);
    show_message(message, CAPTION_INPUT_ERROR, MB_OK | MB_ICONWARNING);
    SetFocus(window_state.input_edits[refused]);
    return false;
}

// Hands the clipboard a copy of text; false when its memory cannot be had.
bool put_on_clipboard(const ToolDef& tool, const wchar_t* copy_text) {
    const int capacity = clipboard_text_capacity(tool, copy_text);
    const HGLOBAL memory =
        GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(capacity) * sizeof(wchar_t));
    if (memory == nullptr) return false;
    auto* text = static_cast<wchar_t*>(GlobalLock(memory));
    if (text == nullptr) {
        GlobalFree(memory);
        return false;
    }
    build_clipboard_text(tool, copy_text, text, capacity);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true; // the clipboard owns the memory now
}

} // namespace

bool read_patient_fields(PatientFields* patient) {
    for (int f = 0; f < PATIENT_FIELD_COUNT; ++f) {
        // The whole text, however long it was pasted: refused when too long, never cut.
        const HWND edit = window_state.patient_edits[f];
        static wchar_t typed[PATIENT_TYPED_CAPACITY];
        typed[0] = L'\0';
        const auto field = static_cast<PatientField>(f);
        PatientText taken = PatientText::too_long;
        patient->text[f][0] = L'\0';
        if (GetWindowTextLengthW(edit) < PATIENT_TYPED_CAPACITY) {
            GetWindowTextW(edit, typed, PATIENT_TYPED_CAPACITY);
            taken = patient_field_take(field, typed, patient->text[f], PATIENT_FIELD_CAPACITY);
        }
        if (taken == PatientText::taken) continue;
        wchar_t message[MESSAGE_TEXT_CAPACITY];
        build_patient_refusal(field, taken, message, MESSAGE_TEXT_CAPACITY);
        show_message(message, CAPTION_INPUT_ERROR, MB_OK | MB_ICONWARNING);
        SetFocus(window_state.patient_edits[f]);
        return false;
    }
    return true;
}

bool result_is_current(const wchar_t* needs_result) {
    const wchar_t* refusal = session_refusal(window_state.session, needs_result);
    if (refusal == nullptr) return true;
    show_message(refusal, CAPTION_HINT, MB_OK | MB_ICONINFORMATION);
    return false;
}

void show_previous_assessment(const PatientFields& patient, bool calculated) {
    CalcSession& session = window_state.session;
    session.previous[0] = L'\0';
    static History history;
    wchar_t reason[HISTORY_REASON_CAPACITY];
    if (history_has_key(patient) &&
        read_patient_history(patient, &history, reason, HISTORY_REASON_CAPACITY) == nullptr &&
        history.count > 0) {
        const double now = session.outcome.headline;
        const bool has_now = calculated && !std::isnan(now); // NaN: no headline this time
        build_previous_line(*session.tool, history.records[0], has_now ? &now : nullptr,
                            session.previous, PREVIOUS_LINE_CAPACITY);
    }
    // The line under the result, where the panel shows it.
    static wchar_t shown[OUTCOME_RESULT_CAPACITY + PREVIOUS_LINE_CAPACITY + 4];
    const wchar_t* result = calculated ? session.outcome.result : L"";
    text_copy(shown, OUTCOME_RESULT_CAPACITY + PREVIOUS_LINE_CAPACITY + 4, result);
    if (!text_is_empty(session.previous)) {
        const int length = text_length(shown);
        if (length > 0 && shown[length - 1] != L'\n')
            text_append(shown, OUTCOME_RESULT_CAPACITY + PREVIOUS_LINE_CAPACITY + 4, L"\r\n");
        text_append(shown, OUTCOME_RESULT_CAPACITY + PREVIOUS_LINE_CAPACITY + 4, session.previous);
    }
    SetWindowTextW(window_state.result_box, shown);
}

void calc_and_show() {
    // The patient is checked with the inputs: a text too long or with a hidden character is
    // refused here, before a result can pair with it.
    static PatientFields patient;
    if (!read_patient_fields(&patient)) return;
    if (!calculate_from_edits()) return;
    const ToolDef& tool = *window_state.session.tool;
    const CalcOutcome& outcome = window_state.session.outcome;
    show_previous_assessment(patient, true);
    SetWindowTextW(window_state.verdict_label, outcome.verdict);
    // The verdict label is erased so that it redraws in the colour of the new level.
    InvalidateRect(window_state.verdict_label, nullptr, TRUE);
    invalidate_main_window();
    wchar_t status[STATUS_TEXT_CAPACITY];
    build_calc_status(tool, status, STATUS_TEXT_CAPACITY);
    set_status(status);
    SetFocus(window_state.main_window);
}

void copy_result() {
    if (!result_is_current(TEXT_COPY_NEEDS_RESULT)) return;
    static PatientFields patient;
    if (!read_patient_fields(&patient)) return;
    // Another program holding the clipboard, or no memory for the text: said, never called done.
    if (!OpenClipboard(window_state.main_window)) {
        set_status(STATUS_COPY_FAILED);
        return;
    }
    EmptyClipboard();
    static wchar_t copy_text[COPY_TEXT_CAPACITY];
    session_copy_text(window_state.session, patient, copy_text, COPY_TEXT_CAPACITY);
    const bool copied = put_on_clipboard(*window_state.session.tool, copy_text);
    CloseClipboard();
    set_status(copied ? TEXT_COPIED : STATUS_COPY_FAILED);
}

void reset_inputs() {
    const ToolDef& tool = *window_state.session.tool;
    for (int j = 0; j < tool_input_count(*window_state.session.tool); ++j) {
        wchar_t text[DEFAULT_TEXT_CAPACITY];
        build_start_text(tool, j, text, DEFAULT_TEXT_CAPACITY);
        SetWindowTextW(window_state.input_edits[j], text);
    }
    // A new assessment may be of another patient: the patient's fields empty too, the assessor
    // stays.
    for (int f = PATIENT_BED; f <= PATIENT_NAME; ++f)
        SetWindowTextW(window_state.patient_edits[f], L"");
    SetWindowTextW(window_state.result_box, L"");
    SetWindowTextW(window_state.verdict_label, TEXT_VERDICT_START);
    SetWindowTextW(window_state.note_label, tool.note != nullptr ? tool.note : L"");
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, TEXT_RESET_DONE);
    session_reset(&window_state.session);
    invalidate_main_window();
}

void show_about() {
    wchar_t about[ABOUT_TEXT_CAPACITY];
    build_about_text(*window_state.session.tool, about, ABOUT_TEXT_CAPACITY);
    show_message(about, CAPTION_ABOUT, MB_ICONINFORMATION);
}
