// Reading a number that the user typed into an input field.
#pragma once

#include "core/tool_def.h"

// Longest input text that is read; characters beyond it are ignored.
constexpr int INPUT_TEXT_CAPACITY = 128;

// Reads text by the rules of wcstod: leading white space skipped, the longest prefix that forms
// a number read (sign, digits, fraction, exponent, hexadecimal, infinity and not-a-number words),
// the rest ignored; no such prefix, an empty text or spaces read as 0. The full-width digits,
// point, signs and exponent letters, the ideographic full stop (as the point) and the ideographic
// space (as white space) read as their ASCII twins. Stores the value and returns true when it is
// finite; returns false (value still stored) for infinity or NaN.
bool input_text_to_value(const wchar_t* text, double* value);

// Reads a text that must be one decimal number and nothing else: blanks (spaces, tabs, the
// ideographic space) around it allowed, an optional sign, digits with an optional fraction and an
// optional exponent; full-width forms read as above. Anything else (empty, letters, a second
// number, hexadecimal, infinity or not-a-number words, a comma) is refused: returns false and
// leaves value alone. A finite number is stored and true returned.
bool input_text_to_number(const wchar_t* text, double* value);

// How one input's text is read: strictly, when the input declares accepted values, and then taken
// as the declared value it stands for (input_declared_value); by input_text_to_value otherwise.
// True when the value is taken.
bool input_value_from_text(const InputDef& input, const wchar_t* text, double* value);

// Reads the texts of every input of the tool, in order, by input_value_from_text. When every one is
// taken, stores all the values and returns -1; otherwise returns the index of the first one that is
// not and leaves values as they were, so that they stay those of the last reading that succeeded.
int input_values_from_texts(const ToolDef& tool, const wchar_t* const* texts, double* values);
