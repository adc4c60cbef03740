// The shift rotation schedule (report kind 1) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const nurses_guide = L"参加轮转的护士人数，1 至 40 人\r\n"
                                    L"每人按白班 D、夜班 N、休息 R 循环，依次错开";

const wchar_t* const days_guide = L"排班表的天数，1 至 31 天";

const InputDef shift_rotation_inputs[] = {
    {.key = "nurses",
     .label = L"护士人数 1-40",
     .unit = L"人",
     .default_value = 3,
     .guide = nurses_guide,
     .lowest = 1,
     .highest = ROTATION_MAX_NURSES,
     .step = 1},
    {.key = "days",
     .label = L"排班天数 1-31",
     .unit = L"天",
     .default_value = 7,
     .guide = days_guide,
     .lowest = 1,
     .highest = ROTATION_MAX_DAYS,
     .step = 1},
};

} // namespace

extern const ToolDef shift_rotation_tool;
const ToolDef shift_rotation_tool = {
    .id = 201,
    .title = L"三班轮转排班表",
    .subtitle = L"白班、夜班、休息按人员顺序滚动",
    .category = L"护理",
    .reference = L"常用三班轮转做法（白班 D / 夜班 N / 休息 R）；以本院排班制度为准",
    .note = L"连续夜班不超过 2 个，夜班后安排休息；请按科室实际人数与能级调整。",
    .input_count = static_cast<int>(std::size(shift_rotation_inputs)),
    .inputs = shift_rotation_inputs,
    .report_kind = REPORT_SHIFT_ROTATION,
};
