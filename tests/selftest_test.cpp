#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "app/selftest.h"
#include "core/utf8.h"
#include "tools/catalog.h"

namespace {

std::wstring report_of(const ToolDef& tool, int* code = nullptr) {
    static wchar_t report[SELFTEST_REPORT_CAPACITY];
    const int result = selftest_report(tool, report, SELFTEST_REPORT_CAPACITY);
    if (code != nullptr) *code = result;
    return report;
}

std::string read_file(const char* path) {
    std::string bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return "<missing>";
    char chunk[4096];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, n);
    std::fclose(file);
    return bytes;
}

std::wstring widened(const char* ascii) {
    return std::wstring(ascii, ascii + std::string(ascii).size());
}

const wchar_t* const braden_report = L"TOOL|138|Braden 压疮风险评估|护理\r\n"
                                     L"LEVEL|1\r\n"
                                     L"OUT|Braden 总分|13|分\r\n"
                                     L"VERDICT|中危，加强观察与营养\r\n"
                                     L"DETAIL|Braden 总分：13 分 \r\n"
                                     L"ERRORS|0\r\n";

const InputDef ab_inputs[] = {{"a", L"A", nullptr, 1}, {"b", L"B", nullptr, 2}};

ToolDef make_tool(int output_count, const OutputDef* outputs, int report_kind = 0) {
    static const RuleDef rules[] = {{"", 1, L"判定"}};
    return ToolDef{7,         L"测试工具",  nullptr, L"测试", L"参考", nullptr,    2,
                   ab_inputs, output_count, outputs, 1,       rules,   report_kind};
}

TEST(Selftest, BradenReport) {
    int code = -1;
    EXPECT_EQ(report_of(braden_tool, &code), braden_report);
    EXPECT_EQ(code, 0);
}

TEST(Selftest, ReportsOfOtherTools) {
    const OutputDef empty_formula[] = {{"e", L"空", L"ml", "", "f1"}};
    const OutputDef second_reads_first[] = {{"first", L"一", nullptr, "a+b", "f0"},
                                            {"second", L"二", nullptr, "first*10", "f0"}};
    struct Case {
        ToolDef tool;
        const wchar_t* expected;
        int code;
    };
    const Case cases[] = {
        {make_tool(0, nullptr, 42),
         L"TOOL|7|测试工具|测试\r\nLEVEL|0\r\nOUT|报告文本|见 DETAIL|\r\nVERDICT|暂无报告内容\r\n"
         L"DETAIL|（该工具暂无自定义报告）\r\nERRORS|0\r\n",
         0},
        {make_tool(1, empty_formula),
         L"TOOL|7|测试工具|测试\r\nLEVEL|1\r\nOUT|空|0.0|ml\r\nVERDICT|判定\r\n"
         L"DETAIL|空：0.0 ml （部分结果无法计算，请检查输入是否合理） \r\nERRORS|1\r\n",
         2},
        {make_tool(2, second_reads_first),
         L"TOOL|7|测试工具|测试\r\nLEVEL|1\r\nOUT|一|3|\r\nOUT|二|0|\r\nVERDICT|判定\r\n"
         L"DETAIL|一：3 二：30 \r\nERRORS|0\r\n",
         0},
    };
    for (const Case& c : cases) {
        int code = -1;
        EXPECT_EQ(report_of(c.tool, &code), c.expected);
        EXPECT_EQ(code, c.code);
    }
}

TEST(Selftest, DetailLineOfTheLongestResult) {
    // 16 outputs with lines cut at 255 characters: the longest result text of formulas.
    const std::wstring label(260, L'长');
    OutputDef outputs[16];
    for (OutputDef& output : outputs) output = {"o", label.c_str(), nullptr, "a", "f0"};
    const std::wstring report = report_of(make_tool(16, outputs));
    const std::size_t start = report.find(L"DETAIL|") + 7;
    const std::size_t end = report.find(L"\r\n", start);
    EXPECT_EQ(report.substr(start, end - start), std::wstring(16 * 255, L'长'));
    EXPECT_EQ(report.substr(report.size() - 10), L"ERRORS|0\r\n");
}

TEST(Selftest, FlatteningDropsCarriageReturnsAndStopsAt8000) {
    struct Case {
        std::wstring text;
        std::wstring expected;
    };
    const std::wstring many(9000, L'x');
    std::wstring with_returns, without_returns;
    for (int i = 0; i < 4500; ++i) with_returns += L"ab\r";
    for (int i = 0; i < 4000; ++i) without_returns += L"ab";
    const Case cases[] = {
        {L"", L""},
        {L"一\r\n二\r\n", L"一 二 "},
        {L"\n\n", L"  "},
        {L"\r\r\r", L""},
        {many, many.substr(0, 8000)},
        {with_returns, without_returns}, // dropped carriage returns do not count
    };
    for (const Case& c : cases) {
        static wchar_t report[SELFTEST_REPORT_CAPACITY];
        report[0] = L'\0';
        selftest_append_detail(report, SELFTEST_REPORT_CAPACITY, c.text.c_str());
        EXPECT_EQ(std::wstring(report), c.expected);
    }
}

TEST(Selftest, RunWritesTheWholeReportAsUtf8) {
    const char* path = "selftest_unit_report.txt";
    std::remove(path);
    EXPECT_EQ(selftest_run(braden_tool, widened(path).c_str()), 0);
    char expected[1024];
    utf8_from_wide(braden_report, expected, sizeof expected);
    EXPECT_EQ(read_file(path), expected);
    std::remove(path);
}

TEST(Selftest, RunReportsAFileThatCannotBeWritten) {
    EXPECT_EQ(selftest_run(braden_tool, L"no_such_folder_here/sub/report.txt"),
              SELFTEST_WRITE_FAILED);
    EXPECT_EQ(selftest_run(braden_tool, L""), SELFTEST_WRITE_FAILED);
}

// The writer converts in chunks: a four-byte character is never split or pushed past a chunk's
// end, wherever the chunk boundary falls.
TEST(Selftest, WriteUtf8FileKeepsFourByteCharactersAtEveryChunkBoundary) {
    wchar_t emoji[4];
    ASSERT_GT(wide_from_utf8("\xF0\x9F\x98\x80", emoji, 4), 0);
    const char* path = "selftest_four_byte.txt";
    for (int lead = 0; lead < 8; ++lead) {
        std::wstring text(static_cast<std::size_t>(lead), L'a');
        std::string expected(static_cast<std::size_t>(lead), 'a');
        for (int i = 0; i < 3000; ++i) {
            text += emoji;
            expected += "\xF0\x9F\x98\x80";
        }
        ASSERT_TRUE(write_utf8_file(widened(path).c_str(), text.c_str()));
        EXPECT_TRUE(read_file(path) == expected) << "lead " << lead;
    }
    std::remove(path);
}

TEST(Selftest, WriteUtf8FileKeepsLongTextsWhole) {
    // 16383 Chinese characters: 49149 bytes of UTF-8, far beyond any small fixed buffer.
    const std::wstring text(16383, L'字');
    const char* path = "selftest_long_text.txt";
    ASSERT_TRUE(write_utf8_file(widened(path).c_str(), text.c_str()));
    const std::string bytes = read_file(path);
    ASSERT_EQ(bytes.size(), 16383u * 3u);
    EXPECT_EQ(bytes.substr(0, 3), "\xE5\xAD\x97");
    EXPECT_TRUE(write_utf8_file(widened(path).c_str(), L""));
    EXPECT_EQ(read_file(path), "");
    std::remove(path);
}

} // namespace
