#include <algorithm>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "tests/test_support.h"
#include "tools/catalog.h"

namespace {

struct Outcome {
    std::wstring result;
    std::wstring verdict;
    int level;
    int returned;
    std::wstring kept;
};

Outcome compute(const ToolDef& tool, const double* values, int result_capacity = 4096,
                int verdict_capacity = 512, int kept_capacity = 8192) {
    static wchar_t result[8192], verdict[512], kept[8192];
    Outcome outcome{};
    outcome.level = -1;
    outcome.returned = tool_compute(tool, values, result, result_capacity, verdict,
                                    verdict_capacity, &outcome.level, kept, kept_capacity);
    outcome.result = result;
    outcome.verdict = verdict;
    outcome.kept = kept;
    return outcome;
}

TEST(Engine, BradenGrades) {
    struct Case {
        double values[6];
        const wchar_t* result;
        int level;
        const wchar_t* verdict;
    };
    const Case cases[] = {
        {{3, 2, 2, 2, 2, 2}, L"Braden 总分：13 分\r\n", 1, L"中危，加强观察与营养"},
        {{1, 1, 1, 2, 2, 2}, L"Braden 总分：9 分\r\n", 3, L"极高危，使用减压床垫并每 2 小时翻身"},
        {{2, 2, 2, 2, 2, 2}, L"Braden 总分：12 分\r\n", 2, L"高危，落实翻身与皮肤保护"},
        {{3, 3, 2, 2, 2, 2}, L"Braden 总分：14 分\r\n", 1, L"中危，加强观察与营养"},
        {{3, 3, 3, 2, 2, 2}, L"Braden 总分：15 分\r\n", 0, L"低危，常规护理"},
        {{2.4, 2, 2, 2, 2, 2}, L"Braden 总分：12 分\r\n", 1, L"中危，加强观察与营养"},
        {{1, 1, 1, 1, 1, 1}, L"Braden 总分：6 分\r\n", 3, L"极高危，使用减压床垫并每 2 小时翻身"},
        {{4, 4, 4, 4, 4, 3}, L"Braden 总分：23 分\r\n", 0, L"低危，常规护理"},
        {{0, -1, 9, 0, 0, 0}, L"Braden 总分：8 分\r\n", 3, L"极高危，使用减压床垫并每 2 小时翻身"},
        {{2.25, 2.25, 2, 2, 2, 2}, L"Braden 总分：12 分\r\n", 1, L"中危，加强观察与营养"},
        // The first sums past a grade's bound: each falls to the next grade.
        {{2, 2, 2, 2, 1, 1}, L"Braden 总分：10 分\r\n", 2, L"高危，落实翻身与皮肤保护"},
        {{3, 3, 2, 1, 2, 2}, L"Braden 总分：13 分\r\n", 1, L"中危，加强观察与营养"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = compute(braden_tool, c.values);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.level, c.level);
        EXPECT_EQ(outcome.returned, c.level);
        EXPECT_EQ(outcome.verdict, c.verdict);
        EXPECT_EQ(outcome.kept, outcome.result);
    }
}

const InputDef ab_inputs[] = {{"a", L"A", nullptr, 1}, {"b", L"B", nullptr, 2}};

ToolDef make_tool(int output_count, const OutputDef* outputs, int rule_count, const RuleDef* rules,
                  int report_kind = 0) {
    return ToolDef{900,       L"测试",      nullptr, L"类",      L"参考", nullptr,    2,
                   ab_inputs, output_count, outputs, rule_count, rules,   report_kind};
}

const double ab_values[] = {1, 2};

// A rule without a condition is passed over, never matched nor evaluated.
TEST(Engine, RuleWithANullConditionIsSkipped) {
    const InputDef inputs[] = {{"x", L"x", nullptr, 0}};
    const RuleDef rules[] = {{nullptr, 3, L"不应匹配"}, {"x>0", 2, L"正数"}, {"", 1, L"其他"}};
    const ToolDef tool = {7,      L"t", nullptr, L"c", L"r",  nullptr, 1,
                          inputs, 0,    nullptr, 3,    rules, 0};
    const double positive[] = {1};
    const double zero[] = {0};
    EXPECT_EQ(compute(tool, positive).verdict, L"正数");
    EXPECT_EQ(compute(tool, positive).level, 2);
    EXPECT_EQ(compute(tool, zero).verdict, L"其他");
    EXPECT_EQ(compute(tool, zero).level, 1);
}

TEST(Engine, FallbackVerdicts) {
    const OutputDef sum[] = {{"s", L"和", L"", "a+b", "f1"}};
    const RuleDef no_catch_all[] = {{"a>5", 3, L"大"}};
    const RuleDef empty_verdict[] = {{"a<5", 2, L""}};
    const RuleDef undefined_key[] = {{"zz>0", 3, L"不会"}, {"s==3", 1, L"三"}};
    const RuleDef failing_first[] = {{"a/0+1", 3, L"失败"}, {"", 0, L"兜底"}};
    struct Case {
        ToolDef tool;
        const wchar_t* result;
        int level;
        const wchar_t* verdict;
    };
    const Case cases[] = {
        {make_tool(0, nullptr, 0, nullptr), L"", 0, ENGINE_FALLBACK_VERDICT},
        {make_tool(1, sum, 1, no_catch_all), L"和：3.0\r\n", 0, ENGINE_FALLBACK_VERDICT},
        {make_tool(1, sum, 1, empty_verdict), L"和：3.0\r\n", 2, ENGINE_FALLBACK_VERDICT},
        {make_tool(1, sum, 2, undefined_key), L"和：3.0\r\n", 1, L"三"},
        {make_tool(1, sum, 2, failing_first), L"和：3.0\r\n", 0, L"兜底"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = compute(c.tool, ab_values);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.level, c.level);
        EXPECT_EQ(outcome.verdict, c.verdict);
    }
}

TEST(Engine, OutputLinesUnitsAndOrder) {
    const OutputDef units[] = {{"p", L"甲", L"ml", "a", "f0"},
                               {"q", L"乙", L"", "b", "f0"},
                               {"r", L"丙", nullptr, "a+b", nullptr}};
    const OutputDef reads_earlier[] = {{"first", L"一", nullptr, "a+b", "f0"},
                                       {"second", L"二", nullptr, "first*10", "f0"}};
    const OutputDef reads_later[] = {{"second", L"二", nullptr, "first*10", "f0"},
                                     {"first", L"一", nullptr, "a+b", "f0"}};
    const RuleDef reads_output[] = {{"second==30", 2, L"读到输出"}};
    struct Case {
        ToolDef tool;
        const wchar_t* result;
        int level;
    };
    const Case cases[] = {
        {make_tool(3, units, 0, nullptr), L"甲：1 ml\r\n乙：2\r\n丙：3.00\r\n", 0},
        {make_tool(2, reads_earlier, 1, reads_output), L"一：3\r\n二：30\r\n", 2},
        {make_tool(2, reads_later, 1, reads_output), L"二：0\r\n一：3\r\n", 0},
    };
    for (const Case& c : cases) {
        const Outcome outcome = compute(c.tool, ab_values);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.level, c.level);
    }
}

