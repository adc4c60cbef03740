// Reading a number that the user typed into an input field.
#pragma once

#include "core/tool_def.h"

// Longest input text that is read, terminator included: a longer text is refused, not cut.
constexpr int INPUT_TEXT_CAPACITY = 128;

// Reads a text that must be one decimal number and nothing else: blanks (spaces, tabs, the
// ideographic space) around it allowed, an optional sign, digits with an optional fraction and an
// optional exponent. The full-width digits, point, signs and exponent letters, the ideographic
// full stop (as the point) and the ideographic space (as a blank) read as their ASCII twins, as a
// Chinese input method types them. Anything else (empty, letters, a second
// number, hexadecimal, infinity or not-a-number words, a comma) is refused: returns false and
// leaves value alone. A finite number is stored and true returned.
bool input_text_to_number(const wchar_t* text, double* value);

// How one input's text is read: as one decimal number (input_text_to_number), taken as the
// declared value it stands for (input_declared_value). True when the value is taken.
bool input_value_from_text(const InputDef& input, const wchar_t* text, double* value);

// Reads the texts of every input of the tool, in order, by input_value_from_text. When every one is
// taken, stores all the values and returns -1; otherwise returns the index of the first one that is
// not and leaves values as they were, so that they stay those of the last reading that succeeded.
int input_values_from_texts(const ToolDef& tool, const wchar_t* const* texts, double* values);
