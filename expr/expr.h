// The formula language of output formulas and rule conditions: infix arithmetic over doubles,
// comparisons, logical operators, a conditional operator, fourteen built-in functions and the
// tool's input and output keys as variables. Texts are parsed and computed in one pass.
#pragma once

#include "core/tool_def.h"

// Evaluates text against the input values and the output value table. Always writes *error_out:
// 0 when the whole text was read without failure and the value is finite, 1 otherwise. A failed
// evaluation still returns a defined value, and parsing goes on where it can:
// - a null or empty text, or one of blanks only: 0;
// - where an operand is due but none can start: 0, nothing consumed;
// - a "." that reads as no number, an unknown name, a function that is not built in or is called
//   with the other number of arguments, sqrt of x < 0, log or log10 of x <= 0, mod by zero: 0 in
//   its place;
// - ")" missing: the value inside (or the call's result); ":" missing after "?": the second
//   branch is read from where the ":" should be;
// - "/" or "%" by zero: the whole term is 0 and ends behind the divisor ("1/0+3" gives 3);
// - text left over after the expression: the value read so far ("2**3" gives 2);
// - a final value that is NaN or infinite: that value;
// - nesting deeper than EXPR_MAX_NESTING: 0.
double expr_evaluate(const ToolDef& tool, const char* text, const double* values,
                     const double* output_table, int* error_out);

// The built-ins: sqrt abs log log10 exp floor ceil round cbrt sign with one argument, min max pow
// mod with two. A name that is not built in, a built-in given the other number of arguments, or
// an argument outside the function's domain sets *error to 1 and gives 0.
double apply_function(const char* name, int argument_count, double a, double b, int* error);

// Nesting deeper than this many levels of "(", calls, prefix operators, "^" and "?" fails the
// evaluation instead of exhausting the stack.
constexpr int EXPR_MAX_NESTING = 256;
