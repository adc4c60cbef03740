// The report kinds by name: a descriptor's report_kind picks its report generator. 0 is no
// report: the tool's outputs and rules are evaluated instead.
#pragma once

constexpr int REPORT_NONE = 0;
constexpr int REPORT_SHIFT_ROTATION = 1;
constexpr int REPORT_DOSING_TIMETABLE = 2;
constexpr int REPORT_BLOOD_DRAW_ORDER = 3;
constexpr int REPORT_CRITICAL_VALUES = 4;
constexpr int REPORT_HIGH_ALERT_DRUGS = 5;
constexpr int REPORT_DRUG_COMPATIBILITY = 6;
constexpr int REPORT_FOLLOW_UP_PLAN = 7;
constexpr int REPORT_SURGICAL_CHECKLIST = 8;
constexpr int REPORT_HANDOVER_TEMPLATE = 9;
constexpr int REPORT_INFUSION_CARD = 10;
constexpr int REPORT_LAB_PANELS = 11;
