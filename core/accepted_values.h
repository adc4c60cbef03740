// The values an input accepts, as its descriptor declares them: the check and the text that names
// them, shared by the window's refusal and the input guide so that the two never disagree.
#pragma once

#include "core/tool_def.h"

// True when the input declares a lowest and a highest value.
bool input_declares_accepted(const InputDef& input);

// True when value is one of the declared values: finite, within lowest and highest, and a whole
// number of steps from lowest. Compared with a tolerance of a billionth (of the range, or of a
// step), so that decimal steps such as 0.1 are not defeated by binary fractions. An input that
// declares nothing accepts every finite value.
bool input_accepts(const InputDef& input, double value);

// What the input accepts, in words ("1 到 4 的整数", "0、15 或 30", "25 到 45 之间的数值",
// "0 到 100 之间、5 的倍数"); empty when it declares nothing. Numbers are written as %g writes
// them.
void build_accepted_text(const InputDef& input, wchar_t* dest, int capacity);
