// Conversions between calendar dates and day numbers. The year is counted from March so that the
// leap day falls at its end; eras are 400-year cycles of 146097 days. Every division below works
// on non-negative operands except where the era is taken, which rounds down explicitly.
#include <cstdint>

#include "core/civil_date.h"
#include "core/text.h"

namespace {

constexpr std::int64_t DAYS_PER_ERA = 146097;
constexpr std::int64_t DAYS_0000_03_01_TO_1970_01_01 = 719468;

} // namespace

std::int64_t days_from_civil(int year, int month, int day) {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month > 2) ? (std::int64_t{month} - 3) : (std::int64_t{month} + 9);
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * DAYS_PER_ERA + doe - DAYS_0000_03_01_TO_1970_01_01;
}

void civil_from_days(std::int64_t day_number, wchar_t* dest, int capacity) {
    if (day_number >= DAY_NUMBER_LIMIT || day_number <= -DAY_NUMBER_LIMIT) {
        text_copy(dest, capacity, L"--");
        return;
    }
    const std::int64_t z = day_number + DAYS_0000_03_01_TO_1970_01_01;
    const std::int64_t era = (z >= 0 ? z : z - (DAYS_PER_ERA - 1)) / DAYS_PER_ERA;
    const std::int64_t doe = z - era * DAYS_PER_ERA;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    text_format(dest, capacity, L"%04lld-%02lld-%02lld", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day));
}
