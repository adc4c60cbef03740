// The guide's wrapping rule, with every character one unit wide: rows never split an ASCII word or
// number that fits a row, Chinese text breaks anywhere, and nothing is lost or repeated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/guide_wrap.h"
#include "screen/window_texts.h"
#include "tools/catalog.h"

namespace {

std::vector<std::wstring> wrap(const std::wstring& text, int width) {
    std::vector<std::wstring> rows;
    for (std::size_t at = 0; at < text.size();) {
        const int left = static_cast<int>(text.size() - at);
        const int row = guide_row_length(text.c_str() + at, left, width < left ? width : left);
        rows.push_back(text.substr(at, static_cast<std::size_t>(row)));
        at += static_cast<std::size_t>(row);
    }
    return rows;
}

bool ascii_word(wchar_t c) { return c > L' ' && c < 0x7F; }

TEST(GuideWrap, WordsAndNumbersStayWhole) {
    struct Case {
        const wchar_t* text;
        int width;
        std::vector<std::wstring> rows;
    };
    const Case cases[] = {
        {L"the quick brown fox", 10, {L"the quick ", L"brown fox"}},
        {L"the quick brown fox", 9, {L"the quick ", L"brown fox"}},
        {L"the quick brown fox", 8, {L"the ", L"quick ", L"brown ", L"fox"}},
        {L"the quick brown fox", 19, {L"the quick brown fox"}},
        {L"体重指数BMI<18.5", 10, {L"体重指数", L"BMI<18.5"}},
        {L"减少 25%-50%", 8, {L"减少 ", L"25%-50%"}},
        {L"一二三四五六七", 3, {L"一二三", L"四五六", L"七"}},
        {L"G20210A 突变", 4, {L"G202", L"10A ", L"突变"}}, // a word wider than the row is cut
        {L"ab", 0, {L"a", L"b"}},                          // at least one character a row
    };
    for (const Case& c : cases) EXPECT_EQ(wrap(c.text, c.width), c.rows) << c.width;
}

// Every guide of every program, at every width from 8 to 40 characters.
TEST(GuideWrap, EveryGuideWrapsWithoutLossOrSplitWords) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        for (int i = 0; i < tool.input_count; ++i) {
            wchar_t guide[GUIDE_TEXT_CAPACITY];
            build_guide_text(tool, i, guide, GUIDE_TEXT_CAPACITY);
            std::wstring text = guide;
            for (std::size_t at = 0, end = 0; at < text.size(); at = end + 2) {
                end = text.find(L"\r\n", at);
                if (end == std::wstring::npos) end = text.size();
                const std::wstring line = text.substr(at, end - at);
                for (int width = 8; width <= 40; ++width) {
                    const std::vector<std::wstring> rows = wrap(line, width);
                    std::wstring joined;
                    for (std::size_t r = 0; r < rows.size(); ++r) {
                        joined += rows[r];
                        const std::size_t shown = rows[r].find_last_not_of(L' ') + 1;
                        EXPECT_LE(static_cast<int>(shown), width);
                        if (r + 1 == rows.size()) continue;
                        // A split word must be one wider than the whole row.
                        const wchar_t last = rows[r].back(), next = rows[r + 1].front();
                        if (!ascii_word(last) || !ascii_word(next)) continue;
                        std::size_t start = rows[r].size();
                        while (start > 0 && ascii_word(rows[r][start - 1])) --start;
                        EXPECT_EQ(start, 0u) << TOOL_PROGRAMS[p].name << " width " << width;
                    }
                    EXPECT_EQ(joined, line);
                }
            }
        }
    }
}

} // namespace
