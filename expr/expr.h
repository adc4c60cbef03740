// The formula language of output formulas and rule conditions: infix arithmetic over doubles,
// comparisons, logical operators, a conditional operator, fourteen built-in functions and the
// tool's input and output keys as variables. Texts are parsed and computed in one pass.
#pragma once

#include "core/tool_def.h"

// Evaluates text against the input values and the output value table. Always writes *error_out:
// 0 when the whole text was read without failure and the value is finite, 1 otherwise. A failed
// evaluation still returns a defined value (see the failure table of the language).
double expr_evaluate(const ToolDef& tool, const char* text, const double* values,
                     const double* output_table, int* error_out);

// The one-argument built-ins: sqrt abs log log10 exp floor ceil round cbrt sign. An unknown name
// or an argument outside the domain sets *error to 1 and gives 0.
double apply_function1(const char* name, double x, int* error);

// Nesting deeper than this many levels of "(", calls, prefix operators, "^" and "?" fails the
// evaluation instead of exhausting the stack.
constexpr int EXPR_MAX_NESTING = 256;
