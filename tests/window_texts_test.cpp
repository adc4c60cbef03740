#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "core/input_text.h"
#include "screen/window_texts.h"
#include "suite_version.h" // generated
#include "tools/catalog.h"

namespace {

const InputDef inputs[] = {{"a", L"感觉 1-4", L"", 3}, {"b", L"剂量", L"mg", 0.5}};
const ToolDef report_tool = {9,      L"排班", nullptr, L"护理", L"依据", nullptr, 2,
                             inputs, 0,       nullptr, 0,       nullptr, 1};

TEST(WindowTexts, DefaultValuesUseSixSignificantDigits) {
    struct Case {
        double value;
        const wchar_t* text;
    };
    const Case cases[] = {{3, L"3"},           {0.5, L"0.5"},    {1234567, L"1.23457e+06"},
                          {-2.25, L"-2.25"},   {1e-5, L"1e-05"}, {100000, L"100000"},
                          {0.1 + 0.2, L"0.3"}, {0, L"0"}};
    for (const Case& c : cases) {
        wchar_t text[DEFAULT_TEXT_CAPACITY];
        build_default_text(c.value, text, DEFAULT_TEXT_CAPACITY);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(WindowTexts, BradenTexts) {
    const ToolDef& tool = braden_tool;
    wchar_t text[ABOUT_TEXT_CAPACITY];
    build_reference_text(tool, text, REFERENCE_TEXT_CAPACITY);
    EXPECT_STREQ(text,
                 L"参考依据：Braden 评分 6-23 分；≤9 极高危，10-12 高危，13-14 中危，15-18 低危");
    build_header_line(tool, text, HEADER_LINE_CAPACITY);
    EXPECT_STREQ(text, L"护理  ·  六项子评分合计与风险分级");
    build_input_error_text(tool, 0, text, MESSAGE_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"第 1 项“感觉 1-4”请输入 1 到 4 的整数。");
    build_input_error_text(tool, 5, text, MESSAGE_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"第 6 项“摩擦力 1-3”请输入 1 到 3 的整数。");
    build_input_error_text(report_tool, 1, text, MESSAGE_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"第 2 项“剂量”请输入数字。");
    build_calc_status(tool, text, STATUS_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"计算完成  Braden 压疮风险评估");
    build_about_text(tool, text, ABOUT_TEXT_CAPACITY);
    EXPECT_STREQ(text, L"Braden 压疮风险评估\r\n\r\n分类：护理\r\n"
                       L"参考依据：Braden 评分 6-23 分；≤9 极高危，10-12 高危，13-14 中危，15-18 "
                       L"低危\r\n\r\n"
                       L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
                       L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n\r\n"
                       L"版本 " SUITE_VERSION L"    官网：www.halvimed.example");
}

TEST(WindowTexts, CopyAndClipboardTexts) {
    const ToolDef& braden = braden_tool;
    static wchar_t copy[COPY_TEXT_CAPACITY];
    build_copy_text(braden, L"Braden 总分：13 分\r\n", L"中危，加强观察与营养", copy,
                    COPY_TEXT_CAPACITY);
    EXPECT_STREQ(copy, L"Braden 总分：13 分\r\n—— 中危，加强观察与营养");
    const int capacity = clipboard_text_capacity(braden, copy);
    std::wstring clipboard(capacity, L'#');
    build_clipboard_text(braden, copy, &clipboard[0], capacity);
    EXPECT_STREQ(clipboard.c_str(),
                 L"Braden 压疮风险评估\r\nBraden 总分：13 分\r\n—— 中危，加强观察与营养");

    // A report's copy text is the report alone, whole up to the largest result the window holds.
    const std::wstring long_report(OUTCOME_RESULT_CAPACITY - 1, L'班');
    build_copy_text(report_tool, long_report.c_str(), L"判定", copy, COPY_TEXT_CAPACITY);
    EXPECT_TRUE(std::wstring(copy) == long_report) << "the report was cut";
    // A formula tool's largest result keeps its verdict line too.
    build_copy_text(braden, long_report.c_str(), L"判定", copy, COPY_TEXT_CAPACITY);
    EXPECT_TRUE(std::wstring(copy) == long_report + L"—— 判定") << "the verdict was cut";
    build_header_line(report_tool, copy, HEADER_LINE_CAPACITY);
    EXPECT_STREQ(copy, L"护理  ·  ");
}

} // namespace
