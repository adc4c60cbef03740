// The whole numbers that each report takes as its own. A tool of the report declares these as its
// inputs' highest, so the window accepts exactly what the report shows: one number, not two that
// can part.
#pragma once

// Counts that a report clamps to: a larger number shows as many as these.
constexpr int ROTATION_MAX_NURSES = 40;
constexpr int ROTATION_MAX_DAYS = 31;
constexpr int DOSING_MAX_DOSES = 30;
constexpr int FOLLOW_UP_MAX_TIMES = 20;
constexpr int HANDOVER_MAX_BEDS = 30;

// Codes: 1 to the count each select an entry of the report's own table; every other code shows
// the report's fallback.
constexpr int BLOOD_DRAW_KIND_COUNT = 6;
constexpr int CRITICAL_VALUE_GROUP_COUNT = 6;
constexpr int HIGH_ALERT_KIND_COUNT = 8;
constexpr int COMPATIBILITY_DRUG_COUNT = 10;
constexpr int LAB_PANEL_COUNT = 6;
// The infusion card's dose units: 1 mg, 2 g, 3 μg, 4 单位, 5 万单位, 6 ml, 7 mmol.
constexpr int INFUSION_UNIT_COUNT = 7;
