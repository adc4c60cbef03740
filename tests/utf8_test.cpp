#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "core/utf8.h"

namespace {

TEST(Utf8, EncodesChineseAndAsciiText) {
    struct Case {
        const wchar_t* text;
        const char* expected;
    };
    const Case cases[] = {
        {L"", ""},
        {L"TOOL|138", "TOOL|138"},
        {L"护理", "\xE6\x8A\xA4\xE7\x90\x86"},
        {L"≤9", "\xE2\x89\xA4"
                "9"},
        {L"é", "\xC3\xA9"},
        {L"\r\n", "\r\n"},
    };
    for (const Case& c : cases) {
        char out[64];
        const int length = utf8_from_wide(c.text, out, 64);
        EXPECT_STREQ(out, c.expected);
        EXPECT_EQ(length, static_cast<int>(std::string(c.expected).size()));
    }
}

TEST(Utf8, ConvertsWholeOrNothing) {
    char out[7];
    EXPECT_EQ(utf8_from_wide(L"护理", out, 7), 6);
    EXPECT_EQ(utf8_from_wide(L"护理", out, 6), -1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(utf8_from_wide(L"abc", out, 0), -1);
}

TEST(Utf8, MalformedWideTextBecomesReplacementCharacter) {
    if constexpr (sizeof(wchar_t) == 2) {
        const wchar_t pair[] = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00), 0};
        char out[16];
        EXPECT_EQ(utf8_from_wide(pair, out, 16), 4);
        EXPECT_STREQ(out, "\xF0\x9F\x98\x80");
    }
    const wchar_t lone[] = {static_cast<wchar_t>(0xDC00), L'a', 0};
    char out[16];
    utf8_from_wide(lone, out, 16);
    EXPECT_STREQ(out, "\xEF\xBF\xBD"
                      "a");
}

TEST(Utf8, DecodesIntoWideText) {
    struct Case {
        const char* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"--selftest", L"--selftest"},
        {"\xE6\x8A\xA4\xE7\x90\x86", L"护理"},
        {"a\xFF"
         "b",
         L"a\xFFFD"
         L"b"},
        {"\xC0\xAF", L"\xFFFD\xFFFD"},           // overlong form
        {"\xE6\x8A", L"\xFFFD\xFFFD"},           // cut sequence
        {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"}, // encoded surrogate
    };
    for (const Case& c : cases) {
        wchar_t out[32];
        wide_from_utf8(c.text, out, 32);
        EXPECT_EQ(std::wstring(out), c.expected);
    }
    wchar_t small[3];
    EXPECT_EQ(wide_from_utf8("abcdef", small, 3), 2);
    EXPECT_STREQ(small, L"ab");
}

// Beyond U+10FFFF and the overlong four-byte forms are no characters: each byte is replaced.
TEST(Utf8, FourByteFormsOutsideUnicodeAreRefused) {
    struct Case {
        const char* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, // U+110000
        {"\xF7\xBF\xBF\xBF", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, // U+1FFFFF
        {"\xF0\x8F\xBF\xBF", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, // U+FFFF, overlong
        {"\xF0\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, // U+0000, overlong
    };
    for (const Case& c : cases) {
        wchar_t out[16];
        wide_from_utf8(c.text, out, 16);
        EXPECT_EQ(std::wstring(out), c.expected);
    }
}

// Supplementary characters go from UTF-8 to wide text and back unchanged: as a surrogate pair
// where wchar_t has 16 bits, as one unit where it has 32.
TEST(Utf8, SupplementaryCharactersRoundTrip) {
    struct Case {
        const char* text;
        std::uint32_t code_point;
    };
    const Case cases[] = {
        {"\xF0\x90\x80\x80", 0x10000},  {"\xF0\x9F\x98\x80", 0x1F600},
        {"\xF0\xAA\x9B\x96", 0x2A6D6},  {"\xF3\xA0\x87\xAF", 0xE01EF},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF}, {"\xF0\x9F\x8F\xBF", 0x1F3FF},
    };
    for (const Case& c : cases) {
        wchar_t wide[8];
        const int units = wide_from_utf8(c.text, wide, 8);
        if constexpr (sizeof(wchar_t) == 2) {
            ASSERT_EQ(units, 2);
            EXPECT_EQ(static_cast<std::uint32_t>(wide[0]),
                      0xD800 + ((c.code_point - 0x10000) >> 10));
            EXPECT_EQ(static_cast<std::uint32_t>(wide[1]), 0xDC00 + (c.code_point & 0x3FF));
        } else {
            ASSERT_EQ(units, 1);
            EXPECT_EQ(static_cast<std::uint32_t>(wide[0]), c.code_point);
        }
        const wchar_t* p = wide;
        EXPECT_EQ(wide_next_code_point(p), c.code_point);
        char back[8];
        EXPECT_EQ(utf8_from_wide(wide, back, 8), 4);
        EXPECT_STREQ(back, c.text);
    }
}

} // namespace
