// The numeric rating scale of pain: one score from 0 to 10, graded.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const pain_guide = L"请患者选出最能代表疼痛程度的数字：\r\n"
                                  L"0 无痛\r\n"
                                  L"1-3 轻度疼痛，不影响睡眠\r\n"
                                  L"4-6 中度疼痛，影响睡眠\r\n"
                                  L"7-10 重度疼痛，无法入睡或痛醒";

const InputDef inputs[] = {
    {.key = "pain",
     .label = L"疼痛评分 0-10",
     .unit = L"",
     .default_value = 0,
     .guide = pain_guide,
     .lowest = 0,
     .highest = 10,
     .step = 1},
};

const OutputDef outputs[] = {
    {.key = "total", .label = L"疼痛评分", .unit = L"分", .formula = "pain", .format = "f0"},
};

const RuleDef rules[] = {
    {"pain>=7", 3, L"重度疼痛，立即报告医生并处理，按时复评"},
    {"pain>=4", 2, L"中度疼痛，报告医生并处理，按时复评"},
    {"pain>=1", 1, L"轻度疼痛，遵医嘱药物和/或非药物措施，观察与复评"},
    {"", 0, L"无痛"},
};

} // namespace

extern const ToolDef pain_nrs_tool;
const ToolDef pain_nrs_tool = {
    .id = 147,
    .title = L"疼痛数字评分",
    .subtitle = L"0-10 分疼痛强度评估",
    .category = L"护理",
    .reference = L"数字评分法（NRS）0-10 分；0 无痛，1-3 轻度，4-6 中度，7-10 重度",
    .note = L"疼痛评分≥4 分报告医生；处理后按时复评（静脉给药后 15-30 分钟，口服给药后 1 小时）。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
