// One window's calculation session: the tool, the inputs and outcome of the last Calculate that
// was accepted, and whether an input was edited since. Every reader of a result (the screen,
// Copy, Save) builds its text from here, never from another reader's output.
#pragma once

#include "core/tool_def.h"
#include "engine/engine.h"
#include "records/record_lines.h"
#include "screen/record_texts.h"

struct CalcSession {
    const ToolDef* tool;
    // The values of the last Calculate that passed the input check: the ones its outcome shows.
    double input_values[TOOL_MAX_INPUTS];
    CalcOutcome outcome;
    // When that Calculate ran, as the window's clock read it; what a printed record shows.
    LocalTime calculated;
    // An input's text has changed since the last Calculate that was accepted, so the outcome no
    // longer matches what the inputs show: Copy and Save refuse until the next Calculate.
    bool inputs_edited;
    // The outcome has been saved since the Calculate that made it.
    bool saved;
    // The patient's last assessment with the tool beside the outcome (build_previous_line); empty
    // when there is none. The window sets it; Copy and Print carry it under the verdict.
    wchar_t previous[PREVIOUS_LINE_CAPACITY];
};

// A session of the tool with no result yet.
void session_start(CalcSession* session, const ToolDef* tool);

// Reads the input edits' texts (one per input, in order). When every one is accepted, calculates
// the outcome from their declared values, clears inputs_edited and returns -1; otherwise returns
// the index of the first input refused, and the values and outcome stay those of the last
// Calculate.
int session_calculate(CalcSession* session, const wchar_t* const* texts);

// An input's text changed.
void session_input_edited(CalcSession* session);

// Forgets the result, as Reset does.
void session_reset(CalcSession* session);

// True when a result exists.
bool session_has_result(const CalcSession& session);

// The result reached the record file.
void session_mark_saved(CalcSession* session);

// True when a result exists that no Save has taken since its Calculate: closing would lose it.
bool session_result_unsaved(const CalcSession& session);

// The level the verdict is coloured by: the outcome's, or 0 without a result.
int session_level(const CalcSession& session);

// Why the result cannot be copied or saved now: needs_result when there is none, the edited-input
// hint after an edit; null when it can.
const wchar_t* session_refusal(const CalcSession& session, const wchar_t* needs_result);

// What Copy puts under the title: the patient line when a patient is named, then for a tool of
// formulas the line of its inputs, then build_copy_text of the outcome, then the last
// assessment's line when there is one.
void session_copy_text(const CalcSession& session, const PatientFields& patient, wchar_t* dest,
                       int capacity);

// The record of the outcome at that time, for the patient, with its record id and the outcome's
// headline value; false when it does not fit whole.
bool session_record_line(const CalcSession& session, const LocalTime& time,
                         const PatientFields& patient, const wchar_t* record_id, wchar_t* dest,
                         int capacity);
