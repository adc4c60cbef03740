// The values an input accepts, as its descriptor declares them: the check and the text that names
// them, shared by the window's refusal and the input guide so that the two never disagree.
#pragma once

#include "core/tool_def.h"

// True when the input declares a list of choices, or a lowest and a highest value.
bool input_declares_accepted(const InputDef& input);

// The number of values in the input's list of choices (0 when it has none), never more than the
// list holds.
int input_choice_count(const InputDef& input);

// How many values the input declares: its choices, or its steps from lowest to highest; 0 when
// it takes any value in its range, or declares nothing.
int input_declared_count(const InputDef& input);

// Finds the declared value that a typed value stands for. A stepped input's values are
// lowest + k × step, each written with the decimals of the step and of lowest and read back (so
// 36.6, never 36.600000000000001); a listed input's are its choices; an unstepped one takes any
// value from lowest to highest and keeps it. A typed value within a billionth of a step (of the
// range when unstepped, of the gap to the nearest other choice when listed) of a declared value
// stands for it, the same slack at every step; anything farther is refused. On success stores the
// declared value (minus zero as zero) in declared, which may be null, and returns true. An input
// that declares nothing accepts every finite value as it is.
bool input_declared_value(const InputDef& input, double typed, double* declared);

// True when value stands for one of the declared values (input_declared_value).
bool input_accepts(const InputDef& input, double value);

// What the input accepts, in words ("1 到 4 的整数", "0、15 或 30", "10、15、20 或 60",
// "25 到 45 之间的数值", "0 到 100 之间、5 的倍数"); empty when it declares nothing. Numbers are
// written as %g writes them.
void build_accepted_text(const InputDef& input, wchar_t* dest, int capacity);
