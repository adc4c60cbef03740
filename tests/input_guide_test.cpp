// The input guides of every program: each code that a report tells apart is named in its input's
// guide as the report names it, the Braden guides hold their level lines in order, and every
// guide fits its area. The fit uses a fixed bound rather than a measured font: no character of
// font_small is wider than its 12-pixel height (CJK glyphs are one em wide, the rest narrower),
// and the painting advances by the layout's fixed heading and line heights.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "screen/layout.h"
#include "screen/window_texts.h"
#include "tests/tool_programs.h"

namespace {

constexpr int SMALL_FONT_CHARACTER_WIDTH = 12;
constexpr int CAPTION_FONT_CHARACTER_WIDTH = 14;

std::vector<std::wstring> lines_of(const wchar_t* text) {
    std::vector<std::wstring> lines;
    std::wstring rest = text != nullptr ? text : L"";
    for (std::size_t at = 0;;) {
        const std::size_t end = rest.find(L"\r\n", at);
        lines.push_back(rest.substr(at, end == std::wstring::npos ? end : end - at));
        if (end == std::wstring::npos) return lines;
        at = end + 2;
    }
}

// The report of a one-input tool with that input set to value, as lines.
std::vector<std::wstring> report_lines(const ToolDef& tool, int input, double value) {
    double values[TOOL_MAX_INPUTS] = {};
    for (int i = 0; i < tool.input_count; ++i) values[i] = tool.inputs[i].default_value;
    values[input] = value;
    static wchar_t result[8192], verdict[512], kept[8192];
    int level = 0;
    tool_compute(tool, values, result, 8192, verdict, 512, &level, kept, 8192);
    return lines_of(result);
}

// The guide line for code n: the one that starts with "n ".
std::wstring guide_line(const InputDef& input, int n) {
    const std::wstring start = std::to_wstring(n) + L" ";
    for (const std::wstring& line : lines_of(input.guide))
        if (line.compare(0, start.size(), start) == 0) return line;
    return L"<none for " + std::to_wstring(n) + L">";
}

// A line for codes beyond those listed, which the input refuses.
bool has_other_line(const InputDef& input) {
    for (const std::wstring& line : lines_of(input.guide))
        if (line.compare(0, 2, L"其他") == 0) return true;
    return false;
}

std::wstring before(const std::wstring& text, const wchar_t* mark) {
    return text.substr(0, text.find(mark));
}

TEST(InputGuide, EveryCodeIsNamedAsItsReportNamesIt) {
    struct Coded {
        const char* program;
        int input;
        // The subject of code n as the report writes it.
        std::wstring (*subject)(const std::vector<std::wstring>& report);
    };
    const Coded coded[] = {
        {"drug-compatibility", 0,
         [](const std::vector<std::wstring>& r) {
             return before(r[0].substr(r[0].find(L" 号 ") + 3), L"  +  ");
         }},
        {"drug-compatibility", 1,
         [](const std::vector<std::wstring>& r) { return r[0].substr(r[0].rfind(L" 号 ") + 3); }},
        {"blood-draw-order", 0,
         [](const std::vector<std::wstring>& r) { return before(r[8].substr(3), L" →"); }},
        {"high-alert-drugs", 0,
         [](const std::vector<std::wstring>& r) { return before(r[1], L"："); }},
        {"lab-panels", 0, [](const std::vector<std::wstring>& r) { return before(r[0], L"："); }},
        {"critical-values", 0,
         [](const std::vector<std::wstring>& r) { return r[1].substr(0, 2); }},
    };
    for (const Coded& c : coded) {
        const ToolDef& tool = program(c.program);
        const InputDef& input = tool.inputs[c.input];
        // Every code the input accepts, the last one included.
        for (int n = 1; n <= static_cast<int>(input.highest); ++n) {
            const std::wstring subject = c.subject(report_lines(tool, c.input, n));
            EXPECT_NE(guide_line(input, n).find(subject), std::wstring::npos)
                << c.program << " code " << n;
        }
        EXPECT_FALSE(has_other_line(input)) << c.program << ": a line for codes it refuses";
    }
}

TEST(InputGuide, BradenLevelLinesInOrder) {
    const ToolDef& braden = program("braden");
    for (int i = 0; i < braden.input_count; ++i) {
        const InputDef& input = braden.inputs[i];
        const std::wstring label = input.label;
        const int levels = label.back() - L'0'; // the label's range ends in its top level
        const std::vector<std::wstring> lines = lines_of(input.guide);
        ASSERT_EQ(static_cast<int>(lines.size()), levels) << input.key;
        for (int level = 1; level <= levels; ++level)
            EXPECT_EQ(lines[level - 1].substr(0, 2), std::to_wstring(level) + L" ") << input.key;
    }
}

TEST(InputGuide, BradenLinesThatFollowTheScale) {
    const ToolDef& braden = program("braden");
    const std::wstring lines[][2] = {
        {L"sensory",
         L"2 非常受限：仅对疼痛有反应，只能以呻吟或烦躁表达不适，或身体一半以上痛觉受损"},
        {L"sensory",
         L"3 轻度受限：对言语有反应，但不总能表达不适或翻身需要，或 1-2 个肢体痛觉受损"},
        {L"activity", L"4 经常步行：清醒时每天至少 2 次走出病室，在病室内约每 2 小时走动 1 次"},
    };
    for (const auto& line : lines) {
        const int input = line[0] == L"sensory" ? 0 : 2;
        const int level = line[1][0] - L'0';
        EXPECT_EQ(guide_line(braden.inputs[input], level), line[1]);
    }
}

TEST(InputGuide, EveryGuideFitsItsArea) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const char* name = TOOL_PROGRAMS[p].name;
        const bool room = layout::has_guide_area(tool.input_count);
        EXPECT_EQ(room, tool.input_count > 0) << name;
        if (!room) continue;
        const LayoutRect area = layout::guide_area(tool.input_count);
        for (int i = 0; i < tool.input_count; ++i) {
            const InputDef& input = tool.inputs[i];
            EXPECT_NE(input.guide, nullptr) << name << " " << input.key;
            // The whole text the panel shows: the heading, the "可填" line and the guide.
            wchar_t text[GUIDE_TEXT_CAPACITY];
            build_guide_text(tool, i, text, GUIDE_TEXT_CAPACITY);
            const std::vector<std::wstring> lines = lines_of(text);
            EXPECT_LE(static_cast<int>(lines[0].size()) * CAPTION_FONT_CHARACTER_WIDTH, area.width)
                << name;
            // The label beside the edit, in font_label (14 pixels, like the caption font).
            EXPECT_LE(static_cast<int>(std::wstring(input.label).size()) *
                          CAPTION_FONT_CHARACTER_WIDTH,
                      layout::ROW_LABEL.width)
                << name << " " << input.key;
            int height = layout::GUIDE_HEADING_HEIGHT;
            for (std::size_t l = 1; l < lines.size(); ++l) {
                const int width = static_cast<int>(lines[l].size()) * SMALL_FONT_CHARACTER_WIDTH;
                const int rows = width == 0 ? 1 : (width + area.width - 1) / area.width;
                height += rows * layout::GUIDE_LINE_HEIGHT;
            }
            EXPECT_LE(height, area.height) << name << " " << input.key;
        }
    }
}

