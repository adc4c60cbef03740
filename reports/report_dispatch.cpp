#include "core/report_kinds.h"
#include "core/text.h"
#include "reports/report.h"
#include "reports/report_limits.h"

// In the order of the kinds' numbers, REPORT_SHIFT_ROTATION (1) to REPORT_LAB_PANELS (11).
const ReportKindDef REPORT_KINDS[REPORT_KIND_COUNT] = {
    {2, false, report_shift_rotation, {"nurses", "days"}, {ROTATION_MAX_NURSES, ROTATION_MAX_DAYS}},
    {3, false, report_dosing_timetable, {"start", "interval", "times"}, {0, 0, DOSING_MAX_DOSES}},
    {1, true, report_blood_draw_order, {"kind"}, {BLOOD_DRAW_KIND_COUNT}},
    {1, true, report_critical_values, {"kind"}, {CRITICAL_VALUE_GROUP_COUNT}},
    {1, true, report_high_alert_drugs, {"kind"}, {HIGH_ALERT_KIND_COUNT}},
    {2,
     true,
     report_drug_compatibility,
     {"drugA", "drugB"},
     {COMPATIBILITY_DRUG_COUNT, COMPATIBILITY_DRUG_COUNT}},
    {3, false, report_follow_up_plan, {"start", "gap", "times"}, {0, 0, FOLLOW_UP_MAX_TIMES}},
    {0, false, report_surgical_checklist, {}, {}},
    {1, false, report_handover_template, {"beds"}, {HANDOVER_MAX_BEDS}},
    {6, false, report_infusion_card, {"bed", "dose", "unit", "factor", "volume", "gtt"}, {}},
    {1, true, report_laboratory_panels, {"panel"}, {LAB_PANEL_COUNT}},
};
static_assert(REPORT_KIND_COUNT == REPORT_LAB_PANELS, "a row for every named kind");

const ReportKindDef* report_kind_def(int kind) {
    if (kind < REPORT_SHIFT_ROTATION || kind > REPORT_KIND_COUNT) return nullptr;
    return &REPORT_KINDS[kind - 1];
}

namespace {

const wchar_t* const fallback_report = L"（该工具暂无自定义报告）";
const wchar_t* const fallback_verdict = L"暂无报告内容";

} // namespace

int report_dispatch(int kind, const ToolDef& tool, const double* values, wchar_t* report,
                    int report_capacity, wchar_t* verdict, int verdict_capacity) {
    const ReportKindDef* def = report_kind_def(kind);
    if (def != nullptr)
        return def->generate(tool, values, report, report_capacity, verdict, verdict_capacity);
    text_copy(report, report_capacity, fallback_report);
    text_copy(verdict, verdict_capacity, fallback_verdict);
    return 0;
}
