// Report kind 4: the common critical laboratory values of one group of tests and the handling
// procedure.
#include <iterator>

#include "core/text.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

struct Group {
    const wchar_t* lines[3];
    int count;
};

// Entry 0 is the pointer to the local catalogue, shown for any other kind.
const Group groups[] = {
    {{L"请查阅本院《危急值报告目录》"}, 1},
    {{L"血钾 <2.5 或 >6.5 mmol/L", L"血钠 <120 或 >160 mmol/L", L"血钙 <1.5 或 >3.5 mmol/L"}, 3},
    {{L"血糖 <2.8 或 >22.2 mmol/L", L"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg"}, 2},
    {{L"白细胞 <1.0 或 >30.0 ×10^9/L", L"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L"}, 2},
    {{L"INR >4.0；纤维蛋白原 <1.0 g/L", L"D-二聚体显著升高并伴临床血栓表现"}, 2},
    {{L"血培养阳性（无菌部位）", L"脑脊液培养阳性；HIV 初筛阳性需确认"}, 2},
    {{L"肌钙蛋白明显升高（高于第 99 百分位）", L"血淀粉酶/脂肪酶 >3 倍正常上限"}, 2},
};
static_assert(std::size(groups) == CRITICAL_VALUE_GROUP_COUNT + 1, "a group for every code");

} // namespace

int report_critical_values(const ToolDef& tool, const double* values, wchar_t* report,
                           int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const Group& group =
        groups[report_choice(report_input_int(tool, values, "kind"), CRITICAL_VALUE_GROUP_COUNT)];
    report_append_fixed_line(report, report_capacity,
                             L"常见检验危急值（参考，需以本院文件为准）：");
    report_append_fixed_lines(report, report_capacity, group.lines, group.count);
    report_append_fixed_line(report, report_capacity, L"");
    report_append_fixed_line(
        report, report_capacity,
        L"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。");
    text_copy(verdict, verdict_capacity, L"危急值必须闭环：报告、接收、处理、记录");
    return 0;
}
