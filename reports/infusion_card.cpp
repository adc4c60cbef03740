// Report kind 10: an intravenous infusion card with the dose in its unit and the drip rate as an
// hourly volume at the giving set's drop factor.
#include <iterator>

#include "core/format.h"
#include "core/text.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

// A card tool without a drop-factor input counts 20 drops to the millilitre.
constexpr int DEFAULT_DROPS_PER_ML = 20;
constexpr double MINUTES_PER_HOUR = 60;
constexpr int DOSE_TEXT_CAPACITY = 64;

// Entry 0: no unit, for a card tool without a unit input (or any code outside the list).
const wchar_t* const unit_texts[] = {L"", L"mg", L"g", L"μg", L"单位", L"万单位", L"ml", L"mmol"};
static_assert(std::size(unit_texts) == INFUSION_UNIT_COUNT + 1, "a text for every unit code");

} // namespace

int report_infusion_card(const ToolDef& tool, const double* values, wchar_t* report,
                         int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int bed = report_input_int(tool, values, "bed");
    const double volume = report_input_value(tool, values, "volume");
    const double drops = report_input_value(tool, values, "gtt");
    const int unit = report_input_int(tool, values, "unit");
    int factor = report_input_int(tool, values, "factor");
    if (factor <= 0) factor = DEFAULT_DROPS_PER_ML;
    wchar_t dose[DOSE_TEXT_CAPACITY];
    format_dose(report_input_value(tool, values, "dose"), dose, DOSE_TEXT_CAPACITY);
    report_append_fixed_line(report, report_capacity, L"静脉输液卡");
    report_append_line(report, report_capacity, L"床号：%d", bed);
    report_append_fixed_line(report, report_capacity, L"药名：＿＿＿＿＿＿＿＿（手写）");
    report_append_line(report, report_capacity, L"药液：医嘱药量 %ls %ls，加入溶媒 %.0f ml", dose,
                       unit_texts[unit >= 1 && unit <= INFUSION_UNIT_COUNT ? unit : 0], volume);
    report_append_line(report, report_capacity, L"滴速：%.0f 滴/分（约 %.0f ml/h，按每毫升 %d 滴）",
                       drops, drops * MINUTES_PER_HOUR / factor, factor);
    report_append_fixed_line(report, report_capacity,
                             L"核对：药名/剂量/浓度/有效期/配伍；双人签名。");
    report_append_fixed_line(report, report_capacity,
                             L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。");
    text_copy(verdict, verdict_capacity, L"输液卡已生成，双人核对后执行");
    return 0;
}
