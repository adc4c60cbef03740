// Calculate, Copy, Reset and About.
#include "ui/commands.h"

#include "core/input_text.h"
#include "core/text.h"
#include "engine/engine.h"
#include "ui/window_state.h"

namespace {

void show_message(const wchar_t* text, const wchar_t* caption, UINT icon) {
    MessageBoxW(window_state.main_window, text, caption, MB_OK | icon);
}

void set_status(const wchar_t* text) {
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, text);
    invalidate_main_window();
}

// Reads every input into input_values. The first one that is refused is named in a warning and
// gets the focus, and input_values keep the values of the last Calculate.
bool read_inputs() {
    // Twice the length that is read, so that a text too long to be read whole is seen as such.
    static wchar_t texts[TOOL_MAX_INPUTS][2 * INPUT_TEXT_CAPACITY];
    const wchar_t* text_of[TOOL_MAX_INPUTS] = {};
    const int count = tool_input_count(*window_state.tool);
    for (int j = 0; j < count; ++j) {
        texts[j][0] = L'\0';
        GetWindowTextW(window_state.input_edits[j], texts[j], 2 * INPUT_TEXT_CAPACITY);
        text_of[j] = texts[j];
    }
    const int refused =
        input_values_from_texts(*window_state.tool, text_of, window_state.input_values);
    if (refused < 0) return true;
    wchar_t message[MESSAGE_TEXT_CAPACITY];
    build_input_error_text(*window_state.tool, refused, message, MESSAGE_TEXT_CAPACITY);
    show_message(message, CAPTION_INPUT_ERROR, MB_ICONWARNING);
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

bool result_is_current(const wchar_t* needs_result) {
    if (text_is_empty(window_state.kept_result)) {
        show_message(needs_result, CAPTION_HINT, MB_ICONINFORMATION);
        return false;
    }
    if (window_state.inputs_edited) {
        show_message(TEXT_INPUTS_EDITED, CAPTION_HINT, MB_ICONINFORMATION);
        return false;
    }
    return true;
}

void calc_and_show() {
    if (!read_inputs()) return;
    window_state.inputs_edited = false;
    const ToolDef& tool = *window_state.tool;
    wchar_t result[CALC_RESULT_CAPACITY];
    wchar_t verdict[CALC_VERDICT_CAPACITY];
    tool_compute(tool, window_state.input_values, result, CALC_RESULT_CAPACITY, verdict,
                 CALC_VERDICT_CAPACITY, &window_state.level, window_state.kept_result,
                 KEPT_RESULT_CAPACITY);
    window_state.copy_text[0] = L'\0';
    SetWindowTextW(window_state.result_box, result);
    SetWindowTextW(window_state.verdict_label, verdict);
    build_copy_text(tool, result, verdict, window_state.copy_text, COPY_TEXT_CAPACITY);
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
    // Another program holding the clipboard, or no memory for the text: said, never called done.
    if (!OpenClipboard(window_state.main_window)) {
        set_status(STATUS_COPY_FAILED);
        return;
    }
    EmptyClipboard();
    const bool copied = put_on_clipboard(*window_state.tool, window_state.copy_text);
    CloseClipboard();
    set_status(copied ? TEXT_COPIED : STATUS_COPY_FAILED);
}

void reset_inputs() {
    const ToolDef& tool = *window_state.tool;
    for (int j = 0; j < tool_input_count(*window_state.tool); ++j) {
        wchar_t text[DEFAULT_TEXT_CAPACITY];
        build_start_text(tool, j, text, DEFAULT_TEXT_CAPACITY);
        SetWindowTextW(window_state.input_edits[j], text);
    }
    SetWindowTextW(window_state.result_box, L"");
    SetWindowTextW(window_state.verdict_label, TEXT_VERDICT_START);
    SetWindowTextW(window_state.note_label, tool.note != nullptr ? tool.note : L"");
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, TEXT_RESET_DONE);
    window_state.kept_result[0] = L'\0';
    window_state.level = 0;
    invalidate_main_window();
}

void show_about() {
    wchar_t about[ABOUT_TEXT_CAPACITY];
    build_about_text(*window_state.tool, about, ABOUT_TEXT_CAPACITY);
    show_message(about, CAPTION_ABOUT, MB_ICONINFORMATION);
}
