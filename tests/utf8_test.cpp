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

} // namespace
