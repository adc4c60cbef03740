// The Caprini score of VTE risk for surgical inpatients: the age and, for each weight, how many of
// its factors apply.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const age_guide = L"年龄计分：\r\n"
                                 L"≤40 岁 0 分\r\n"
                                 L"41-60 岁 1 分\r\n"
                                 L"61-74 岁 2 分\r\n"
                                 L"≥75 岁 3 分";

const wchar_t* const n1_guide = L"符合下列几项（每项 1 分）：\r\n"
                                L"小手术\r\n"
                                L"大手术史（1 个月内）\r\n"
                                L"BMI>25\r\n"
                                L"下肢肿胀\r\n"
                                L"静脉曲张\r\n"
                                L"妊娠期或产后\r\n"
                                L"不明原因死胎或反复流产史\r\n"
                                L"口服避孕药或激素替代治疗\r\n"
                                L"脓毒症（1 个月内）\r\n"
                                L"严重肺部疾病，含肺炎（1 个月内）\r\n"
                                L"肺功能异常\r\n"
                                L"急性心肌梗死\r\n"
                                L"充血性心力衰竭（1 个月内）\r\n"
                                L"炎症性肠病史\r\n"
                                L"卧床的内科患者";

const wchar_t* const n2_guide = L"符合下列几项（每项 2 分）：\r\n"
                                L"关节镜手术\r\n"
                                L"大型开放手术（>45 分钟）\r\n"
                                L"腹腔镜手术（>45 分钟）\r\n"
                                L"恶性肿瘤\r\n"
                                L"卧床（>72 小时）\r\n"
                                L"石膏固定\r\n"
                                L"中心静脉置管";

const wchar_t* const n3_guide = L"符合下列几项（每项 3 分）：\r\n"
                                L"VTE 病史\r\n"
                                L"VTE 家族史\r\n"
                                L"凝血因子 V Leiden 突变\r\n"
                                L"凝血酶原 G20210A 突变\r\n"
                                L"狼疮抗凝物阳性\r\n"
                                L"抗心磷脂抗体阳性\r\n"
                                L"血清同型半胱氨酸升高\r\n"
                                L"肝素诱导的血小板减少症\r\n"
                                L"其他先天性或获得性易栓症";

const wchar_t* const n5_guide = L"符合下列几项（每项 5 分）：\r\n"
                                L"脑卒中（1 个月内）\r\n"
                                L"择期关节置换术\r\n"
                                L"髋、骨盆或下肢骨折\r\n"
                                L"急性脊髓损伤（1 个月内）\r\n"
                                L"多发性创伤（1 个月内）";

const InputDef inputs[] = {
    {.key = "age",
     .label = L"年龄 岁",
     .unit = L"",
     .default_value = 40,
     .guide = age_guide,
     .lowest = 18,
     .highest = 120,
     .step = 1},
    {.key = "n1",
     .label = L"1 分因素数",
     .unit = L"",
     .default_value = 0,
     .guide = n1_guide,
     .lowest = 0,
     .highest = 15,
     .step = 1},
    {.key = "n2",
     .label = L"2 分因素数",
     .unit = L"",
     .default_value = 0,
     .guide = n2_guide,
     .lowest = 0,
     .highest = 7,
     .step = 1},
    {.key = "n3",
     .label = L"3 分因素数",
     .unit = L"",
     .default_value = 0,
     .guide = n3_guide,
     .lowest = 0,
     .highest = 9,
     .step = 1},
    {.key = "n5",
     .label = L"5 分因素数",
     .unit = L"",
     .default_value = 0,
     .guide = n5_guide,
     .lowest = 0,
     .highest = 5,
     .step = 1},
};

const OutputDef outputs[] = {
    {.key = "total",
     .label = L"Caprini 总分",
     .unit = L"分",
     .formula = "(age>=75?3:age>=61?2:age>=41?1:0)+n1+2*n2+3*n3+5*n5",
     .format = "f0"},
};

const RuleDef rules[] = {
    {"total>=5", 3, L"高危，评估出血风险后遵医嘱药物联合机械预防"},
    {"total>=3", 2, L"中危，遵医嘱药物或机械预防"},
    {"total>=1", 1, L"低危，机械预防，鼓励早期活动"},
    {"", 0, L"极低危，鼓励早期活动"},
};

} // namespace

extern const ToolDef caprini_vte_tool;
const ToolDef caprini_vte_tool = {
    .id = 143,
    .title = L"Caprini 静脉血栓风险评估",
    .subtitle = L"外科住院患者 VTE 风险评分",
    .category = L"护理",
    .reference =
        L"Caprini 评分（2005 版条目）；分级按《中国普通外科围手术期血栓预防与管理指南》（2016）：0 "
        L"极低危，1-2 低危，3-4 中危，≥5 高危（用于外科住院患者）",
    .note = L"术前、术后及病情变化时评估；按各分值的危险因素逐项核对后计数。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
