#include "app/selftest.h"

#include "core/format.h"
#include "core/text.h"
#include "engine/engine.h"
#include "expr/expr.h"

namespace {

constexpr int LEVEL_LINE_CAPACITY = 256;
constexpr int OUT_LINE_CAPACITY = 512;
constexpr int ERRORS_LINE_CAPACITY = 128;
constexpr int VALUE_TEXT_CAPACITY = 128;
constexpr int DETAIL_LIMIT = 8000;

// Each output evaluated by itself against a table of zeros, so that a formula naming another
// output reads 0 there. Returns the number of outputs that are not computable.
int append_output_lines(const ToolDef& tool, const double* values, wchar_t* report, int capacity) {
    int errors = 0;
    for (int i = 0; i < tool_output_count(tool); ++i) {
        const OutputDef& output = tool.outputs[i];
        const double zeros[TOOL_MAX_OUTPUTS] = {};
        int error = 0;
        const double value = expr_evaluate(tool, output.formula, values, zeros, &error);
        if (error != 0) ++errors;
        wchar_t value_text[VALUE_TEXT_CAPACITY];
        format_value(output.format, value, value_text, VALUE_TEXT_CAPACITY);
        wchar_t line[OUT_LINE_CAPACITY];
        text_format(line, OUT_LINE_CAPACITY, L"OUT|%ls|%ls|%ls\r\n", output.label, value_text,
                    output.unit != nullptr ? output.unit : L"");
        text_append(report, capacity, line);
    }
    return errors;
}

} // namespace

void selftest_append_detail(wchar_t* report, int capacity, const wchar_t* result) {
    int written = 0;
    for (const wchar_t* p = result; p != nullptr && *p != L'\0' && written < DETAIL_LIMIT; ++p) {
        if (*p == L'\r') continue;
        text_append_char(report, capacity, *p == L'\n' ? L' ' : *p);
        ++written;
    }
}

int selftest_report(const ToolDef& tool, wchar_t* report, int capacity) {
    double values[TOOL_MAX_INPUTS] = {};
    for (int i = 0; i < tool_input_count(tool); ++i) values[i] = tool.inputs[i].default_value;

    CalcOutcome outcome;
    const int level = tool_calculate(tool, values, &outcome);

    text_format(report, capacity, L"TOOL|%d|%ls|%ls\r\n", tool.id, tool.title, tool.category);
    wchar_t level_line[LEVEL_LINE_CAPACITY];
    text_format(level_line, LEVEL_LINE_CAPACITY, L"LEVEL|%d\r\n", level);
    text_append(report, capacity, level_line);

    int errors = 0;
    if (tool.report_kind != 0) {
        text_append(report, capacity, L"OUT|报告文本|见 DETAIL|\r\n");
    } else {
        errors = append_output_lines(tool, values, report, capacity);
    }
    text_append(report, capacity, L"VERDICT|");
    text_append(report, capacity, outcome.verdict);
    text_append(report, capacity, L"\r\n");
    text_append(report, capacity, L"DETAIL|");
    selftest_append_detail(report, capacity, outcome.result);
    text_append(report, capacity, L"\r\n");
    wchar_t errors_line[ERRORS_LINE_CAPACITY];
    text_format(errors_line, ERRORS_LINE_CAPACITY, L"ERRORS|%d\r\n", errors);
    text_append(report, capacity, errors_line);
    return errors > 0 ? SELFTEST_NOT_COMPUTABLE : SELFTEST_OK;
}

int selftest_run(const ToolDef& tool, const wchar_t* path) {
    wchar_t report[SELFTEST_REPORT_CAPACITY];
    const int code = selftest_report(tool, report, SELFTEST_REPORT_CAPACITY);
    if (!write_utf8_file(path, report)) return SELFTEST_WRITE_FAILED;
    return code;
}
