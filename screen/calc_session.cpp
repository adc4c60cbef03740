#include "screen/calc_session.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "core/input_text.h"
#include "core/text.h"
#include "screen/record_texts.h"
#include "screen/window_texts.h"

void session_start(CalcSession* session, const ToolDef* tool) {
    session->tool = tool;
    std::fill(std::begin(session->input_values), std::end(session->input_values), 0.0);
    session->calculated = {};
    session_reset(session);
}

int session_calculate(CalcSession* session, const wchar_t* const* texts) {
    const int refused = input_values_from_texts(*session->tool, texts, session->input_values);
    if (refused >= 0) return refused;
    session->inputs_edited = false;
    session->saved = false;
    tool_calculate(*session->tool, session->input_values, &session->outcome);
    return -1;
}

void session_input_edited(CalcSession* session) { session->inputs_edited = true; }

void session_reset(CalcSession* session) {
    session->outcome.result[0] = L'\0';
    session->outcome.verdict[0] = L'\0';
    session->outcome.kept[0] = L'\0';
    session->outcome.level = 0;
    session->outcome.output_count = 0;
    session->outcome.headline = std::numeric_limits<double>::quiet_NaN();
    std::fill(std::begin(session->outcome.output_values), std::end(session->outcome.output_values),
              0.0);
    session->inputs_edited = false;
    session->saved = false;
    session->previous[0] = L'\0';
}

bool session_has_result(const CalcSession& session) { return !text_is_empty(session.outcome.kept); }

void session_mark_saved(CalcSession* session) { session->saved = true; }

bool session_result_unsaved(const CalcSession& session) {
    return session_has_result(session) && !session.saved;
}

int session_level(const CalcSession& session) {
    return session_has_result(session) ? session.outcome.level : 0;
}

const wchar_t* session_refusal(const CalcSession& session, const wchar_t* needs_result) {
    if (!session_has_result(session)) return needs_result;
    if (session.inputs_edited) return TEXT_INPUTS_EDITED;
    return nullptr;
}

void session_copy_text(const CalcSession& session, const PatientFields& patient, wchar_t* dest,
                       int capacity) {
    dest[0] = L'\0';
    wchar_t line[PATIENT_LINE_CAPACITY];
    build_patient_line(patient, nullptr, line, PATIENT_LINE_CAPACITY);
    if (!text_is_empty(line)) text_append_format(dest, capacity, L"%ls\r\n", line);
    static wchar_t inputs[COPY_TEXT_CAPACITY];
    build_inputs_line(*session.tool, session.input_values, inputs, COPY_TEXT_CAPACITY);
    if (!text_is_empty(inputs)) text_append_format(dest, capacity, L"%ls\r\n", inputs);
    static wchar_t copy[COPY_TEXT_CAPACITY];
    build_copy_text(*session.tool, session.outcome.result, session.outcome.verdict, copy,
                    COPY_TEXT_CAPACITY);
    text_append(dest, capacity, copy);
    if (!text_is_empty(session.previous))
        text_append_format(dest, capacity, L"\r\n%ls", session.previous);
}

bool session_record_line(const CalcSession& session, const LocalTime& time,
                         const PatientFields& patient, const wchar_t* record_id, wchar_t* dest,
                         int capacity) {
    const RecordEntry entry = {time,
                               session.input_values,
                               session.outcome.kept,
                               session.outcome.level,
                               session.outcome.verdict,
                               &patient,
                               record_id,
                               session.outcome.headline};
    return build_record(*session.tool, entry, dest, capacity);
}
