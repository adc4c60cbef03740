// Report kind 7: the calendar dates of a series of follow-ups, counted from today.
#include <cstdint>

#include "core/civil_date.h"
#include "core/text.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

constexpr int DEFAULT_GAP_DAYS = 7;

} // namespace

int report_follow_up_plan_from(const ToolDef& tool, const double* values, wchar_t* report,
                               int report_capacity, wchar_t* verdict, int verdict_capacity,
                               std::int64_t today) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int start = report_input_int(tool, values, "start"); // no bounds: past dates allowed
    int gap = report_input_int(tool, values, "gap");
    const int times = report_clamp(report_input_int(tool, values, "times"), 1, FOLLOW_UP_MAX_TIMES);
    if (gap < 1) gap = DEFAULT_GAP_DAYS;

    report_append_line(report, report_capacity,
                       L"随访节点（以今天为基准，起始第 %d 天，间隔 %d 天，共 %d 次）：", start,
                       gap, times);
    std::int64_t day = today + start;
    for (int k = 1; k <= times; ++k) {
        wchar_t date[DATE_TEXT_CAPACITY];
        civil_from_days(day, date, DATE_TEXT_CAPACITY);
        report_append_line(report, report_capacity, L"第 %d 次：%ls", k, date);
        day += gap;
    }
    report_append_fixed_line(
        report, report_capacity,
        L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。");
    text_copy(verdict, verdict_capacity, L"随访计划已生成，可按日期短信提醒患者");
    return 0;
}

int report_follow_up_plan(const ToolDef& tool, const double* values, wchar_t* report,
                          int report_capacity, wchar_t* verdict, int verdict_capacity) {
    return report_follow_up_plan_from(tool, values, report, report_capacity, verdict,
                                      verdict_capacity, report_today());
}
