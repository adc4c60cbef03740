// The Glasgow coma scale: eye, verbal and motor responses summed and graded.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const eye_guide = L"4 自动睁眼\r\n"
                                 L"3 呼唤睁眼\r\n"
                                 L"2 刺痛睁眼\r\n"
                                 L"1 无睁眼";

const wchar_t* const verbal_guide = L"5 回答正确（定向正常）\r\n"
                                    L"4 回答错误（定向障碍）\r\n"
                                    L"3 语无伦次，用词不当\r\n"
                                    L"2 只能发音，言语难辨\r\n"
                                    L"1 无语言反应\r\n"
                                    L"气管插管或切开者按本院规定另行记录";

const wchar_t* const motor_guide = L"6 遵嘱活动\r\n"
                                   L"5 刺痛定位\r\n"
                                   L"4 刺痛躲避（回缩）\r\n"
                                   L"3 刺痛屈曲（去皮质强直）\r\n"
                                   L"2 刺痛伸直（去大脑强直）\r\n"
                                   L"1 无运动反应";

const InputDef inputs[] = {
    {.key = "eye",
     .label = L"睁眼反应 1-4",
     .unit = L"",
     .default_value = 4,
     .guide = eye_guide,
     .lowest = 1,
     .highest = 4,
     .step = 1},
    {.key = "verbal",
     .label = L"语言反应 1-5",
     .unit = L"",
     .default_value = 5,
     .guide = verbal_guide,
     .lowest = 1,
     .highest = 5,
     .step = 1},
    {.key = "motor",
     .label = L"运动反应 1-6",
     .unit = L"",
     .default_value = 6,
     .guide = motor_guide,
     .lowest = 1,
     .highest = 6,
     .step = 1},
};

const OutputDef outputs[] = {
    {.key = "total",
     .label = L"GCS 总分",
     .unit = L"分",
     .formula = "eye+verbal+motor",
     .format = "f0"},
};

const RuleDef rules[] = {
    {"total<=8", 3, L"重度意识障碍，保持呼吸道通畅，立即报告医生"},
    {"total<=12", 2, L"中度意识障碍，报告医生，密切观察意识、瞳孔与生命体征"},
    {"total<=14", 1, L"轻度意识障碍，加强观察"},
    {"", 0, L"意识清楚"},
};

} // namespace

extern const ToolDef gcs_tool;
const ToolDef gcs_tool = {
    .id = 145,
    .title = L"GCS 格拉斯哥昏迷评分",
    .subtitle = L"睁眼、语言、运动反应评分与意识障碍分级",
    .category = L"护理",
    .reference = L"GCS 3-15 分；15 意识清楚，13-14 轻度，9-12 中度，3-8 重度意识障碍",
    .note = L"病情变化时随时评估；总分较上次下降 2 分及以上立即报告医生。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
