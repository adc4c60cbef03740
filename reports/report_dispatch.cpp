#include <iterator>

#include "core/text.h"
#include "reports/report.h"

namespace {

using ReportGenerator = int (*)(const ToolDef&, const double*, wchar_t*, int, wchar_t*, int);

// Indexed by report kind; kind 0 has no report.
const ReportGenerator generators[] = {
    nullptr,
    report_shift_rotation,     // 1
    report_dosing_timetable,   // 2
    report_blood_draw_order,   // 3
    report_critical_values,    // 4
    report_high_alert_drugs,   // 5
    report_drug_compatibility, // 6
    report_follow_up_plan,     // 7
    report_surgical_checklist, // 8
    report_handover_template,  // 9
    report_infusion_card,      // 10
    report_laboratory_panels,  // 11
};
constexpr int KIND_COUNT = static_cast<int>(std::size(generators));

const wchar_t* const fallback_report = L"（该工具暂无自定义报告）";
const wchar_t* const fallback_verdict = L"暂无报告内容";

} // namespace

int report_dispatch(int kind, const ToolDef& tool, const double* values, wchar_t* report,
                    int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    if (kind >= 1 && kind < KIND_COUNT)
        return generators[kind](tool, values, report, report_capacity, verdict, verdict_capacity);
    text_copy(report, report_capacity, fallback_report);
    text_copy(verdict, verdict_capacity, fallback_verdict);
    return 0;
}
