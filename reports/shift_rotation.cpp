// Report kind 1: a duty roster in which every nurse rotates through day shift D, night shift N and
// rest R, staggered so that three nurses cover each shift once a day and every night is followed
// by a day of rest.
#include "core/text.h"
#include "core/text_sink.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

constexpr int NAME_CAPACITY = 12;

// Each nurse runs D, N, R, D, ...; nurse p + 1 is one step ahead of nurse p.
wchar_t shift_letter(int nurse, int day) {
    static const wchar_t letters[] = {L'D', L'N', L'R'};
    return letters[((nurse - 1) + (day - 1)) % 3];
}

// One cell, "%d日%c ": the day (1 to 31), its shift letter and a space. Written by hand, as the
// cells are most of the work of the largest roster.
void append_cell(TextSink& sink, int day, wchar_t letter) {
    if (day >= 10) text_sink_put(sink, static_cast<wchar_t>(L'0' + day / 10));
    text_sink_put(sink, static_cast<wchar_t>(L'0' + day % 10));
    text_sink_put(sink, L'日');
    text_sink_put(sink, letter);
    text_sink_put(sink, L' ');
}

} // namespace

int report_shift_rotation(const ToolDef& tool, const double* values, wchar_t* report,
                          int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int nurses =
        report_clamp(report_input_int(tool, values, "nurses"), 1, ROTATION_MAX_NURSES);
    const int days = report_clamp(report_input_int(tool, values, "days"), 1, ROTATION_MAX_DAYS);
    report_append_fixed_line(report, report_capacity,
                             L"排班规则：三班轮转（白班 D / 夜班 N / 休息 "
                             L"R），按人员顺序滚动，每日白班、夜班、休息各约三分之一人员。");
    report_append_line(report, report_capacity, L"人员：%d 人；周期：%d 天", nurses, days);
    report_append_fixed_line(report, report_capacity, L"");
    // The roster is most of the report: it is written through one sink that keeps the length,
    // rather than measuring the report again for each of its up to 1240 cells.
    TextSink sink = text_sink_at_end(report, report_capacity);
    for (int nurse = 1; nurse <= nurses; ++nurse) {
        wchar_t name[NAME_CAPACITY];
        text_format(name, NAME_CAPACITY, L"护士%02d", nurse);
        text_sink_format(sink, L"%ls：\r\n  ", name);
        for (int day = 1; day <= days; ++day) append_cell(sink, day, shift_letter(nurse, day));
        text_sink_append(sink, L"\r\n");
    }
    report_append_fixed_line(report, report_capacity, L"");
    report_append_fixed_line(
        report, report_capacity,
        L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。");
    text_copy(verdict, verdict_capacity, L"已生成轮转排班表，可复制到排班本或表格");
    return 0;
}