TEST(Engine, OutputsThatCannotBeComputed) {
    const OutputDef overflowing[] = {{"big", L"大数", L"x", "exp(1000)", "f2"},
                                     {"ok", L"正常", nullptr, "a", "f0"}};
    const OutputDef empty_formulas[] = {{"e", L"空", nullptr, "", "f1"},
                                        {"n", L"无", nullptr, nullptr, "f1"},
                                        {"d", L"除零", nullptr, "a/0+5", "f0"}};
    const RuleDef reads_big[] = {{"big>1", 3, L"读到无穷"}};
    struct Case {
        ToolDef tool;
        const wchar_t* result;
        int level;
    };
    const Case cases[] = {
        {make_tool(2, overflowing, 1, reads_big),
         L"大数：-- x\r\n正常：1\r\n（部分结果无法计算，请检查输入是否合理）\r\n", 3},
        {make_tool(3, empty_formulas, 0, nullptr),
         L"空：0.0\r\n无：0.0\r\n除零：5\r\n（部分结果无法计算，请检查输入是否合理）\r\n", 0},
    };
    for (const Case& c : cases) {
        const Outcome outcome = compute(c.tool, ab_values);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.level, c.level);
    }
}

// The headline is the named output's value, and NaN wherever there is no number to stand for the
// assessment.
TEST(Engine, HeadlineValue) {
    const OutputDef outputs[] = {{"first", L"一", nullptr, "a", "f0"},
                                 {"sum", L"和", nullptr, "a+b+first", "f1"},
                                 {"big", L"大", nullptr, "exp(1000)", "f1"},
                                 {"bad", L"坏", nullptr, "nokey", "f1"}};
    struct Case {
        const char* headline;
        int report_kind;
        double expected; // NaN: none
    };
    const double none = std::nan("");
    const Case cases[] = {
        {"sum", 0, 4},      {"first", 0, 1},    {"big", 0, none},  {"bad", 0, none},
        {"other", 0, none}, {nullptr, 0, none}, {"sum", 99, none},
    };
    for (const Case& c : cases) {
        ToolDef tool = make_tool(4, outputs, 0, nullptr, c.report_kind);
        tool.headline = c.headline;
        static CalcOutcome outcome;
        tool_calculate(tool, ab_values, &outcome);
        const std::string name = c.headline != nullptr ? c.headline : "(none)";
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(outcome.headline)) << name << " " << outcome.headline;
        else
            EXPECT_EQ(outcome.headline, c.expected) << name;
    }
}

