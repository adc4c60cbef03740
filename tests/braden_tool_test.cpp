#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/tool_def.h"
#include "tools/catalog.h"

namespace {

TEST(BradenTool, DescriptorTexts) {
    const ToolDef& tool = braden_tool;
    EXPECT_EQ(tool.id, 138);
    EXPECT_STREQ(tool.title, L"Braden 压疮风险评估");
    EXPECT_STREQ(tool.subtitle, L"六项子评分合计与风险分级");
    EXPECT_STREQ(tool.category, L"护理");
    EXPECT_STREQ(tool.reference, L"Braden 评分 6-23 分\xFF1B\x2264"
                                 L"9 极高危\xFF0C"
                                 L"10-12 高危\xFF0C"
                                 L"13-14 中危\xFF0C"
                                 L"15-18 低危");
    EXPECT_STREQ(tool.note, L"评分需每班/每日复评\xFF0C翻身\x3001减压与皮肤护理同步落实\x3002");
    EXPECT_EQ(tool.report_kind, 0);
}

TEST(BradenTool, InputsOutputAndRules) {
    const ToolDef& tool = braden_tool;
    struct Input {
        const char* key;
        const wchar_t* label;
        double default_value;
    };
    const Input inputs[] = {{"sensory", L"感觉 1-4", 3},   {"moist", L"潮湿 1-4", 2},
                            {"activity", L"活动 1-4", 2},  {"mobility", L"移动 1-4", 2},
                            {"nutrition", L"营养 1-4", 2}, {"friction", L"摩擦力 1-3", 2}};
    ASSERT_EQ(tool.input_count, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(tool.inputs[i].key, inputs[i].key);
        EXPECT_STREQ(tool.inputs[i].label, inputs[i].label);
        ASSERT_NE(tool.inputs[i].unit, nullptr);
        EXPECT_STREQ(tool.inputs[i].unit, L"");
        EXPECT_EQ(tool.inputs[i].default_value, inputs[i].default_value);
    }
    ASSERT_EQ(tool.output_count, 1);
    EXPECT_STREQ(tool.outputs[0].key, "total");
    EXPECT_STREQ(tool.outputs[0].label, L"Braden 总分");
    EXPECT_STREQ(tool.outputs[0].unit, L"分");
    EXPECT_STREQ(tool.outputs[0].formula, "sensory+moist+activity+mobility+nutrition+friction");
    EXPECT_STREQ(tool.outputs[0].format, "f0");

    const char* sum = "sensory+moist+activity+mobility+nutrition+friction";
    ASSERT_EQ(tool.rule_count, 4);
    const int bounds[] = {9, 12, 14};
    const int levels[] = {3, 2, 1, 0};
    const wchar_t* verdicts[] = {L"极高危\xFF0C使用减压床垫并每 2 小时翻身",
                                 L"高危\xFF0C落实翻身与皮肤保护", L"中危\xFF0C加强观察与营养",
                                 L"低危\xFF0C常规护理"};
    for (int r = 0; r < 4; ++r) {
        const std::string expected =
            r < 3 ? std::string(sum) + "<=" + std::to_string(bounds[r]) : std::string();
        EXPECT_EQ(tool.rules[r].condition, expected);
        EXPECT_EQ(tool.rules[r].level, levels[r]);
        EXPECT_STREQ(tool.rules[r].verdict, verdicts[r]);
    }
}

} // namespace
