// The syringe-pump rate for a weight-based dose in micrograms per kilogram per minute.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const dose_guide = L"医嘱剂量，单位：微克每千克每分钟（μg/kg/min）";

const wchar_t* const weight_guide = L"患者体重（kg）";

const wchar_t* const drug_guide = L"配入注射器的药物总量（mg）";

const wchar_t* const volume_guide = L"注射器内药液总量（mL），常用 50 mL";

const InputDef inputs[] = {
    {.key = "dose",
     .label = L"剂量 μg/kg/min",
     .unit = L"",
     .default_value = 5,
     .guide = dose_guide,
     .lowest = 0.01,
     .highest = 100,
     .step = 0},
    {.key = "weight",
     .label = L"体重 kg",
     .unit = L"",
     .default_value = 60,
     .guide = weight_guide,
     .lowest = 0.5,
     .highest = 300,
     .step = 0},
    {.key = "drug",
     .label = L"药量 mg",
     .unit = L"",
     .default_value = 200,
     .guide = drug_guide,
     .lowest = 0.01,
     .highest = 10000,
     .step = 0},
    {.key = "volume",
     .label = L"配制总量 mL",
     .unit = L"",
     .default_value = 50,
     .guide = volume_guide,
     .lowest = 1,
     .highest = 100,
     .step = 0},
};

const OutputDef outputs[] = {
    {.key = "conc",
     .label = L"浓度",
     .unit = L"μg/mL",
     .formula = "drug*1000/volume",
     .format = "f1"},
    {.key = "rate",
     .label = L"泵速",
     .unit = L"mL/h",
     .formula = "dose*weight*60*volume/(drug*1000)",
     .format = "f2"},
    {.key = "hourly",
     .label = L"每小时药量",
     .unit = L"mg/h",
     .formula = "dose*weight*60/1000",
     .format = "f2"},
};

const RuleDef rules[] = {
    {"rate<0.05", 1, L"泵速过低，注射泵无法准确输注，请提高配制浓度"},
    {"", 0, L"双人核对药名、剂量、浓度与泵速后执行"},
};

} // namespace

extern const ToolDef pump_rate_tool;
const ToolDef pump_rate_tool = {
    .id = 151,
    .title = L"微量泵速计算",
    .subtitle = L"按体重剂量（μg/kg/min）计算注射泵速度",
    .category = L"用药",
    .reference = L"泵速（mL/h）= 剂量（μg/kg/min）× 体重（kg）× 60 ÷ 浓度（μg/mL）；浓度 = "
                 L"药量（mg）× 1000 ÷ 配制总量（mL）",
    .note = L"高警示药品须双人核对药名、剂量、浓度与泵速；更换药液或剂量时重新计算。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .headline = "rate",
};
