// Value formats by name ("f0", "f1", "f2", "f3", "int", "pct", "date").
#pragma once

// Renders value under the format name into dest (capacity in wide characters, terminator
// included). NaN and infinities show "--"; so does a text that would not fit whole, because a
// number with digits cut off would read as a different number.
void format_value(const char* format, double value, wchar_t* dest, int capacity);

// True when format is one of the names above, "f2" included. Any other name, and a null one,
// renders as "f2" does; a descriptor names its format so that a misspelt one is caught.
bool format_name_known(const char* format);

// The shortest text that reads back to the same value ("3", "36.5", "1234.5678", "1e+20"), as
// std::to_chars writes it ("inf", "-inf" and "nan" included); "--" when it would not fit whole.
void format_shortest(double value, wchar_t* dest, int capacity);
