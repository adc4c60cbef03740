// Body mass index graded for adults, and body surface area by the Mosteller formula.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const height_guide = L"身高（厘米）";

const wchar_t* const weight_guide = L"体重（千克）";

const InputDef inputs[] = {
    {.key = "height",
     .label = L"身高 cm",
     .unit = L"",
     .default_value = 165,
     .guide = height_guide,
     .lowest = 50,
     .highest = 250,
     .step = 0},
    {.key = "weight",
     .label = L"体重 kg",
     .unit = L"",
     .default_value = 60,
     .guide = weight_guide,
     .lowest = 2,
     .highest = 300,
     .step = 0},
};

const OutputDef outputs[] = {
    {.key = "bmi",
     .label = L"体重指数",
     .unit = L"kg/m²",
     .formula = "weight/(height/100)^2",
     .format = "f1"},
    {.key = "bsa",
     .label = L"体表面积",
     .unit = L"m²",
     .formula = "sqrt(height*weight/3600)",
     .format = "f2"},
};

const RuleDef rules[] = {
    {"bmi<=18.45", 1, L"体重过低，评估营养状况"},
    {"bmi<=23.95", 0, L"体重正常"},
    {"bmi<=27.95", 1, L"超重，指导合理膳食与运动"},
    {"", 2, L"肥胖，指导体重管理并评估相关风险"},
};

} // namespace

extern const ToolDef bmi_tool;
const ToolDef bmi_tool = {
    .id = 152,
    .title = L"体重指数与体表面积",
    .subtitle = L"成人体重指数分级与体表面积",
    .category = L"护理",
    .reference = L"BMI = 体重（kg）÷ 身高（m）²；成人 <18.5 体重过低，18.5-23.9 正常，24.0-27.9 "
                 L"超重，≥28.0 肥胖",
    .note = L"适用于 18 岁及以上成人；体表面积按 Mosteller 公式计算。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .headline = "bmi",
};
