// Every report tool of the catalogue accepts exactly the whole numbers its report takes as its
// own: a count input ends where the report's clamp begins, and each code input's codes select
// entries of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "reports/report.h"
#include "tests/tool_programs.h"

namespace {

// The report of the tool on its defaults, with input j set to value.
std::wstring report_with(const ToolDef& tool, int j, double value) {
    double values[TOOL_MAX_INPUTS] = {};
    for (int i = 0; i < tool_input_count(tool); ++i) values[i] = tool.inputs[i].default_value;
    values[j] = value;
    static CalcOutcome outcome;
    tool_calculate(tool, values, &outcome);
    return outcome.result;
}

// The report's own highest for the input's key; 0 when the report sets none.
int report_highest(const ReportKindDef& def, const char* key) {
    for (int k = 0; k < def.key_count; ++k)
        if (std::string(def.keys[k]) == key) return def.highest[k];
    return 0;
}

TEST(ReportLimits, EveryBoundedInputEndsWhereItsReportDoes) {
    int bounded = 0;
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const ReportKindDef* def = report_kind_def(tool.report_kind);
        if (def == nullptr) continue;
        for (int j = 0; j < tool_input_count(tool); ++j) {
            const InputDef& input = tool.inputs[j];
            const int highest = report_highest(*def, input.key);
            if (highest == 0) continue;
            ++bounded;
            SCOPED_TRACE(std::string(TOOL_PROGRAMS[p].name) + " " + input.key);
            EXPECT_EQ(input.lowest, 1);
            EXPECT_EQ(input.step, 1);
            EXPECT_EQ(input.highest, highest) << "the input and its report part";
            if (def->codes) {
                // Each accepted code shows its own entry: no two give the same report.
                std::vector<std::wstring> reports;
                for (int code = 1; code <= highest; ++code) {
                    const std::wstring report = report_with(tool, j, code);
                    for (std::size_t other = 0; other < reports.size(); ++other)
                        EXPECT_NE(report, reports[other]) << code << " shows code " << other + 1;
                    reports.push_back(report);
                }
            } else {
                // The highest still counts, and one more is the clamp.
                EXPECT_NE(report_with(tool, j, highest), report_with(tool, j, highest - 1));
                EXPECT_EQ(report_with(tool, j, highest + 1), report_with(tool, j, highest));
            }
        }
    }
    EXPECT_EQ(bounded, 11) << "five counts and six codes";
}

} // namespace
