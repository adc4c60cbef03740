// The facilities every report uses: input lookup, the integer conversion and bounded appends.
#include <cmath>
#include <cstdarg>
#include <cstring>

#include "core/text.h"
#include "reports/report.h"

namespace {

constexpr int LINE_CAPACITY = 512;
constexpr int INT_MIN_VALUE = -2147483647 - 1;

} // namespace

double report_input_value(const ToolDef& tool, const double* values, const char* key) {
    for (int i = 0; i < tool.input_count; ++i) {
        if (std::strcmp(tool.inputs[i].key, key) == 0) return values[i];
    }
    return 0.0;
}

int report_to_int(double value) {
    // Compared before converting, so that NaN and out-of-range values never reach the cast.
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT_MIN_VALUE;
    return static_cast<int>(value);
}

int report_input_int(const ToolDef& tool, const double* values, const char* key) {
    return report_to_int(report_input_value(tool, values, key));
}

void report_append_line(wchar_t* report, int report_capacity, const wchar_t* format, ...) {
    wchar_t line[LINE_CAPACITY];
    va_list args;
    va_start(args, format);
    text_vformat(line, LINE_CAPACITY, format, args);
    va_end(args);
    text_append(report, report_capacity, line);
    text_append(report, report_capacity, L"\r\n");
}

void report_append_fixed_line(wchar_t* report, int report_capacity, const wchar_t* line) {
    text_append(report, report_capacity, line);
    text_append(report, report_capacity, L"\r\n");
}

void report_begin(wchar_t* report, int report_capacity, wchar_t* verdict, int verdict_capacity) {
    text_copy(report, report_capacity, L"");
    text_copy(verdict, verdict_capacity, L"");
}

void report_append_fixed_lines(wchar_t* report, int report_capacity, const wchar_t* const* lines,
                               int count) {
    for (int i = 0; i < count; ++i) report_append_fixed_line(report, report_capacity, lines[i]);
}

int report_clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

int report_choice(int value, int count) { return value >= 1 && value <= count ? value : 0; }
