#include "engine/engine.h"

#include <limits>

#include "core/format.h"
#include "core/text.h"
#include "expr/expr.h"
#include "reports/report.h"

const wchar_t* const ENGINE_FALLBACK_VERDICT = L"请核对输入参数后重新计算";
const wchar_t* const ENGINE_NOTE_LINE = L"（部分结果无法计算，请检查输入是否合理）\r\n";

namespace {

constexpr int VALUE_TEXT_CAPACITY = 128;
constexpr int LINE_CAPACITY = 256;

// Evaluates the outputs in order into the table, so that a formula reads the outputs before it
// as computed and the rest as 0, then writes one line per output. Returns true when every
// output was computable. computable[i] tells it for output i.
bool append_output_lines(const ToolDef& tool, const double* values, double* output_table,
                         bool* computable, wchar_t* result, int result_capacity) {
    const int count = tool_output_count(tool);
    bool all_computable = true;
    for (int i = 0; i < count; ++i) {
        int error = 0;
        output_table[i] =
            expr_evaluate(tool, tool.outputs[i].formula, values, output_table, &error);
        computable[i] = error == 0;
        if (error != 0) all_computable = false;
    }
    for (int i = 0; i < count; ++i) {
        const OutputDef& output = tool.outputs[i];
        wchar_t value_text[VALUE_TEXT_CAPACITY];
        format_value(output.format, output_table[i], value_text, VALUE_TEXT_CAPACITY);
        wchar_t line[LINE_CAPACITY];
        if (!text_is_empty(output.unit)) {
            text_format(line, LINE_CAPACITY, L"%ls：%ls %ls\r\n", output.label, value_text,
                        output.unit);
        } else {
            text_format(line, LINE_CAPACITY, L"%ls：%ls\r\n", output.label, value_text);
        }
        text_append(result, result_capacity, line);
    }
    return all_computable;
}

// The first rule whose condition is empty, or evaluates without error to a non-zero value.
const RuleDef* first_matching_rule(const ToolDef& tool, const double* values,
                                   const double* output_table) {
    for (int r = 0; r < tool.rule_count; ++r) {
        const RuleDef& rule = tool.rules[r];
        if (rule.condition == nullptr) continue;
        if (rule.condition[0] == '\0') return &rule;
        int error = 0;
        const double value = expr_evaluate(tool, rule.condition, values, output_table, &error);
        if (error == 0 && value != 0.0) return &rule;
    }
    return nullptr;
}

// The one calculation behind tool_compute and tool_calculate: the texts into the caller's
// buffers, the formulas' values into output_table and the headline's into headline (NaN when
// there is none or it could not be computed). Returns the level.
int calculate(const ToolDef& tool, const double* values, wchar_t* result, int result_capacity,
              wchar_t* verdict, int verdict_capacity, wchar_t* kept, int kept_capacity,
              double* output_table, double* headline) {
    int level = 0;
    *headline = std::numeric_limits<double>::quiet_NaN();
    text_copy(result, result_capacity, L"");
    text_copy(verdict, verdict_capacity, L"");
    text_copy(kept, kept_capacity, L"");
    for (int i = 0; i < TOOL_MAX_OUTPUTS; ++i) output_table[i] = 0;

    if (tool.report_kind != 0) {
        // The report generator decides everything, an empty verdict included.
        level = report_dispatch(tool.report_kind, tool, values, result, result_capacity, verdict,
                                verdict_capacity);
    } else {
        bool computable[TOOL_MAX_OUTPUTS] = {};
        if (tool.output_count > 0 &&
            !append_output_lines(tool, values, output_table, computable, result, result_capacity)) {
            text_append(result, result_capacity, ENGINE_NOTE_LINE);
        }
        const int h = tool_headline_index(tool);
        if (h >= 0 && computable[h]) *headline = output_table[h];
        const RuleDef* rule = first_matching_rule(tool, values, output_table);
        if (rule != nullptr) {
            text_copy(verdict, verdict_capacity, rule->verdict);
            level = rule->level;
        }
        if (text_is_empty(verdict)) text_copy(verdict, verdict_capacity, ENGINE_FALLBACK_VERDICT);
    }
    text_copy(kept, kept_capacity, result);
    return level;
}

} // namespace

int tool_compute(const ToolDef& tool, const double* values, wchar_t* result, int result_capacity,
                 wchar_t* verdict, int verdict_capacity, int* level_out, wchar_t* kept,
                 int kept_capacity) {
    double output_table[TOOL_MAX_OUTPUTS];
    double headline = 0;
    const int level = calculate(tool, values, result, result_capacity, verdict, verdict_capacity,
                                kept, kept_capacity, output_table, &headline);
    if (level_out != nullptr) *level_out = level;
    return level;
}

int tool_calculate(const ToolDef& tool, const double* values, CalcOutcome* outcome) {
    outcome->level = calculate(tool, values, outcome->result, OUTCOME_RESULT_CAPACITY,
                               outcome->verdict, OUTCOME_VERDICT_CAPACITY, outcome->kept,
                               OUTCOME_RESULT_CAPACITY, outcome->output_values, &outcome->headline);
    outcome->output_count = tool.report_kind != 0 ? 0 : tool_output_count(tool);
    return outcome->level;
}
