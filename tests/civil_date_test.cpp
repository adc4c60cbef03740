#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "core/civil_date.h"
#include "core/text.h"

namespace {

std::wstring date_text(std::int64_t day_number) {
    wchar_t text[DATE_TEXT_CAPACITY];
    civil_from_days(day_number, text, DATE_TEXT_CAPACITY);
    return text;
}

TEST(CivilDate, KnownDayNumbers) {
    struct Case {
        int year, month, day;
        std::int64_t day_number;
    };
    const Case cases[] = {
        {1970, 1, 1, 0},         {2000, 3, 1, 11017},    {2024, 2, 29, 19782}, {2026, 12, 7, 20794},
        {9999, 12, 31, 2932896}, {10000, 1, 1, 2932897}, {1, 1, 1, -719162},   {0, 3, 1, -719468},
        {0, 2, 29, -719469},     {-1, 12, 31, -719529},  {1969, 12, 31, -1},   {2000, 2, 29, 11016},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(days_from_civil(c.year, c.month, c.day), c.day_number) << c.year;
        wchar_t expected[DATE_TEXT_CAPACITY];
        text_format(expected, DATE_TEXT_CAPACITY, L"%04d-%02d-%02d", c.year, c.month, c.day);
        EXPECT_EQ(date_text(c.day_number), expected);
    }
}

TEST(CivilDate, LeapRulesOfTheGregorianCalendar) {
    EXPECT_EQ(days_from_civil(1900, 3, 1) - days_from_civil(1900, 2, 28), 1);
    EXPECT_EQ(days_from_civil(2000, 3, 1) - days_from_civil(2000, 2, 28), 2);
    EXPECT_EQ(days_from_civil(2100, 3, 1) - days_from_civil(2100, 2, 28), 1);
    EXPECT_EQ(days_from_civil(-400, 3, 1) - days_from_civil(-400, 2, 28), 2);
    EXPECT_EQ(days_from_civil(2027, 1, 1) - days_from_civil(2026, 1, 1), 365);
    EXPECT_EQ(days_from_civil(2025, 1, 1) - days_from_civil(2024, 1, 1), 366);
}

TEST(CivilDate, YearTextsKeepFourDigitsAndTheirSign) {
    EXPECT_EQ(date_text(days_from_civil(-1, 1, 1)), L"-001-01-01");
    EXPECT_EQ(date_text(days_from_civil(-10000, 6, 15)), L"-10000-06-15");
    EXPECT_EQ(date_text(days_from_civil(12345, 1, 1)), L"12345-01-01");
    EXPECT_EQ(date_text(days_from_civil(5, 7, 9)), L"0005-07-09");
}

// Every day number in a wide range survives the round trip through its date.
TEST(CivilDate, RoundTripOverAWideRange) {
    int previous_year = 0, previous_month = 0, previous_day = 0;
    bool first = true;
    for (std::int64_t n = -1000000; n <= 3000000; ++n) {
        wchar_t text[DATE_TEXT_CAPACITY];
        civil_from_days(n, text, DATE_TEXT_CAPACITY);
        int year = 0, month = 0, day = 0;
        const wchar_t* p = text;
        const bool negative = *p == L'-';
        if (negative) ++p;
        while (*p != L'-') year = year * 10 + (*p++ - L'0');
        ++p;
        month = (p[0] - L'0') * 10 + (p[1] - L'0');
        day = (p[3] - L'0') * 10 + (p[4] - L'0');
        if (negative) year = -year;
        ASSERT_EQ(days_from_civil(year, month, day), n) << n;
        if (!first) {
            const bool next_day =
                year == previous_year && month == previous_month && day == previous_day + 1;
            const bool next_month =
                year == previous_year && month == previous_month + 1 && day == 1;
            const bool next_year = year == previous_year + 1 && month == 1 && day == 1;
            ASSERT_TRUE(next_day || next_month || next_year) << n;
        }
        first = false;
        previous_year = year;
        previous_month = month;
        previous_day = day;
    }
}

TEST(CivilDate, LargeDayNumbersAndSmallBuffers) {
    const std::int64_t limit = std::int64_t{1} << 62;
    EXPECT_EQ(date_text(limit), L"--");
    EXPECT_EQ(date_text(-limit), L"--");
    EXPECT_EQ(date_text(INT64_MAX), L"--");
    EXPECT_EQ(date_text(INT64_MIN), L"--");
    EXPECT_NE(date_text(limit - 1), L"--");
    wchar_t small[5];
    civil_from_days(0, small, 5);
    EXPECT_STREQ(small, L"1970");
}

} // namespace
