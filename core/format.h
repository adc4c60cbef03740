// Value formats by name ("f0", "f1", "f2", "f3", "int", "pct", "date").
#pragma once

// Renders value under the format name into dest (capacity in wide characters, terminator
// included). NaN and infinities show "--"; so does a text that would not fit whole, because a
// number with digits cut off would read as a different number.
void format_value(const char* format, double value, wchar_t* dest, int capacity);

// True when format is one of the names above, "f2" included. Any other name, and a null one,
// renders as "f2" does; a descriptor names its format so that a misspelt one is caught.
bool format_name_known(const char* format);

// The value rounded to two decimals as "f2" shows it, less the zeros at its end and a point left
// bare: "1", "0.5", "12.25", "10000", never "1.00" (read as 10) or ".5". A dose is written so.
void format_dose(double value, wchar_t* dest, int capacity);

// The shortest text that reads back to the same value ("3", "36.5", "1234.5678", "1e+20"), as
// std::to_chars writes it ("inf", "-inf" and "nan" included); "--" when it would not fit whole.
void format_shortest(double value, wchar_t* dest, int capacity);
