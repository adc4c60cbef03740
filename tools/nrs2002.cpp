// The NRS 2002 nutritional risk screening: impaired nutrition, severity of disease and age.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const nutrition_guide =
    L"0 营养状态正常\r\n"
    L"1 3 个月内体重下降>5%，或近 1 周进食量减少 25%-50%\r\n"
    L"2 2 个月内体重下降>5%，或一般情况差，或近 1 周进食量减少 50%-75%\r\n"
    L"3 1 个月内体重下降>5%（或 3 个月内>15%），或 BMI<18.5 "
    L"且一般情况差，或近 1 周进食量减少 75%-100%";

const wchar_t* const disease_guide =
    L"0 营养需要量正常\r\n"
    L"1 髋部骨折、慢性病急性发作或有并发症（如肝硬化、慢阻肺）、血液透析、糖尿病、一般肿瘤\r\n"
    L"2 腹部大手术、脑卒中、重症肺炎、血液恶性肿瘤\r\n"
    L"3 颅脑损伤、骨髓移植、APACHE II 评分>10 的重症监护患者";

const wchar_t* const age70_guide = L"1 年龄≥70 岁\r\n"
                                   L"0 年龄<70 岁";

const InputDef inputs[] = {
    {.key = "nutrition",
     .label = L"营养受损 0-3",
     .unit = L"",
     .default_value = 0,
     .guide = nutrition_guide,
     .lowest = 0,
     .highest = 3,
     .step = 1},
    {.key = "disease",
     .label = L"疾病严重程度 0-3",
     .unit = L"",
     .default_value = 0,
     .guide = disease_guide,
     .lowest = 0,
     .highest = 3,
     .step = 1},
    {.key = "age70",
     .label = L"年龄≥70 岁 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = age70_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
};

const OutputDef outputs[] = {
    {.key = "total",
     .label = L"NRS 2002 总分",
     .unit = L"分",
     .formula = "nutrition+disease+age70",
     .format = "f0"},
};

const RuleDef rules[] = {
    {"total>=3", 2, L"有营养风险，报告医生，制定营养支持计划"},
    {"", 0, L"暂无营养风险，住院期间每周复筛"},
};

} // namespace

extern const ToolDef nrs2002_tool;
const ToolDef nrs2002_tool = {
    .id = 144,
    .title = L"NRS 2002 营养风险筛查",
    .subtitle = L"营养状况、疾病严重程度与年龄评分",
    .category = L"护理",
    .reference = L"NRS 2002 总分 0-7 分；≥3 有营养风险，<3 暂无营养风险",
    .note = L"入院 24 小时内筛查，住院期间每周复筛；有营养风险者报告医生制定营养支持计划。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
