// The Padua prediction score of VTE risk for medical inpatients: eleven weighted factors summed.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const cancer_guide = L"3 有：局部扩散或远处转移，和/或 6 个月内接受过放化疗\r\n"
                                    L"0 无";

const wchar_t* const prior_vte_guide = L"3 既往静脉血栓栓塞（浅静脉血栓除外）\r\n"
                                       L"0 无";

const wchar_t* const immobile_guide = L"3 因自身原因或遵医嘱卧床至少 3 天\r\n"
                                      L"0 无";

const wchar_t* const thrombophilia_guide =
    L"3 已知易栓症：抗凝血酶、蛋白 C 或蛋白 S 缺乏，凝血因子 V Leiden 或凝血酶原 G20210A "
    L"突变，抗磷脂综合征\r\n"
    L"0 无";

const wchar_t* const trauma_guide = L"2 近 1 个月内创伤和/或手术\r\n"
                                    L"0 无";

const wchar_t* const elderly_guide = L"1 年龄≥70 岁\r\n"
                                     L"0 年龄<70 岁";

const wchar_t* const failure_guide = L"1 心力衰竭和/或呼吸衰竭\r\n"
                                     L"0 无";

const wchar_t* const mi_stroke_guide = L"1 急性心肌梗死和/或缺血性脑卒中\r\n"
                                       L"0 无";

const wchar_t* const infection_guide = L"1 急性感染和/或风湿性疾病\r\n"
                                       L"0 无";

const wchar_t* const obesity_guide = L"1 体重指数 BMI≥30\r\n"
                                     L"0 BMI<30";

const wchar_t* const hormone_guide = L"1 正在进行激素治疗\r\n"
                                     L"0 无";

const InputDef inputs[] = {
    {.key = "cancer",
     .label = L"活动性肿瘤 0/3",
     .unit = L"",
     .default_value = 0,
     .guide = cancer_guide,
     .lowest = 0,
     .highest = 3,
     .step = 3},
    {.key = "prior_vte",
     .label = L"既往 VTE 0/3",
     .unit = L"",
     .default_value = 0,
     .guide = prior_vte_guide,
     .lowest = 0,
     .highest = 3,
     .step = 3},
    {.key = "immobile",
     .label = L"活动减少 0/3",
     .unit = L"",
     .default_value = 0,
     .guide = immobile_guide,
     .lowest = 0,
     .highest = 3,
     .step = 3},
    {.key = "thrombophilia",
     .label = L"易栓症 0/3",
     .unit = L"",
     .default_value = 0,
     .guide = thrombophilia_guide,
     .lowest = 0,
     .highest = 3,
     .step = 3},
    {.key = "trauma",
     .label = L"近期创伤/手术 0/2",
     .unit = L"",
     .default_value = 0,
     .guide = trauma_guide,
     .lowest = 0,
     .highest = 2,
     .step = 2},
    {.key = "elderly",
     .label = L"年龄≥70 岁 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = elderly_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
    {.key = "failure",
     .label = L"心/呼吸衰竭 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = failure_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
    {.key = "mi_stroke",
     .label = L"心梗/脑梗 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = mi_stroke_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
    {.key = "infection",
     .label = L"感染/风湿病 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = infection_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
    {.key = "obesity",
     .label = L"肥胖 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = obesity_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
    {.key = "hormone",
     .label = L"激素治疗 0/1",
     .unit = L"",
     .default_value = 0,
     .guide = hormone_guide,
     .lowest = 0,
     .highest = 1,
     .step = 1},
};

const OutputDef outputs[] = {
    {.key = "total",
     .label = L"Padua 总分",
     .unit = L"分",
     .formula = "cancer+prior_vte+immobile+thrombophilia+trauma+elderly+failure+mi_stroke+"
                "infection+obesity+hormone",
     .format = "f0"},
};

const RuleDef rules[] = {
    {"total>=4", 2, L"高危，评估出血风险后遵医嘱药物和/或机械预防"},
    {"", 0, L"低危，鼓励早期活动，病情变化时复评"},
};

} // namespace

extern const ToolDef padua_vte_tool;
const ToolDef padua_vte_tool = {
    .id = 142,
    .title = L"Padua 静脉血栓风险评估",
    .subtitle = L"内科住院患者 VTE 风险评分",
    .category = L"护理",
    .reference = L"Padua 评分 0-20 分；≥4 高危，0-3 低危（用于内科住院患者）",
    .note = L"入院 24 小时内及病情变化时评估；高危者评估出血风险后遵医嘱预防。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
