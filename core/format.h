// Value formats by name ("f0", "f1", "f2", "f3", "int", "pct", "date") and calendar dates as day
// numbers counted from 1970-01-01 in the proleptic Gregorian calendar.
#pragma once

#include <cstdint>

// Renders value under the format name into dest (capacity in wide characters, terminator
// included). NaN and infinities show "--"; so does a text that would not fit whole, because a
// number with digits cut off would read as a different number.
void format_value(const char* format, double value, wchar_t* dest, int capacity);

// Day number of a calendar date; month 1 to 12, day 1 to the length of the month.
std::int64_t days_from_civil(int year, int month, int day);

// Writes the date text "%04lld-%02lld-%02lld" of a day number, cut at capacity - 1. Day numbers of
// magnitude 2^62 or more, beyond exact date arithmetic, show "--".
void civil_from_days(std::int64_t day_number, wchar_t* dest, int capacity);

// Texts that fit every date text and every number text of format_value.
constexpr int DATE_TEXT_CAPACITY = 32;
