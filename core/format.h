// Value formats by name ("f0", "f1", "f2", "f3", "int", "pct", "date").
#pragma once

// Renders value under the format name into dest (capacity in wide characters, terminator
// included). NaN and infinities show "--"; so does a text that would not fit whole, because a
// number with digits cut off would read as a different number.
void format_value(const char* format, double value, wchar_t* dest, int capacity);
