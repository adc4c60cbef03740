// Report kind 1: a duty roster in which every nurse rotates through day shift D, rest R and
// night shift N, staggered so that three nurses cover each shift once a day.
#include "core/text.h"
#include "reports/report.h"

namespace {

constexpr int MAX_NURSES = 40;
constexpr int MAX_DAYS = 31;
constexpr int NAME_CAPACITY = 12;
constexpr int CELL_CAPACITY = 16;

int clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

// Nurse p + 1 has on day d + 1 the shift that nurse p has on day d.
wchar_t shift_letter(int nurse, int day) {
    static const wchar_t letters[] = {L'D', L'N', L'R'};
    return letters[((nurse - 1) + 2 * (day - 1)) % 3];
}

} // namespace

int report_shift_rotation(const ToolDef& tool, const double* values, wchar_t* report,
                          int report_capacity, wchar_t* verdict, int verdict_capacity) {
    const int nurses = clamp(report_input_int(tool, values, "nurses"), 1, MAX_NURSES);
    const int days = clamp(report_input_int(tool, values, "days"), 1, MAX_DAYS);
    report_append_fixed_line(
        report, report_capacity,
        L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。");
    report_append_line(report, report_capacity, L"人员：%d 人；周期：%d 天", nurses, days);
    report_append_fixed_line(report, report_capacity, L"");
    for (int nurse = 1; nurse <= nurses; ++nurse) {
        wchar_t name[NAME_CAPACITY];
        text_format(name, NAME_CAPACITY, L"护士%02d", nurse);
        report_append_line(report, report_capacity, L"%ls：", name);
        report_append_text(report, report_capacity, L"  ");
        for (int day = 1; day <= days; ++day) {
            wchar_t cell[CELL_CAPACITY];
            text_format(cell, CELL_CAPACITY, L"%d日%c ", day, shift_letter(nurse, day));
            report_append_text(report, report_capacity, cell);
        }
        report_append_text(report, report_capacity, L"\r\n");
    }
    report_append_fixed_line(report, report_capacity, L"");
    report_append_fixed_line(
        report, report_capacity,
        L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。");
    text_copy(verdict, verdict_capacity, L"已生成轮转排班表，可复制到排班本或表格");
    return 0;
}