TEST(InputGuide, AreaBelowTheRowsOnlyWhereThereIsRoom) {
    EXPECT_FALSE(layout::has_guide_area(0));
    const LayoutRect six = layout::guide_area(6);
    EXPECT_EQ(six.y, 343 + 16); // the sixth row's edit ends at 343
    EXPECT_EQ(six.bottom(), 648 - 12);
    EXPECT_EQ(layout::guide_area(11).height, 107);
    EXPECT_TRUE(layout::has_guide_area(11));
    EXPECT_EQ(layout::guide_area(12).height, 73); // less than 80: no guide
    EXPECT_FALSE(layout::has_guide_area(12));
}

TEST(InputGuide, TextIsTheLabelThenTheGuide) {
    const ToolDef& braden = program("braden");
    wchar_t text[GUIDE_TEXT_CAPACITY];
    build_guide_text(braden, 3, text, GUIDE_TEXT_CAPACITY);
    EXPECT_EQ(std::wstring(text),
              std::wstring(L"移动 1-4\r\n可填：1 到 4 的整数\r\n") + braden.inputs[3].guide);
    const InputDef bare[] = {{"x", L"x", nullptr, 0}};
    const ToolDef without = {1,    L"t", nullptr, L"c", L"r",    nullptr, 1,
                             bare, 0,    nullptr, 0,    nullptr, 0};
    build_guide_text(without, 0, text, GUIDE_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"");
    InputDef accepting = bare[0];
    accepting.lowest = 0;
    accepting.highest = 15;
    accepting.step = 15;
    const ToolDef only_accepted = {.id = 1,
                                   .title = L"t",
                                   .category = L"c",
                                   .reference = L"r",
                                   .input_count = 1,
                                   .inputs = &accepting};
    build_guide_text(only_accepted, 0, text, GUIDE_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"x\r\n可填：0 或 15");
    build_guide_text(braden, 6, text, GUIDE_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"");
}

} // namespace
