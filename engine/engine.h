// The calculation engine: one set of input values becomes a result text (one line per output),
// a verdict text and a level, or, for a tool with a report kind, the report of that kind.
#pragma once

#include "core/tool_def.h"

constexpr int OUTCOME_RESULT_CAPACITY = 8192;
constexpr int OUTCOME_VERDICT_CAPACITY = 512;

// What one calculation yields, whoever reads it: the screen, Copy, Save and the self-test.
struct CalcOutcome {
    wchar_t result[OUTCOME_RESULT_CAPACITY];   // one CR LF line per output, or the report
    wchar_t verdict[OUTCOME_VERDICT_CAPACITY]; // one line
    int level;                                 // 0 to 3
    wchar_t kept[OUTCOME_RESULT_CAPACITY];     // the result text, kept for Copy and Save
    // The output value table the formulas filled, slot i for outputs[i]; output_count 0 for a
    // tool with a report, whose outcome is its text.
    double output_values[TOOL_MAX_OUTPUTS];
    int output_count;
    // The value of the tool's headline output: NaN for a tool with a report, and for a headline
    // that could not be computed.
    double headline;
};

// Calculates the tool on the input values (one per input, in order) into outcome, as
// tool_compute does with the outcome's capacities. Returns the level.
int tool_calculate(const ToolDef& tool, const double* values, CalcOutcome* outcome);

// Capacities are in wide characters, terminator included. Returns the level, also stored through
// level_out. kept receives a copy of the result text.
int tool_compute(const ToolDef& tool, const double* values, wchar_t* result, int result_capacity,
                 wchar_t* verdict, int verdict_capacity, int* level_out, wchar_t* kept,
                 int kept_capacity);

// Written when no rule matched or the matching rule's verdict is empty.
extern const wchar_t* const ENGINE_FALLBACK_VERDICT;
// Appended once after the output lines when some output is not computable.
extern const wchar_t* const ENGINE_NOTE_LINE;
