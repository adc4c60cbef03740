// format_value with any double, any format name and capacities from 1 up: the text is always
// terminated within its capacity and nothing is written past it; dates survive a round trip.
#include <cwchar>

#include "core/civil_date.h"
#include "core/format.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int GUARD = 16;
constexpr wchar_t CANARY = 0x5A5A;

void check_round_trip(int year, int month, int day) {
    wchar_t text[DATE_TEXT_CAPACITY];
    civil_from_days(days_from_civil(year, month, day), text, DATE_TEXT_CAPACITY);
    wchar_t expected[DATE_TEXT_CAPACITY];
    std::swprintf(expected, DATE_TEXT_CAPACITY, L"%04d-%02d-%02d", year, month, day);
    FUZZ_CHECK(std::wcscmp(text, expected) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const double value = input.interesting_number();
    const int capacity = 1 + input.byte() % 160;
    char format[16];
    static const char* const names[] = {"f0", "f1", "f2", "f3", "int", "pct", "date"};
    const std::uint8_t pick = input.byte();
    if (pick < 7 * 30)
        std::strcpy(format, names[pick % 7]);
    else
        input.text(format, sizeof format, sizeof format);

    wchar_t buffer[160 + GUARD];
    for (wchar_t& c : buffer) c = CANARY;
    format_value(pick == 255 ? nullptr : format, value, buffer, capacity);
    FUZZ_CHECK(terminated_within(buffer, capacity));
    for (int i = capacity; i < 160 + GUARD; ++i) FUZZ_CHECK(buffer[i] == CANARY);

    // Calendar dates in a range well inside exact arithmetic.
    const int year = static_cast<int>(static_cast<unsigned>(input.integer()) % 2000001) - 1000000;
    const int month = 1 + input.byte() % 12;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
    check_round_trip(year, month, 1 + input.byte() % length);

    // Any day number: terminated, and cut rather than overrun at small capacities.
    std::int64_t day_number = 0;
    for (int i = 0; i < 8; ++i) day_number = (day_number << 8) | input.byte();
    const int date_capacity = 1 + input.byte() % DATE_TEXT_CAPACITY;
    for (wchar_t& c : buffer) c = CANARY;
    civil_from_days(day_number, buffer, date_capacity);
    FUZZ_CHECK(terminated_within(buffer, date_capacity));
    for (int i = date_capacity; i < 160 + GUARD; ++i) FUZZ_CHECK(buffer[i] == CANARY);
    return 0;
}
