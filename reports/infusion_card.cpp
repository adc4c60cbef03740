// Report kind 10: an intravenous infusion card with the drip rate as an hourly volume.
#include "core/text.h"
#include "reports/report.h"

namespace {

constexpr double ML_PER_HOUR_PER_DROP_PER_MINUTE = 3.0;

} // namespace

int report_infusion_card(const ToolDef& tool, const double* values, wchar_t* report,
                         int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int bed = report_input_int(tool, values, "bed");
    const double dose = report_input_value(tool, values, "dose");
    const double volume = report_input_value(tool, values, "volume");
    const double drops = report_input_value(tool, values, "gtt");
    report_append_fixed_line(report, report_capacity, L"静脉输液卡");
    report_append_line(report, report_capacity, L"床号：%d", bed);
    report_append_line(report, report_capacity, L"药液：医嘱药量 %.2f ，加入溶媒 %.0f ml", dose,
                       volume);
    report_append_line(report, report_capacity, L"滴速：%.0f 滴/分（约 %.0f ml/h）", drops,
                       drops * ML_PER_HOUR_PER_DROP_PER_MINUTE);
    report_append_fixed_line(report, report_capacity,
                             L"核对：药名/剂量/浓度/有效期/配伍；双人签名。");
    report_append_fixed_line(report, report_capacity,
                             L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。");
    text_copy(verdict, verdict_capacity, L"输液卡已生成，双人核对后执行");
    return 0;
}
