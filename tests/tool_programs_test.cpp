// Every program of the suite, checked through its descriptor: names and ids unique, keys readable
// by the formula language, every report kind on exactly one program with the keys its report
// reads, a real report on the defaults, and a record header that fits.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/accepted_values.h"
#include "core/format.h"
#include "core/text.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "records/record_lines.h"
#include "reports/report.h"
#include "tests/tool_programs.h"

namespace {

bool declares(const ToolDef& tool, const char* key) {
    for (int i = 0; i < tool.input_count; ++i)
        if (std::string(tool.inputs[i].key) == key) return true;
    return false;
}

TEST(ToolPrograms, NamesIdsAndKeys) {
    ASSERT_GT(TOOL_PROGRAM_COUNT, REPORT_KIND_COUNT);
    std::set<std::string> names;
    std::set<int> ids;
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const std::string name = TOOL_PROGRAMS[p].name;
        EXPECT_TRUE(names.insert(name).second) << "program name twice: " << name;
        EXPECT_TRUE(ids.insert(tool.id).second) << "id twice: " << tool.id;
        EXPECT_LE(tool.input_count, TOOL_MAX_INPUTS) << name;
        std::set<std::string> keys;
        double values[TOOL_MAX_INPUTS] = {};
        for (int i = 0; i < tool.input_count; ++i) values[i] = 100 + i;
        for (int i = 0; i < tool.input_count; ++i) {
            const char* key = tool.inputs[i].key;
            EXPECT_TRUE(keys.insert(key).second) << name << ": key twice: " << key;
            // The formula language reads the key as this input's value.
            int error = 1;
            EXPECT_EQ(expr_evaluate(tool, key, values, nullptr, &error), 100 + i) << name << key;
            EXPECT_EQ(error, 0) << name << ": " << key << " is no identifier";
            EXPECT_FALSE(text_is_empty(tool.inputs[i].label)) << name;
        }
    }
}

TEST(ToolPrograms, EveryReportKindOnOneProgramWithTheKeysItReads) {
    int programs_of_kind[REPORT_KIND_COUNT + 1] = {};
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const char* name = TOOL_PROGRAMS[p].name;
        const ReportKindDef* report = report_kind_def(tool.report_kind);
        if (tool.report_kind == 0) {
            // A tool of formulas names the output that stands for it, one of its own.
            ASSERT_NE(tool.headline, nullptr) << name << " names no headline";
            EXPECT_GE(tool_headline_index(tool), 0) << name << ": " << tool.headline;
            continue;
        }
        EXPECT_EQ(tool.headline, nullptr) << name << ": a report has no headline";
        ASSERT_NE(report, nullptr) << name << " has kind " << tool.report_kind;
        ++programs_of_kind[tool.report_kind];
        EXPECT_EQ(tool.output_count, 0) << name;
        EXPECT_EQ(tool.rule_count, 0) << name;
        for (int k = 0; k < report->key_count; ++k)
            EXPECT_TRUE(declares(tool, report->keys[k])) << name << " lacks " << report->keys[k];
        EXPECT_EQ(tool.input_count, report->key_count) << name << " has inputs no report reads";
    }
    for (int kind = 1; kind <= REPORT_KIND_COUNT; ++kind)
        EXPECT_EQ(programs_of_kind[kind], 1) << "report kind " << kind;
}

TEST(ToolPrograms, DefaultsGiveARealResultAndTheRecordHeaderFits) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const char* name = TOOL_PROGRAMS[p].name;
        double values[TOOL_MAX_INPUTS] = {};
        for (int i = 0; i < tool_input_count(tool); ++i) values[i] = tool.inputs[i].default_value;
        static wchar_t result[8192], verdict[512], kept[8192];
        int level = -1;
        tool_compute(tool, values, result, 8192, verdict, 512, &level, kept, 8192);
        EXPECT_FALSE(text_is_empty(result)) << name;
        EXPECT_FALSE(text_is_empty(verdict)) << name;
        EXPECT_STRNE(verdict, L"暂无报告内容") << name;
        EXPECT_STRNE(verdict, ENGINE_FALLBACK_VERDICT) << name;

        // A tool of formulas and rules: every formula and condition evaluates on the defaults,
        // and the last rule catches what the others leave.
        double outputs[TOOL_MAX_OUTPUTS] = {};
        for (int o = 0; o < tool_output_count(tool); ++o) {
            EXPECT_TRUE(format_name_known(tool.outputs[o].format))
                << name << " " << tool.outputs[o].key << ": unknown format";
            int error = 1;
            outputs[o] = expr_evaluate(tool, tool.outputs[o].formula, values, outputs, &error);
            EXPECT_EQ(error, 0) << name << " " << tool.outputs[o].key;
        }
        for (int r = 0; r < tool.rule_count; ++r) {
            if (tool.rules[r].condition[0] == '\0') continue;
            int error = 1;
            expr_evaluate(tool, tool.rules[r].condition, values, outputs, &error);
            EXPECT_EQ(error, 0) << name << " rule " << r;
        }
        if (tool.rule_count > 0) {
            EXPECT_STREQ(tool.rules[tool.rule_count - 1].condition, "") << name;
        }

        wchar_t header[RECORD_HEADER_CAPACITY * 2];
        build_record_header(tool, header, RECORD_HEADER_CAPACITY * 2);
        EXPECT_LT(text_length(header), RECORD_HEADER_CAPACITY) << name;
    }
}

// Every input declares what it accepts, and its default is one of those values, so that a window
// that has only been opened and calculated never refuses. Each step divides the range: the
// highest value is one of the accepted ones.
TEST(ToolPrograms, EveryInputDeclaresAcceptedValuesThatHoldItsDefault) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const char* name = TOOL_PROGRAMS[p].name;
        for (int i = 0; i < tool_input_count(tool); ++i) {
            const InputDef& input = tool.inputs[i];
            ASSERT_TRUE(input_declares_accepted(input)) << name << " " << input.key;
            EXPECT_LT(input.lowest, input.highest) << name << " " << input.key;
            EXPECT_GE(input.step, 0) << name << " " << input.key;
            EXPECT_TRUE(input_accepts(input, input.default_value)) << name << " " << input.key;
            EXPECT_TRUE(input_accepts(input, input.lowest)) << name << " " << input.key;
            EXPECT_TRUE(input_accepts(input, input.highest))
                << name << " " << input.key << ": the step does not divide the range";
            // A list of choices fits its table, rises, and spans lowest to highest.
            const InputChoices& choices = input.choices;
            EXPECT_LE(choices.count, INPUT_MAX_CHOICES) << name << " " << input.key;
            if (choices.count > 0) {
                EXPECT_EQ(choices.values[0], input.lowest) << name << " " << input.key;
                EXPECT_EQ(choices.values[input_choice_count(input) - 1], input.highest)
                    << name << " " << input.key;
                for (int c = 1; c < input_choice_count(input); ++c)
                    EXPECT_LT(choices.values[c - 1], choices.values[c]) << name << " " << input.key;
            }
        }
    }
}

} // namespace
