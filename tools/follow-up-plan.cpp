// The follow-up plan (report kind 7) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const start_guide = L"从今天到首次随访的天数，0 为今天\r\n"
                                   L"可为负数（过去的日期）";

const wchar_t* const gap_guide = L"两次随访之间的天数";

const wchar_t* const times_guide = L"随访次数，1 至 20 次";

const InputDef follow_up_plan_inputs[] = {
    {.key = "start",
     .label = L"首次随访距今",
     .unit = L"天",
     .default_value = 7,
     .guide = start_guide,
     .lowest = -36500,
     .highest = 36500,
     .step = 1},
    {.key = "gap",
     .label = L"随访间隔",
     .unit = L"天",
     .default_value = 14,
     .guide = gap_guide,
     .lowest = 1,
     .highest = 3650,
     .step = 1},
    {.key = "times",
     .label = L"随访次数 1-20",
     .unit = L"次",
     .default_value = 3,
     .guide = times_guide,
     .lowest = 1,
     .highest = FOLLOW_UP_MAX_TIMES,
     .step = 1},
};

} // namespace

extern const ToolDef follow_up_plan_tool;
const ToolDef follow_up_plan_tool = {
    .id = 207,
    .title = L"随访计划",
    .subtitle = L"以今天为基准排出每次随访日期",
    .category = L"护理",
    .reference = L"按固定间隔排期的常用随访做法；随访安排以医嘱和本院随访制度为准",
    .note = L"随访日期从今天算起；可按日期短信或电话提醒患者。",
    .input_count = static_cast<int>(std::size(follow_up_plan_inputs)),
    .inputs = follow_up_plan_inputs,
    .report_kind = REPORT_FOLLOW_UP_PLAN,
};
