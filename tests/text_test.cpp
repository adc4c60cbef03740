#include <climits>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/text.h"
#include "tests/test_support.h"

namespace {

struct FormatCase {
    std::wstring actual;
    const wchar_t* expected;
};

TEST(TextFormat, IntegerConversions) {
    const FormatCase cases[] = {
        {formatted(L"%d", 42), L"42"},
        {formatted(L"%d", -7), L"-7"},
        {formatted(L"%05d", -42), L"-0042"},
        {formatted(L"%-4d|", 7), L"7   |"},
        {formatted(L"%4d|", 7), L"   7|"},
        {formatted(L"%+d %+d", 5, -5), L"+5 -5"},
        {formatted(L"% d", 5), L" 5"},
        {formatted(L"%.3d", 7), L"007"},
        {formatted(L"%d", INT_MIN), L"-2147483648"},
        {formatted(L"%lld", LLONG_MIN), L"-9223372036854775808"},
        {formatted(L"%04lld", -1LL), L"-001"},
        {formatted(L"%02lld", 5LL), L"05"},
        {formatted(L"%03d", 7), L"007"},
        {formatted(L"%03d", 1234), L"1234"},
        {formatted(L"%u", 4294967295u), L"4294967295"},
        {formatted(L"%x %X", 255, 255), L"ff FF"},
        {formatted(L"%#x", 255), L"0xff"},
        {formatted(L"%*d|", 5, 3), L"    3|"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

// The flags as C defines them, on both platforms: the Windows C runtime is no reference here.
TEST(TextFormat, FlagsActAsInC) {
    const FormatCase cases[] = {
        {formatted(L"%+u % u", 0u, 7u), L"0 7"},
        {formatted(L"%+x % X", 255u, 255u), L"ff FF"},
        {formatted(L"%#x %#X %#x", 0u, 26u, 1u), L"0 0X1A 0x1"},
        {formatted(L"%#.0f|%#.0e|%#.0f", 0.0, 1.0, 2.5), L"0.|1.e+00|2."},
        {formatted(L"%#g|%g", 1.5, 1.5), L"1.50000|1.5"},
        {formatted(L"%#.3g|%#.0g|%#G", 100.0, 3.0, 1e-5), L"100.|3.|1.00000E-05"},
        // Rounded up to the next power of ten, the zeros stay (glibc drops them here).
        {formatted(L"%#g", 999999.9), L"1.00000e+06"},
        {formatted(L"%+#08.1f|% .2e", 3.0, 0.5), L"+00003.0| 5.00e-01"},
        {formatted(L"%hd %hhd %hu %hhx", 70000, 300, 70000u, 0x1ffu), L"4464 44 4464 ff"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(TextFormat, FloatingConversionsRoundHalvesToEven) {
    const FormatCase cases[] = {
        {formatted(L"%.0f", 2.5), L"2"},
        {formatted(L"%.0f", 3.5), L"4"},
        {formatted(L"%.0f", 12.5), L"12"},
        {formatted(L"%.0f", -2.5), L"-2"},
        {formatted(L"%.2f", 0.125), L"0.12"},
        {formatted(L"%.2f", 0.375), L"0.38"},
        {formatted(L"%.2f", 2.675), L"2.67"},
        {formatted(L"%.1f", 2.25), L"2.2"},
        {formatted(L"%.1f", 2.35), L"2.4"},
        {formatted(L"%.0f", -0.4), L"-0"},
        {formatted(L"%.2f", -0.0), L"-0.00"},
        {formatted(L"%f", 1.5), L"1.500000"},
        {formatted(L"%.1f%%", 12.34), L"12.3%"},
        {formatted(L"%8.3f|", 3.14159), L"   3.142|"},
        {formatted(L"%-8.1f|", 3.14159), L"3.1     |"},
        {formatted(L"%08.2f", -3.5), L"-0003.50"},
        {formatted(L"%+.1f", 2.0), L"+2.0"},
        {formatted(L"%e", 12345.678), L"1.234568e+04"},
        {formatted(L"%.2E", 0.000123), L"1.23E-04"},
        {formatted(L"%g", 1234567.0), L"1.23457e+06"},
        {formatted(L"%.6g", 0.5), L"0.5"},
        {formatted(L"%.6g", 3.0), L"3"},
        {formatted(L"%g", 100000.0), L"100000"},
        {formatted(L"%g", 1e-5), L"1e-05"},
        {formatted(L"%g", 0.0001), L"0.0001"},
        {formatted(L"%G", 1e-10), L"1E-10"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(TextFormat, NonFiniteValues) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const FormatCase cases[] = {
        {formatted(L"%g", inf), L"inf"},
        {formatted(L"%g", -inf), L"-inf"},
        {formatted(L"%g", nan), L"nan"},
        {formatted(L"%g", -nan), L"nan"}, // the sign of a NaN is never shown
        {formatted(L"%.2f", inf), L"inf"},
        {formatted(L"%F", -inf), L"-INF"},
        {formatted(L"%05.1f", inf), L"  inf"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(TextFormat, WideWidthsOfLargeValuesAreExact) {
    const std::wstring text = formatted(L"%.0f", 1e300);
    EXPECT_EQ(text.size(), 301u);
    EXPECT_EQ(text.substr(0, 17), L"10000000000000000");
    EXPECT_EQ(formatted(L"%.3f", -1.7976931348623157e308).size(), 314u);
}

// Precisions up to the cap of 300 are honoured, larger ones print 300 digits; the widest double
// always fits the formatter's scratch.
TEST(TextFormat, PrecisionsUpToTheCapAndBeyond) {
    struct Case {
        const wchar_t* format;
        int precision;
        double value;
        std::size_t length;
    };
    const double largest = 1.7976931348623157e308;
    const Case cases[] = {
        {L"%.*f", 300, largest, 309 + 1 + 300},
        {L"%.*f", 301, largest, 309 + 1 + 300},
        {L"%.*f", 1000, -largest, 1 + 309 + 1 + 300},
        {L"%.*f", 1000, 5e-324, 1 + 1 + 300},
        {L"%.*e", 300, largest, 1 + 1 + 300 + 5},
        {L"%.*e", 5000, -5e-324, 1 + 1 + 1 + 300 + 5},
        {L"%#.*g", 1000, largest, 1 + 1 + 299 + 5},
        {L"%#.*g", 400, 0.1, 1 + 1 + 300},
        {L"%.*g", 1000, 0.1, 57},
    };
    for (const Case& c : cases) {
        const std::wstring text = formatted(c.format, c.precision, c.value);
        EXPECT_EQ(text.size(), c.length) << c.precision;
    }
    EXPECT_EQ(formatted(L"%.*f", 1000, 0.5).substr(0, 4), L"0.50");
    EXPECT_EQ(formatted(L"%.*e", 1000, largest).substr(0, 18), L"1.7976931348623157");
}

TEST(TextFormat, StringsCharactersAndPercent) {
    const FormatCase cases[] = {
        {formatted(L"%ls|%ls", L"护理", L""), L"护理|"},
        {formatted(L"[%ls]", static_cast<const wchar_t*>(nullptr)), L"[]"},
        {formatted(L"%5ls|%-5ls|", L"ab", L"cd"), L"   ab|cd   |"},
        {formatted(L"%.2ls", L"abc"), L"ab"},
        {formatted(L"%s", "narrow"), L"narrow"},
        {formatted(L"%d日%c ", 3, 'D'), L"3日D "},
        {formatted(L"100%%"), L"100%"},
        {formatted(L"%q %d", 5), L"%q 5"},
        {formatted(L"end %"), L"end %"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(TextBounds, FormatCutsAtCapacityAndTerminates) {
    struct Case {
        int capacity;
        const wchar_t* expected;
    };
    const Case cases[] = {{1, L""}, {2, L"a"}, {5, L"abcd"}, {9, L"abcdefgh"}, {20, L"abcdefgh"}};
    for (const Case& c : cases) {
        GuardedBuffer<20> buffer;
        const int length = text_format(buffer.text(), c.capacity, L"%ls", L"abcdefgh");
        EXPECT_EQ(std::wstring(buffer.text()), c.expected) << c.capacity;
        EXPECT_EQ(length, static_cast<int>(std::wstring(c.expected).size()));
        EXPECT_EQ(buffer.text()[c.capacity], GuardedBuffer<20>::canary) << c.capacity;
        EXPECT_TRUE(buffer.canary_intact());
    }
}

TEST(TextBounds, AppendAddsOnlyWhatFits) {
    struct Case {
        const wchar_t* start;
        const wchar_t* added;
        int capacity;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"ab", L"cdef", 10, L"abcdef"}, {L"ab", L"cdef", 5, L"abcd"}, {L"abcd", L"ef", 5, L"abcd"},
        {L"", L"xyz", 1, L""},           {L"ab", nullptr, 5, L"ab"},   {L"ab", L"", 5, L"ab"},
    };
    for (const Case& c : cases) {
        GuardedBuffer<16> buffer;
        text_copy(buffer.text(), c.capacity, c.start);
        text_append(buffer.text(), c.capacity, c.added);
        EXPECT_EQ(std::wstring(buffer.text()), c.expected);
        EXPECT_TRUE(buffer.canary_intact());
    }
}

TEST(TextBounds, AppendFormatAndCharacterKeepTheRule) {
    wchar_t buffer[8];
    text_copy(buffer, 8, L"ab");
    text_append_format(buffer, 8, L"%d-%d", 12, 34);
    EXPECT_STREQ(buffer, L"ab12-34");
    text_append_char(buffer, 8, L'x');
    EXPECT_STREQ(buffer, L"ab12-34");
    EXPECT_EQ(text_length(buffer), 7);
}

TEST(TextBounds, UnterminatedTextIsCutBeforeAppending) {
    wchar_t buffer[4] = {L'a', L'b', L'c', L'd'};
    text_append(buffer, 4, L"e");
    EXPECT_STREQ(buffer, L"abc");
}

TEST(TextBounds, NoWriteWithoutRoom) {
    wchar_t cell = L'Z';
    EXPECT_EQ(text_copy(&cell, 0, L"abc"), 0);
    EXPECT_EQ(text_format(&cell, -3, L"%d", 5), 0);
    EXPECT_EQ(cell, L'Z');
    EXPECT_EQ(text_copy(nullptr, 5, L"abc"), 0);
}

} // namespace
