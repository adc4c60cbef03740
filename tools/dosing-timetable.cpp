// The dosing timetable (report kind 2) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const start_guide = L"首剂的钟点，24 小时制，可带小数（8.5 为 08:30）";

const wchar_t* const interval_guide = L"两次给药之间的小时数，可带小数";

const wchar_t* const times_guide = L"给药次数，1 至 30 次";

const InputDef dosing_timetable_inputs[] = {
    {.key = "start",
     .label = L"首剂时间 0-23",
     .unit = L"点",
     .default_value = 8,
     .guide = start_guide,
     .lowest = 0,
     .highest = 23.75,
     .step = 0.25},
    {.key = "interval",
     .label = L"给药间隔",
     .unit = L"小时",
     .default_value = 8,
     .guide = interval_guide,
     .lowest = 0.25,
     .highest = 168,
     .step = 0.25},
    {.key = "times",
     .label = L"给药次数 1-30",
     .unit = L"次",
     .default_value = 3,
     .guide = times_guide,
     .lowest = 1,
     .highest = DOSING_MAX_DOSES,
     .step = 1},
};

} // namespace

extern const ToolDef dosing_timetable_tool;
const ToolDef dosing_timetable_tool = {
    .id = 202,
    .title = L"给药时间表",
    .subtitle = L"按首剂时间与间隔排出每次给药时刻",
    .category = L"用药",
    .reference = L"等间隔给药的常用排法；给药时间以医嘱和本院给药制度为准",
    .note = L"抗菌药物需结合半衰期与肝肾功能调整；注意首剂与夜间给药时间。",
    .input_count = static_cast<int>(std::size(dosing_timetable_inputs)),
    .inputs = dosing_timetable_inputs,
    .report_kind = REPORT_DOSING_TIMETABLE,
};
