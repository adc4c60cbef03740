// The calculation engine: one set of input values becomes a result text (one line per output),
// a verdict text and a level, or, for a tool with a report kind, the report of that kind.
#pragma once

#include "core/tool_def.h"

// Capacities are in wide characters, terminator included. Returns the level, also stored through
// level_out. kept receives a copy of the result text.
int tool_compute(const ToolDef& tool, const double* values, wchar_t* result, int result_capacity,
                 wchar_t* verdict, int verdict_capacity, int* level_out, wchar_t* kept,
                 int kept_capacity);

// Written when no rule matched or the matching rule's verdict is empty.
extern const wchar_t* const ENGINE_FALLBACK_VERDICT;
// Appended once after the output lines when some output is not computable.
extern const wchar_t* const ENGINE_NOTE_LINE;
