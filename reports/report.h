// Custom reports: a tool whose report kind is not 0 gets a multi-line report text, a one-line
// verdict and a level from here instead of formulas and rules.
#pragma once

#include "core/tool_def.h"

// Empties both buffers, writes the report of the kind (1 to 11) or the fallback for any other
// kind, and returns the level. Every write stays within its buffer's capacity.
int report_dispatch(int kind, const ToolDef& tool, const double* values, wchar_t* report,
                    int report_capacity, wchar_t* verdict, int verdict_capacity);
