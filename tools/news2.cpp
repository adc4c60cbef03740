// The NEWS2 early warning score: seven vital-sign parameters, each scored by its bands, summed
// and graded, with a single parameter scoring 3 raising the grade on its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

// Each parameter's score, written once: the outputs show them, and the total sums them in the
// same words, so that every formula can be evaluated by itself.
#define NEWS2_RESP "resp<=8?3:resp<=11?1:resp<=20?0:resp<=24?2:3"
// Scale 1 for most patients; scale 2, for hypercapnic respiratory failure with a prescribed target
// of 88-92 %, scores a saturation of 93 or more only on oxygen.
#define NEWS2_SPO2                                                                                 \
    "scale==2?(spo2<=83?3:spo2<=85?2:spo2<=87?1:spo2<=92?0:oxygen==0?0:spo2<=94?1:spo2<=96?2:3)"   \
    ":(spo2<=91?3:spo2<=93?2:spo2<=95?1:0)"
#define NEWS2_OXYGEN "oxygen"
#define NEWS2_SBP "sbp<=90?3:sbp<=100?2:sbp<=110?1:sbp<=219?0:3"
#define NEWS2_PULSE "pulse<=40?3:pulse<=50?1:pulse<=90?0:pulse<=110?1:pulse<=130?2:3"
#define NEWS2_CONSCIOUS "conscious"
#define NEWS2_TEMP "temp<=35?3:temp<=36?1:temp<=38?0:temp<=39?1:2"

const wchar_t* const resp_guide = L"≤8 计 3 分\r\n"
                                  L"9-11 计 1 分\r\n"
                                  L"12-20 计 0 分\r\n"
                                  L"21-24 计 2 分\r\n"
                                  L"≥25 计 3 分";

const wchar_t* const spo2_guide = L"≤91 计 3 分\r\n"
                                  L"92-93 计 2 分\r\n"
                                  L"94-95 计 1 分\r\n"
                                  L"≥96 计 0 分\r\n"
                                  L"量表 2：≤83 计 3 分，84-85 计 2 分，86-87 计 1 分，88-92 "
                                  L"或未吸氧≥93 计 0 分，吸氧时 93-94 计 1 分、95-96 计 2 分、≥97 "
                                  L"计 3 分";

const wchar_t* const oxygen_guide = L"0 未吸氧（呼吸空气）\r\n"
                                    L"2 吸氧";

const wchar_t* const scale_guide = L"1 量表 1：大多数患者\r\n"
                                   L"2 量表 2：经医生确认为高碳酸血症呼吸衰竭、目标血氧 88%-92% 者";

const wchar_t* const sbp_guide = L"≤90 计 3 分\r\n"
                                 L"91-100 计 2 分\r\n"
                                 L"101-110 计 1 分\r\n"
                                 L"111-219 计 0 分\r\n"
                                 L"≥220 计 3 分";

const wchar_t* const pulse_guide = L"≤40 计 3 分\r\n"
                                   L"41-50 计 1 分\r\n"
                                   L"51-90 计 0 分\r\n"
                                   L"91-110 计 1 分\r\n"
                                   L"111-130 计 2 分\r\n"
                                   L"≥131 计 3 分";

const wchar_t* const conscious_guide =
    L"0 清醒（A）\r\n"
    L"3 新出现的意识模糊，或仅对声音、疼痛有反应，或无反应（C/V/P/U）";

const wchar_t* const temp_guide = L"≤35.0 计 3 分\r\n"
                                  L"35.1-36.0 计 1 分\r\n"
                                  L"36.1-38.0 计 0 分\r\n"
                                  L"38.1-39.0 计 1 分\r\n"
                                  L"≥39.1 计 2 分";

