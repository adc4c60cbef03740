// The handover report template (report kind 9) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const beds_guide = L"模板的床位数，1 至 30 床，每床一行";

const InputDef handover_template_inputs[] = {
    {.key = "beds",
     .label = L"床位数 1-30",
     .unit = L"床",
     .default_value = 6,
     .guide = beds_guide,
     .lowest = 1,
     .highest = HANDOVER_MAX_BEDS,
     .step = 1},
};

} // namespace

extern const ToolDef handover_template_tool;
const ToolDef handover_template_tool = {
    .id = 209,
    .title = L"交班报告模板",
    .subtitle = L"按床位生成交班记录模板",
    .category = L"护理",
    .reference = L"常用床旁交接班内容；以本院交接班制度为准",
    .note = L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。",
    .input_count = static_cast<int>(std::size(handover_template_inputs)),
    .inputs = handover_template_inputs,
    .report_kind = REPORT_HANDOVER_TEMPLATE,
};
