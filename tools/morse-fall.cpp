// The Morse fall scale: six items scored as the form prints them, summed and graded.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const history_guide = L"近 3 个月内跌倒：\r\n"
                                     L"0 无\r\n"
                                     L"25 有";

const wchar_t* const diagnosis_guide = L"超过一个医学诊断：\r\n"
                                       L"0 否\r\n"
                                       L"15 是";

const wchar_t* const aid_guide = L"0 无需辅助、卧床、坐轮椅或由护士扶助\r\n"
                                 L"15 使用拐杖、手杖或助行器\r\n"
                                 L"30 扶靠家具行走";

const wchar_t* const iv_guide = L"0 无\r\n"
                                L"20 静脉输液或留置针";

const wchar_t* const gait_guide = L"0 正常、卧床或坐轮椅\r\n"
                                  L"10 虚弱：弯腰，步幅短，可能拖步\r\n"
                                  L"20 受损：起身困难，需扶物行走，步态不稳";

const wchar_t* const mental_guide = L"0 能正确评估自己的行走能力\r\n"
                                    L"15 高估自己的能力或忘记自身限制";

const InputDef inputs[] = {
    {.key = "history",
     .label = L"跌倒史 0/25",
     .unit = L"",
     .default_value = 0,
     .guide = history_guide,
     .lowest = 0,
     .highest = 25,
     .step = 25},
    {.key = "diagnosis",
     .label = L"多项诊断 0/15",
     .unit = L"",
     .default_value = 0,
     .guide = diagnosis_guide,
     .lowest = 0,
     .highest = 15,
     .step = 15},
    {.key = "aid",
     .label = L"行走辅助 0/15/30",
     .unit = L"",
     .default_value = 0,
     .guide = aid_guide,
     .lowest = 0,
     .highest = 30,
     .step = 15},
    {.key = "iv",
     .label = L"静脉输液 0/20",
     .unit = L"",
     .default_value = 0,
     .guide = iv_guide,
     .lowest = 0,
     .highest = 20,
     .step = 20},
    {.key = "gait",
     .label = L"步态 0/10/20",
     .unit = L"",
     .default_value = 0,
     .guide = gait_guide,
     .lowest = 0,
     .highest = 20,
     .step = 10},
    {.key = "mental",
     .label = L"精神状态 0/15",
     .unit = L"",
     .default_value = 0,
     .guide = mental_guide,
     .lowest = 0,
     .highest = 15,
     .step = 15},
};

const OutputDef outputs[] = {
    {.key = "total",
     .label = L"Morse 总分",
     .unit = L"分",
     .formula = "history+diagnosis+aid+iv+gait+mental",
     .format = "f0"},
};

const RuleDef rules[] = {
    {"total>=45", 2, L"高危，落实高危防跌倒措施：床头标识、专人陪护、加强巡视"},
    {"total>=25", 1, L"中危，落实标准防跌倒措施并做好宣教"},
    {"", 0, L"低危，常规安全护理与宣教"},
};

} // namespace

extern const ToolDef morse_fall_tool;
const ToolDef morse_fall_tool = {
    .id = 140,
    .title = L"Morse 跌倒风险评估",
    .subtitle = L"六项评分合计与跌倒风险分级",
    .category = L"护理",
    .reference = L"Morse 跌倒评估量表 0-125 分；0-24 低危，25-44 中危，≥45 高危",
    .note = L"入院、转科、病情或用药变化及跌倒后复评；高危者床头标识并落实防跌倒措施。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
