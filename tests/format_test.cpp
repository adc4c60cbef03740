#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/format.h"
#include "tests/test_support.h"

namespace {

std::wstring shown(const char* format, double value, int capacity = 128) {
    wchar_t text[512];
    format_value(format, value, text, capacity);
    return text;
}

struct Case {
    const char* format;
    double value;
    const wchar_t* expected;
};

TEST(FormatValue, EveryFormatName) {
    const Case cases[] = {
        {"f0", 12.5, L"12"},        {"f0", 13.5, L"14"},      {"f0", 2.7, L"3"},
        {"f0", -2.5, L"-2"},        {"f0", -0.4, L"-0"},      {"f0", 13, L"13"},
        {"int", 12.5, L"12"},       {"int", 2.7, L"3"},       {"int", -0.4, L"-0"},
        {"f1", 2.25, L"2.2"},       {"f1", 2.35, L"2.4"},     {"f1", 7, L"7.0"},
        {"f2", 3.14159, L"3.14"},   {"f2", 0.125, L"0.12"},   {"f2", 0.375, L"0.38"},
        {"f2", 2.675, L"2.67"},     {"f2", -0.001, L"-0.00"}, {"f2", 1, L"1.00"},
        {"f3", 1, L"1.000"},        {"f3", 2, L"2.000"},      {"pct", 12.34, L"12.3%"},
        {"pct", 0.25, L"0.2%"},     {"pct", 0.5, L"0.5%"},    {"pct", 100, L"100.0%"},
        {"date", 0, L"1970-01-01"},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(c.format, c.value), c.expected) << c.format;
}

TEST(FormatValue, UnknownNamesFallBackToTwoDecimals) {
    const char* names[] = {nullptr, "f2", "F2", "f4", "", "date ", "Int"};
    for (const char* name : names) EXPECT_EQ(shown(name, 3.14159), L"3.14");
}

TEST(FormatValue, NegativeZeroKeepsItsSign) {
    EXPECT_EQ(shown("f0", -0.0), L"-0");
    EXPECT_EQ(shown("f1", -0.0), L"-0.0");
    EXPECT_EQ(shown("pct", -0.01), L"-0.0%");
}

TEST(FormatValue, NonFiniteShowsDashesUnderEveryName) {
    const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
    const char* names[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", nullptr, "xyz"};
    for (double value : specials)
        for (const char* name : names) EXPECT_EQ(shown(name, value), L"--");
}

TEST(FormatValue, DateTruncatesTowardZero) {
    const Case cases[] = {
        {"date", 1, L"1970-01-02"},       {"date", -1, L"1969-12-31"},
        {"date", 59, L"1970-03-01"},      {"date", 11016, L"2000-02-29"},
        {"date", 11017, L"2000-03-01"},   {"date", 20794, L"2026-12-07"},
        {"date", 2932896, L"9999-12-31"}, {"date", 2932897, L"10000-01-01"},
        {"date", -719162, L"0001-01-01"}, {"date", -719468, L"0000-03-01"},
        {"date", -719469, L"0000-02-29"}, {"date", -719529, L"-001-12-31"},
        {"date", 0.9, L"1970-01-01"},     {"date", -0.9, L"1970-01-01"},
        {"date", -1.5, L"1969-12-31"},    {"date", 19000.9, L"2022-01-08"},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(c.format, c.value), c.expected) << c.value;
}

TEST(FormatValue, DateBeyondExactArithmeticShowsDashes) {
    EXPECT_EQ(shown("date", 4611686018427387904.0), L"--");
    EXPECT_EQ(shown("date", -4611686018427387904.0), L"--");
    EXPECT_EQ(shown("date", 1e300), L"--");
    EXPECT_NE(shown("date", 4611686018427387904.0 - 1024.0), L"--");
}

TEST(FormatValue, NumbersAreNeverShownCut) {
    // 1e75 is stored as a 75-digit integer: with three decimals 79 characters, which fit 80;
    // 1e76 is stored as a 77-digit one and does not.
    EXPECT_EQ(shown("f3", 1e75, 80).size(), 79u);
    EXPECT_EQ(shown("f3", 1e76, 80), L"--");
    EXPECT_EQ(shown("f0", 1e300, 128), L"--");
    EXPECT_EQ(shown("f0", 1e300, 400).size(), 301u);
    EXPECT_EQ(shown("f0", -1.7976931348623157e308, 400).size(), 310u);
    EXPECT_EQ(shown("date", 2932897, 11), L"--"); // "10000-01-01" needs 12
    EXPECT_EQ(shown("date", 2932897, 12), L"10000-01-01");
}

TEST(FormatValue, SmallCapacitiesStayInsideTheBuffer) {
    for (int capacity = 1; capacity <= 6; ++capacity) {
        GuardedBuffer<8> buffer;
        format_value("f2", 3.14159, buffer.text(), capacity);
        EXPECT_LT(text_length(buffer.text()), capacity);
        EXPECT_TRUE(buffer.canary_intact());
        EXPECT_EQ(buffer.text()[capacity], GuardedBuffer<8>::canary);
    }
}

} // namespace
