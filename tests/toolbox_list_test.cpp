// The toolbox's list: categories in their order with their programs, the filter, moving over
// headings, and the self-test report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolbox_rows.h"
#include "toolbox/toolbox_list.h"

namespace {

// A small catalogue of its own, with a category outside the fixed order and ASCII names.
const ToolDef nursing = {.id = 1,
                         .title = L"Morse 跌倒风险评估",
                         .subtitle = L"六项评分",
                         .category = L"护理",
                         .reference = L"r"};
const ToolDef drugs = {.id = 2,
                       .title = L"输液滴速计算",
                       .subtitle = L"每分钟滴数",
                       .category = L"用药",
                       .reference = L"r"};
const ToolDef other = {.id = 3, .title = L"宣教卡", .category = L"宣教", .reference = L"r"};
const ToolDef surgery = {.id = 4,
                         .title = L"手术安全核查表",
                         .subtitle = L"三步核查",
                         .category = L"手术",
                         .reference = L"r"};
const ToolDef nursing2 = {.id = 5,
                          .title = L"NEWS2 早期预警评分",
                          .subtitle = L"生命体征",
                          .category = L"护理",
                          .reference = L"r"};
const ToolProgram programs[] = {{"morse-fall", &nursing},
                                {"drip-rate", &drugs},
                                {"teaching", &other},
                                {"surgical-checklist", &surgery},
                                {"news2", &nursing2}};
constexpr int count = 5;

std::vector<std::wstring> texts(const wchar_t* filter) {
    return toolbox_row_texts(programs, count, filter, L"# ");
}

TEST(ToolboxList, CategoriesInTheirOrderThenTheRest) {
    EXPECT_EQ(texts(L""),
              (std::vector<std::wstring>{L"# 护理", L"Morse 跌倒风险评估", L"NEWS2 早期预警评分",
                                         L"# 用药", L"输液滴速计算", L"# 手术", L"手术安全核查表",
                                         L"# 宣教", L"宣教卡"}));
    EXPECT_EQ(texts(nullptr), texts(L""));
}

TEST(ToolboxList, TheFilter) {
    struct Case {
        const wchar_t* filter;
        std::vector<std::wstring> rows;
    };
    const Case cases[] = {
        {L"跌倒", {L"# 护理", L"Morse 跌倒风险评估"}},
        {L"滴数", {L"# 用药", L"输液滴速计算"}}, // the subtitle
        {L"DRIP", {L"# 用药", L"输液滴速计算"}}, // the file name, in either case
        {L"mOrSe", {L"# 护理", L"Morse 跌倒风险评估"}},
        {L"ｎｅｗｓ２", {L"# 护理", L"NEWS2 早期预警评分"}}, // full width
        {L"ＮＥＷＳ", {L"# 护理", L"NEWS2 早期预警评分"}},
        {L"-check", {L"# 手术", L"手术安全核查表"}},
        {L"评", {L"# 护理", L"Morse 跌倒风险评估", L"NEWS2 早期预警评分"}},
        {L"宣教", {L"# 宣教", L"宣教卡"}},
        {L"没有", {}},
        {L"morse-x", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(texts(c.filter), c.rows) << std::wstring(c.filter).size();
}

TEST(ToolboxList, MovingOverHeadings) {
    ToolboxList list;
    toolbox_build_list(programs, count, L"", &list);
    EXPECT_EQ(toolbox_program_row(list, 0, 1), 1);
    EXPECT_EQ(toolbox_program_row(list, 3, 1), 4);
    EXPECT_EQ(toolbox_program_row(list, 3, -1), 2);
    EXPECT_EQ(toolbox_program_row(list, 0, -1), -1);
    EXPECT_EQ(toolbox_program_row(list, list.count, 1), -1);
    toolbox_build_list(programs, count, L"没有", &list);
    EXPECT_EQ(toolbox_program_row(list, 0, 1), -1);
}

TEST(ToolboxList, SelftestReport) {
    struct Presence {
        static ProgramFile all_but_teaching(const ToolProgram& program, void* seen) {
            ++*static_cast<int*>(seen);
            return std::string(program.name) != "teaching" ? ProgramFile::present
                                                           : ProgramFile::missing;
        }
        static ProgramFile all(const ToolProgram&, void*) { return ProgramFile::present; }
        static ProgramFile news2_invalid(const ToolProgram& program, void*) {
            return std::string(program.name) == "news2" ? ProgramFile::invalid
                                                        : ProgramFile::present;
        }
    };
    wchar_t report[2048];
    int seen = 0;
    EXPECT_EQ(
        toolbox_selftest_report(programs, count, Presence::all_but_teaching, &seen, report, 2048),
        2);
    EXPECT_EQ(seen, count);
    EXPECT_STREQ(report, L"PROGRAM|morse-fall|Morse 跌倒风险评估|护理|present\r\n"
                         L"PROGRAM|drip-rate|输液滴速计算|用药|present\r\n"
                         L"PROGRAM|teaching|宣教卡|宣教|missing\r\n"
                         L"PROGRAM|surgical-checklist|手术安全核查表|手术|present\r\n"
                         L"PROGRAM|news2|NEWS2 早期预警评分|护理|present\r\n");
    EXPECT_EQ(toolbox_selftest_report(programs, count, Presence::all, nullptr, report, 2048), 0);
    EXPECT_EQ(
        toolbox_selftest_report(programs, count, Presence::news2_invalid, nullptr, report, 2048),
        2);
    EXPECT_NE(std::wstring(report).find(L"PROGRAM|news2|NEWS2 早期预警评分|护理|invalid\r\n"),
              std::wstring::npos);
    // The whole suite fits the toolbox's list and its report.
    ToolboxList list;
    toolbox_build_list(TOOL_PROGRAMS, TOOL_PROGRAM_COUNT, L"", &list);
    int shown = 0;
    for (int r = 0; r < list.count; ++r) shown += list.rows[r].heading ? 0 : 1;
    EXPECT_EQ(shown, TOOL_PROGRAM_COUNT);
    EXPECT_LT(list.count, TOOLBOX_MAX_ROWS);
}

// The headers of a program: MZ, and the PE signature where the MZ header points, within the
// bytes read. An empty file, a text file, a cut one or a pointer past the end is no program.
TEST(ToolboxList, WindowsProgramHeader) {
    auto header = [](int length, unsigned offset, bool signature) {
        std::vector<unsigned char> bytes(static_cast<std::size_t>(length), 0);
        if (length >= 2) bytes[0] = 'M', bytes[1] = 'Z';
        if (length >= 0x40) {
            for (int i = 0; i < 4; ++i)
                bytes[0x3C + i] = static_cast<unsigned char>(offset >> (8 * i));
        }
        if (signature && offset + 4ull <= static_cast<unsigned long long>(length)) {
            bytes[offset] = 'P', bytes[offset + 1] = 'E';
        }
        return bytes;
    };
    struct Case {
        int length;
        unsigned offset;
        bool signature;
        bool program;
    };
    const Case cases[] = {
        {512, 0x80, true, true},   {0x84, 0x80, true, true},       {0x83, 0x80, true, false},
        {512, 0x80, false, false}, {512, 0xFFFFFFFE, true, false}, {0x3F, 0, false, false},
        {0, 0, false, false},
    };
    for (const Case& c : cases) {
        const std::vector<unsigned char> bytes = header(c.length, c.offset, c.signature);
        EXPECT_EQ(is_windows_program_header(bytes.data(), c.length), c.program)
            << c.length << " bytes, offset " << c.offset;
    }
    const unsigned char text[] = "MZ is not enough: this is a text file with no PE signature.....";
    EXPECT_FALSE(is_windows_program_header(text, static_cast<int>(sizeof text)));
    EXPECT_FALSE(is_windows_program_header(nullptr, 0));
}

} // namespace
