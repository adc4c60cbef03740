#include "core/text.h"
#include "reports/report.h"

const ReportKindDef REPORT_KINDS[REPORT_KIND_COUNT] = {
    {1, 2, "shift-rotation", report_shift_rotation, {"nurses", "days"}},
    {2, 3, "dosing-timetable", report_dosing_timetable, {"start", "interval", "times"}},
    {3, 1, "blood-draw-order", report_blood_draw_order, {"kind"}},
    {4, 1, "critical-values", report_critical_values, {"kind"}},
    {5, 1, "high-alert-drugs", report_high_alert_drugs, {"kind"}},
    {6, 2, "drug-compatibility", report_drug_compatibility, {"drugA", "drugB"}},
    {7, 3, "follow-up-plan", report_follow_up_plan, {"start", "gap", "times"}},
    {8, 0, "surgical-checklist", report_surgical_checklist, {}},
    {9, 1, "handover-template", report_handover_template, {"beds"}},
    {10, 4, "infusion-card", report_infusion_card, {"bed", "dose", "volume", "gtt"}},
    {11, 1, "lab-panels", report_laboratory_panels, {"panel"}},
};

const ReportKindDef* report_kind_def(int kind) {
    if (kind < 1 || kind > REPORT_KIND_COUNT) return nullptr;
    return &REPORT_KINDS[kind - 1];
}

namespace {

const wchar_t* const fallback_report = L"（该工具暂无自定义报告）";
const wchar_t* const fallback_verdict = L"暂无报告内容";

} // namespace

int report_dispatch(int kind, const ToolDef& tool, const double* values, wchar_t* report,
                    int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const ReportKindDef* def = report_kind_def(kind);
    if (def != nullptr)
        return def->generate(tool, values, report, report_capacity, verdict, verdict_capacity);
    text_copy(report, report_capacity, fallback_report);
    text_copy(verdict, verdict_capacity, fallback_verdict);
    return 0;
}
