// Calendar dates as day numbers counted from 1970-01-01 in the proleptic Gregorian calendar.
#pragma once

#include <cstdint>

// Day number of a calendar date; month 1 to 12, day 1 to the length of the month.
std::int64_t days_from_civil(int year, int month, int day);

// Writes the date text "%04lld-%02lld-%02lld" of a day number, cut at capacity - 1. Day numbers of
// magnitude 2^62 or more, beyond exact date arithmetic, show "--".
void civil_from_days(std::int64_t day_number, wchar_t* dest, int capacity);

// Day numbers of this magnitude or more are beyond exact date arithmetic: 2^62.
constexpr std::int64_t DAY_NUMBER_LIMIT = std::int64_t{1} << 62;

// A text that fits every date text.
constexpr int DATE_TEXT_CAPACITY = 32;
