#include "screen/calc_session.h"

#include <algorithm>
#include <iterator>

#include "core/input_text.h"
#include "core/text.h"
#include "screen/window_texts.h"

void session_start(CalcSession* session, const ToolDef* tool) {
    session->tool = tool;
    std::fill(std::begin(session->input_values), std::end(session->input_values), 0.0);
    session_reset(session);
}

int session_calculate(CalcSession* session, const wchar_t* const* texts) {
    const int refused = input_values_from_texts(*session->tool, texts, session->input_values);
    if (refused >= 0) return refused;
    session->inputs_edited = false;
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
    std::fill(std::begin(session->outcome.output_values), std::end(session->outcome.output_values),
              0.0);
    session->inputs_edited = false;
}

bool session_has_result(const CalcSession& session) { return !text_is_empty(session.outcome.kept); }

int session_level(const CalcSession& session) {
    return session_has_result(session) ? session.outcome.level : 0;
}

const wchar_t* session_refusal(const CalcSession& session, const wchar_t* needs_result) {
    if (!session_has_result(session)) return needs_result;
    if (session.inputs_edited) return TEXT_INPUTS_EDITED;
    return nullptr;
}

void session_copy_text(const CalcSession& session, wchar_t* dest, int capacity) {
    build_copy_text(*session.tool, session.outcome.result, session.outcome.verdict, dest, capacity);
}

void session_record_line(const CalcSession& session, const LocalTime& time, wchar_t* dest,
                         int capacity) {
    build_record_line(*session.tool, time, session.input_values, session.outcome.kept, dest,
                      capacity);
}
