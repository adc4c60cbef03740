// Custom reports: a tool whose report kind is not 0 gets a multi-line report text, a one-line
// verdict and a level from here instead of formulas and rules. Every write into the report and
// verdict buffers stays within their capacities; text that does not fit is dropped silently.
#pragma once

#include <cstdint>

#include "core/tool_def.h"

// A report generator: it empties both buffers (report_begin), writes the report and the verdict
// and returns the level.
using ReportGenerator = int (*)(const ToolDef& tool, const double* values, wchar_t* report,
                                int report_capacity, wchar_t* verdict, int verdict_capacity);

constexpr int REPORT_KIND_COUNT = 11;
constexpr int REPORT_MAX_KEYS = 6;

// One report kind: its generator, and the input keys it reads, in the order it reads them. A tool
// of this kind declares inputs with these keys; a key that it does not declare reads as 0.
// highest[k] is the largest whole number the report takes for keys[k] (reports/report_limits.h),
// 0 where it sets none; when codes is true, 1 to highest[k] each select an entry of the report's
// table, otherwise a larger number is clamped to highest[k].
struct ReportKindDef {
    int key_count;
    bool codes;
    ReportGenerator generate;
    const char* keys[REPORT_MAX_KEYS];
    int highest[REPORT_MAX_KEYS];
};

// Kinds 1 to 11 (the names of core/report_kinds.h), in order.
extern const ReportKindDef REPORT_KINDS[REPORT_KIND_COUNT];

// The row of a kind; null for 0 and every other number without a report.
const ReportKindDef* report_kind_def(int kind);

// Writes the report of the kind (1 to 11) or the fallback for any other kind, and returns the
// level. Every report starts by emptying both buffers.
int report_dispatch(int kind, const ToolDef& tool, const double* values, wchar_t* report,
                    int report_capacity, wchar_t* verdict, int verdict_capacity);

// The value of the first input whose key equals key exactly; 0 when no input has it.
double report_input_value(const ToolDef& tool, const double* values, const char* key);

// Truncates toward zero; NaN and values outside the 32-bit range give -2147483648, which falls
// below every lower bound a report applies.
int report_to_int(double value);

// The input of that key as a whole number, by report_to_int.
int report_input_int(const ToolDef& tool, const double* values, const char* key);

// Formats one line (wide printf rules, into 512 characters) and appends it and CR LF, each by
// the bounded rule: the report never holds more than capacity - 1 characters.
void report_append_line(wchar_t* report, int report_capacity, const wchar_t* format, ...);

// Appends a fixed line as it stands (percent signs are not conversions), then CR LF.
void report_append_fixed_line(wchar_t* report, int report_capacity, const wchar_t* line);

// The generators, each a ReportGenerator.
int report_shift_rotation(const ToolDef& tool, const double* values, wchar_t* report,
                          int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_dosing_timetable(const ToolDef& tool, const double* values, wchar_t* report,
                            int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_blood_draw_order(const ToolDef& tool, const double* values, wchar_t* report,
                            int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_critical_values(const ToolDef& tool, const double* values, wchar_t* report,
                           int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_high_alert_drugs(const ToolDef& tool, const double* values, wchar_t* report,
                            int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_drug_compatibility(const ToolDef& tool, const double* values, wchar_t* report,
                              int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_follow_up_plan(const ToolDef& tool, const double* values, wchar_t* report,
                          int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_surgical_checklist(const ToolDef& tool, const double* values, wchar_t* report,
                              int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_handover_template(const ToolDef& tool, const double* values, wchar_t* report,
                             int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_infusion_card(const ToolDef& tool, const double* values, wchar_t* report,
                         int report_capacity, wchar_t* verdict, int verdict_capacity);
int report_laboratory_panels(const ToolDef& tool, const double* values, wchar_t* report,
                             int report_capacity, wchar_t* verdict, int verdict_capacity);

// The follow-up plan counted from a given today (a day number); report_follow_up_plan passes
// today's local date.
int report_follow_up_plan_from(const ToolDef& tool, const double* values, wchar_t* report,
                               int report_capacity, wchar_t* verdict, int verdict_capacity,
                               std::int64_t today);

// Today's local calendar date as a day number.
std::int64_t report_today();

// Empties both buffers: every report starts from nothing, whoever calls it.
void report_begin(wchar_t* report, int report_capacity, wchar_t* verdict, int verdict_capacity);

// Appends fixed lines, each followed by CR LF; an empty text makes an empty line.
void report_append_fixed_lines(wchar_t* report, int report_capacity, const wchar_t* const* lines,
                               int count);

// value held within low and high.
int report_clamp(int value, int low, int high);

// Index of a numbered choice: value itself when it is 1 to count, else 0 (the "any other" entry).
int report_choice(int value, int count);