TEST(Engine, LongLinesAreCutAt255Characters) {
    const std::wstring label(300, L'标');
    const OutputDef outputs[] = {{"x", label.c_str(), nullptr, "a", "f0"}};
    const Outcome outcome = compute(make_tool(1, outputs, 0, nullptr), ab_values);
    EXPECT_EQ(outcome.result, label.substr(0, 255));
}

TEST(Engine, CutResultCapacities) {
    const OutputDef outputs[] = {{"a1", L"甲", nullptr, "a", "f0"},
                                 {"b1", L"乙", nullptr, "1/0", "f0"}};
    const ToolDef tool = make_tool(2, outputs, 0, nullptr);
    const std::wstring full = L"甲：1\r\n乙：0\r\n（部分结果无法计算，请检查输入是否合理）\r\n";
    for (int capacity = 1; capacity <= static_cast<int>(full.size()) + 2; ++capacity) {
        GuardedBuffer<64> result, verdict, kept;
        int level = -1;
        tool_compute(tool, ab_values, result.text(), capacity, verdict.text(), 64, &level,
                     kept.text(), capacity);
        const std::size_t expected_length = std::min<std::size_t>(full.size(), capacity - 1);
        EXPECT_EQ(std::wstring(result.text()), full.substr(0, expected_length)) << capacity;
        EXPECT_EQ(std::wstring(kept.text()), full.substr(0, expected_length));
        EXPECT_TRUE(result.canary_intact() && kept.canary_intact() && verdict.canary_intact());
    }
}

TEST(Engine, TinyVerdictAndKeptCapacitiesStayInside) {
    const double braden_values[] = {3, 2, 2, 2, 2, 2};
    for (int capacity = 1; capacity <= 14; ++capacity) {
        GuardedBuffer<16> result, verdict, kept;
        int level = -1;
        tool_compute(braden_tool, braden_values, result.text(), capacity, verdict.text(), capacity,
                     &level, kept.text(), capacity);
        EXPECT_LT(text_length(verdict.text()), capacity);
        EXPECT_TRUE(result.canary_intact() && kept.canary_intact() && verdict.canary_intact());
    }
    const ToolDef empty = make_tool(0, nullptr, 0, nullptr);
    GuardedBuffer<16> result, verdict, kept;
    int level = -1;
    tool_compute(empty, ab_values, result.text(), 16, verdict.text(), 5, &level, kept.text(), 16);
    EXPECT_STREQ(verdict.text(), L"请核对输");
    EXPECT_TRUE(verdict.canary_intact());
}

TEST(Engine, ReportKindHandsEverythingToTheDispatcher) {
    const OutputDef never[] = {{"x", L"不用", nullptr, "a", "f0"}};
    const RuleDef never_rule[] = {{"", 3, L"不用"}};
    const Outcome outcome = compute(make_tool(1, never, 1, never_rule, 99), ab_values);
    EXPECT_EQ(outcome.result, L"（该工具暂无自定义报告）");
    EXPECT_EQ(outcome.verdict, L"暂无报告内容");
    EXPECT_EQ(outcome.level, 0);
    EXPECT_EQ(outcome.kept, outcome.result);
}

} // namespace
