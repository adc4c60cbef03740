// Report kinds through the calculation engine and the self-test.
#include <gtest/gtest.h>

#include "app/selftest.h"
#include "engine/engine.h"
#include "tests/report_support.h"

namespace {

TEST(ReportThroughEngine, ReportIsTheResultAndItsLevelTheLevel) {
    const ReportTool tool(6, {{"drugA", 2}, {"drugB", 1}});
    const ReportRun direct = tool.run(4096, 512);
    static wchar_t result[4096], verdict[512], kept[8192];
    int level = -1;
    EXPECT_EQ(
        tool_compute(tool.tool(), tool.values(), result, 4096, verdict, 512, &level, kept, 8192),
        3);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(std::wstring(result), direct.report);
    EXPECT_EQ(std::wstring(verdict), L"禁忌：不可同瓶输注，需间隔冲管");
    EXPECT_EQ(std::wstring(kept), direct.report);
}

TEST(ReportThroughSelftest, FixedOutLineAndFlattenedDetail) {
    const ReportTool tool(4, {{"kind", 1}});
    static wchar_t report[SELFTEST_REPORT_CAPACITY];
    EXPECT_EQ(selftest_report(tool.tool(), report, SELFTEST_REPORT_CAPACITY), 0);
    EXPECT_EQ(
        std::wstring(report),
        L"TOOL|500|报告工具|护理\r\n"
        L"LEVEL|0\r\n"
        L"OUT|报告文本|见 DETAIL|\r\n"
        L"VERDICT|危急值必须闭环：报告、接收、处理、记录\r\n"
        L"DETAIL|常见检验危急值（参考，需以本院文件为准）： 血钾 <2.5 或 >6.5 mmol/L "
        L"血钠 <120 或 >160 mmol/L 血钙 <1.5 或 >3.5 mmol/L  "
        L"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。 "
        L"\r\nERRORS|0\r\n");
}

TEST(ReportThroughSelftest, LargestRosterOnTheDetailLine) {
    const ReportTool tool(1, {{"nurses", 40}, {"days", 31}});
    static wchar_t report[SELFTEST_REPORT_CAPACITY];
    EXPECT_EQ(selftest_report(tool.tool(), report, SELFTEST_REPORT_CAPACITY), 0);
    const std::wstring text = report;
    const std::size_t start = text.find(L"\r\nDETAIL|") + 9; // the OUT line names DETAIL too
    const std::size_t end = text.find(L"\r\n", start);
    // 6400 characters with 85 line ends (two per nurse, five more): CR dropped, LF a space.
    EXPECT_EQ(end - start, 6400u - 85u);
    EXPECT_EQ(text.substr(text.size() - 10), L"ERRORS|0\r\n");
}

} // namespace
