// Report kind 2: the clock time of every dose from the first dose's hour, an interval and a
// number of doses, all on one line; times past midnight move to the next day.
#include <cmath>

#include "core/text.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

constexpr double DEFAULT_INTERVAL_HOURS = 8.0;
constexpr int CELL_CAPACITY = 64;

struct DoseTime {
    long long day; // from 1
    int hour;
    int minute;
};

// The clock time t hours after midnight of day 1; minutes are truncated, never rounded.
DoseTime dose_time(double t) {
    const double r = std::fmod(t, 24.0);
    const int hour = report_to_int(r);
    return {1LL + report_to_int(t / 24.0), hour, report_to_int((r - hour) * 60.0)};
}

} // namespace

int report_dosing_timetable(const ToolDef& tool, const double* values, wchar_t* report,
                            int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    double start = report_input_value(tool, values, "start");
    double interval = report_input_value(tool, values, "interval");
    const int times = report_clamp(report_input_int(tool, values, "times"), 1, DOSING_MAX_DOSES);
    // Written so that NaN takes the default too.
    if (!(start >= 0.0)) start = 0.0;
    if (!(interval > 0.0)) interval = DEFAULT_INTERVAL_HOURS;

    // The heading shows the first dose as its cell shows it.
    const DoseTime first = dose_time(start);
    report_append_line(report, report_capacity, L"首剂时间 %d:%02d，间隔 %g 小时，共 %d 次：",
                       first.hour, first.minute, interval, times);
    for (int j = 0; j < times; ++j) {
        const DoseTime time = dose_time(start + static_cast<double>(j) * interval);
        wchar_t cell[CELL_CAPACITY];
        text_format(cell, CELL_CAPACITY, L"第%lld天 %02d:%02d", time.day, time.hour, time.minute);
        text_append(report, report_capacity, cell);
        if (j + 1 < times) text_append(report, report_capacity, L"  |  ");
    }
    text_append(report, report_capacity, L"\r\n");
    report_append_fixed_line(report, report_capacity,
                             L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。");
    text_copy(verdict, verdict_capacity, L"给药时间表已生成，注意首剂与夜间给药时间");
    return 0;
}
