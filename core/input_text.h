// Reading a number that the user typed into an input field.
#pragma once

// Longest input text that is read; characters beyond it are ignored.
constexpr int INPUT_TEXT_CAPACITY = 128;

// Reads text by the rules of wcstod: leading white space skipped, the longest prefix that forms
// a number read (sign, digits, fraction, exponent, hexadecimal, infinity and not-a-number words),
// the rest ignored; no such prefix, an empty text or spaces read as 0. The full-width digits,
// point, signs and exponent letters, the ideographic full stop (as the point) and the ideographic
// space (as white space) read as their ASCII twins. Stores the value and returns true when it is
// finite; returns false (value still stored) for infinity or NaN.
bool input_text_to_value(const wchar_t* text, double* value);
