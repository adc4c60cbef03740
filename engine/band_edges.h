// Where a tool's grade changes along its headline: the values a chart draws as band edges. They
// come from the formulas and rules themselves, run by the formula language's evaluator, never
// from reading a condition's text.
#pragma once

#include "core/tool_def.h"

constexpr int BAND_EDGES_MAX = 8;

// Steps the headline through the range the tool can produce (its inputs walked through their
// declared values, from the lowest and from the defaults) at the resolution its format shows,
// and evaluates the rules at each step with the headline output at that value and the inputs of
// the walk that came closest to it. An edge lies halfway between two neighbouring steps whose
// level differs: Braden's "<= 12" grade ends at 12.5. Ascending, each once; returns how many
// (at most capacity). None for a tool without a headline.
int rule_band_edges(const ToolDef& tool, double* edges, int capacity);