const InputDef inputs[] = {
    {.key = "resp",
     .label = L"呼吸 次/分",
     .unit = L"",
     .default_value = 16,
     .guide = resp_guide,
     .lowest = 0,
     .highest = 80,
     .step = 1},
    {.key = "spo2",
     .label = L"血氧饱和度 %",
     .unit = L"",
     .default_value = 98,
     .guide = spo2_guide,
     .lowest = 40,
     .highest = 100,
     .step = 1},
    {.key = "oxygen",
     .label = L"吸氧 0/2",
     .unit = L"",
     .default_value = 0,
     .guide = oxygen_guide,
     .lowest = 0,
     .highest = 2,
     .step = 2},
    {.key = "scale",
     .label = L"血氧量表 1/2",
     .unit = L"",
     .default_value = 1,
     .guide = scale_guide,
     .lowest = 1,
     .highest = 2,
     .choices = {1, 2}},
    {.key = "sbp",
     .label = L"收缩压 mmHg",
     .unit = L"",
     .default_value = 120,
     .guide = sbp_guide,
     .lowest = 30,
     .highest = 300,
     .step = 1},
    {.key = "pulse",
     .label = L"心率 次/分",
     .unit = L"",
     .default_value = 80,
     .guide = pulse_guide,
     .lowest = 10,
     .highest = 250,
     .step = 1},
    {.key = "conscious",
     .label = L"意识 0/3",
     .unit = L"",
     .default_value = 0,
     .guide = conscious_guide,
     .lowest = 0,
     .highest = 3,
     .step = 3},
    {.key = "temp",
     .label = L"体温 ℃",
     .unit = L"",
     .default_value = 36.5,
     .guide = temp_guide,
     .lowest = 25.0,
     .highest = 45,
     .step = 0.1},
};

const OutputDef outputs[] = {
    {.key = "p_resp", .label = L"呼吸评分", .unit = L"分", .formula = NEWS2_RESP, .format = "f0"},
    {.key = "p_spo2", .label = L"血氧评分", .unit = L"分", .formula = NEWS2_SPO2, .format = "f0"},
    {.key = "p_oxygen",
     .label = L"吸氧评分",
     .unit = L"分",
     .formula = NEWS2_OXYGEN,
     .format = "f0"},
    {.key = "p_sbp", .label = L"收缩压评分", .unit = L"分", .formula = NEWS2_SBP, .format = "f0"},
    {.key = "p_pulse", .label = L"心率评分", .unit = L"分", .formula = NEWS2_PULSE, .format = "f0"},
    {.key = "p_conscious",
     .label = L"意识评分",
     .unit = L"分",
     .formula = NEWS2_CONSCIOUS,
     .format = "f0"},
    {.key = "p_temp", .label = L"体温评分", .unit = L"分", .formula = NEWS2_TEMP, .format = "f0"},
    {.key = "total",
     .label = L"NEWS2 总分",
     .unit = L"分",
     .formula = "(" NEWS2_RESP ")+(" NEWS2_SPO2 ")+(" NEWS2_OXYGEN ")+(" NEWS2_SBP ")+(" NEWS2_PULSE
                ")+(" NEWS2_CONSCIOUS ")+(" NEWS2_TEMP ")",
     .format = "f0"},
};

#undef NEWS2_RESP
#undef NEWS2_SPO2
#undef NEWS2_OXYGEN
#undef NEWS2_SBP
#undef NEWS2_PULSE
#undef NEWS2_CONSCIOUS
#undef NEWS2_TEMP

const RuleDef rules[] = {
    {"total>=7", 3, L"高危：立即报告医生紧急评估，持续监测生命体征"},
    {"total>=5", 2, L"中危：立即报告医生评估，至少每小时监测"},
    {"p_resp>=3||p_spo2>=3||p_sbp>=3||p_pulse>=3||p_conscious>=3||p_temp>=3", 1,
     L"中低危：单项 3 分，报告医生评估，至少每小时监测"},
    {"total>=1", 0, L"低危：责任护士评估，至少每 4-6 小时监测"},
    {"", 0, L"低危：至少每 12 小时监测"},
};

} // namespace

extern const ToolDef news2_tool;
const ToolDef news2_tool = {
    .id = 146,
    .title = L"NEWS2 早期预警评分",
    .subtitle = L"七项生命体征参数评分与临床风险分级",
    .category = L"护理",
    .reference =
        L"NEWS2 0-20 分；0-4 低危，单项 3 分中低危，5-6 中危，≥7 高危（血氧按量表 1 或量表 2）",
    .note =
        L"适用于成年非孕产患者；高碳酸血症呼吸衰竭者经医生确认后用量表 2。每次测量生命体征后评分。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
