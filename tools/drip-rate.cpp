// The drops per minute of a gravity infusion from its volume, time and drop factor.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const volume_guide = L"本组液体的总量（mL）";

const wchar_t* const hours_guide = L"计划输完所需的时间（小时）；2.5 表示 2 小时 30 分钟";

const wchar_t* const factor_guide = L"输液器包装上标明的滴系数（滴/mL），以包装为准：\r\n"
                                    L"20 多数成人输液器\r\n"
                                    L"15 或 10 部分输液器、输血器\r\n"
                                    L"60 微滴（滴定管式）输液器";

const InputDef inputs[] = {
    {.key = "volume",
     .label = L"输液量 mL",
     .unit = L"",
     .default_value = 500,
     .guide = volume_guide,
     .lowest = 1,
     .highest = 5000,
     .step = 0},
    {.key = "hours",
     .label = L"输液时间 小时",
     .unit = L"",
     .default_value = 4,
     .guide = hours_guide,
     .lowest = 0.1,
     .highest = 72,
     .step = 0},
    {.key = "factor",
     .label = L"滴系数 滴/mL",
     .unit = L"",
     .default_value = 20,
     .guide = factor_guide,
     .lowest = 10,
     .highest = 60,
     .choices = {10, 15, 20, 60}},
};

const OutputDef outputs[] = {
    {.key = "rate",
     .label = L"滴速",
     .unit = L"滴/分",
     .formula = "volume*factor/(hours*60)",
     .format = "f0"},
    {.key = "count15",
     .label = L"15 秒滴数",
     .unit = L"滴",
     .formula = "volume*factor/(hours*60)/4",
     .format = "f0"},
    {.key = "flow", .label = L"流速", .unit = L"mL/h", .formula = "volume/hours", .format = "f1"},
};

const RuleDef rules[] = {
    {"flow>180.5", 1, L"流速超过 180 mL/h，请核对医嘱及患者心肺功能"},
    {"", 0, L"按计算滴速调节，数 15 秒滴数复核"},
};

} // namespace

extern const ToolDef drip_rate_tool;
const ToolDef drip_rate_tool = {
    .id = 150,
    .title = L"输液滴速计算",
    .subtitle = L"按输液量、时间与滴系数计算每分钟滴数",
    .category = L"用药",
    .reference = L"滴速（滴/分）= 输液量（mL）× 滴系数（滴/mL）÷ 输液时间（分钟）",
    .note = L"按医嘱与患者心肺功能调节；调节后数 15 秒滴数复核，并定时巡视。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .headline = "rate",
};
