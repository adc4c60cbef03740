// The Barthel index of activities of daily living: ten items summed and graded by dependence.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const feeding_guide = L"10 独立进食\r\n"
                                     L"5 需部分帮助（如夹菜、切碎食物）\r\n"
                                     L"0 需极大帮助或完全依赖他人，或留置胃管";

const wchar_t* const bathing_guide = L"5 独立完成洗澡\r\n"
                                     L"0 需他人帮助";

const wchar_t* const grooming_guide = L"5 独立洗脸、刷牙、梳头、剃须\r\n"
                                      L"0 需他人帮助";

const wchar_t* const dressing_guide = L"10 独立穿脱衣裤鞋袜、系扣、拉拉链\r\n"
                                      L"5 需部分帮助\r\n"
                                      L"0 需极大帮助或完全依赖他人";

const wchar_t* const bowels_guide = L"10 能控制\r\n"
                                    L"5 偶尔失控（每周<1 次），或需他人提示\r\n"
                                    L"0 完全失控";

const wchar_t* const bladder_guide = L"10 能控制\r\n"
                                     L"5 偶尔失控（每天<1 次，但每周>1 次），或需他人提示\r\n"
                                     L"0 完全失控，或留置导尿管";

const wchar_t* const toilet_guide = L"10 独立完成如厕\r\n"
                                    L"5 需部分帮助\r\n"
                                    L"0 需极大帮助或完全依赖他人";

const wchar_t* const transfer_guide = L"15 独立完成\r\n"
                                      L"10 需部分帮助\r\n"
                                      L"5 需极大帮助\r\n"
                                      L"0 完全依赖他人";

const wchar_t* const walking_guide = L"15 独立在平地行走 45 米\r\n"
                                     L"10 需部分帮助\r\n"
                                     L"5 需极大帮助\r\n"
                                     L"0 完全依赖他人";

const wchar_t* const stairs_guide = L"10 独立上下楼梯\r\n"
                                    L"5 需部分帮助\r\n"
                                    L"0 需极大帮助或完全依赖他人";

const InputDef inputs[] = {
    {.key = "feeding",
     .label = L"进食 0/5/10",
     .unit = L"",
     .default_value = 10,
     .guide = feeding_guide,
     .lowest = 0,
     .highest = 10,
     .step = 5},
    {.key = "bathing",
     .label = L"洗澡 0/5",
     .unit = L"",
     .default_value = 5,
     .guide = bathing_guide,
     .lowest = 0,
     .highest = 5,
     .step = 5},
    {.key = "grooming",
     .label = L"修饰 0/5",
     .unit = L"",
     .default_value = 5,
     .guide = grooming_guide,
     .lowest = 0,
     .highest = 5,
     .step = 5},
    {.key = "dressing",
     .label = L"穿衣 0/5/10",
     .unit = L"",
     .default_value = 10,
     .guide = dressing_guide,
     .lowest = 0,
     .highest = 10,
     .step = 5},
    {.key = "bowels",
     .label = L"控制大便 0/5/10",
     .unit = L"",
     .default_value = 10,
     .guide = bowels_guide,
     .lowest = 0,
     .highest = 10,
     .step = 5},
    {.key = "bladder",
     .label = L"控制小便 0/5/10",
     .unit = L"",
     .default_value = 10,
     .guide = bladder_guide,
     .lowest = 0,
     .highest = 10,
     .step = 5},
    {.key = "toilet",
     .label = L"如厕 0/5/10",
     .unit = L"",
     .default_value = 10,
     .guide = toilet_guide,
     .lowest = 0,
     .highest = 10,
     .step = 5},
    {.key = "transfer",
     .label = L"床椅转移 0-15",
     .unit = L"",
     .default_value = 15,
     .guide = transfer_guide,
     .lowest = 0,
     .highest = 15,
     .step = 5},
    {.key = "walking",
     .label = L"平地行走 0-15",
     .unit = L"",
     .default_value = 15,
     .guide = walking_guide,
     .lowest = 0,
     .highest = 15,
     .step = 5},
    {.key = "stairs",
     .label = L"上下楼梯 0/5/10",
     .unit = L"",
     .default_value = 10,
     .guide = stairs_guide,
     .lowest = 0,
     .highest = 10,
     .step = 5},
};

const OutputDef outputs[] = {
    {.key = "total",
     .label = L"Barthel 指数",
     .unit = L"分",
     .formula = "feeding+bathing+grooming+dressing+bowels+bladder+toilet+transfer+walking+stairs",
     .format = "f0"},
};

const RuleDef rules[] = {
    {"total<=40", 3, L"重度依赖，全部日常生活需他人照护"},
    {"total<=60", 2, L"中度依赖，大部分日常生活需他人照护"},
    {"total<=99", 1, L"轻度依赖，少部分日常生活需他人照护"},
    {"", 0, L"无需依赖，日常生活可自理"},
};

} // namespace

extern const ToolDef barthel_adl_tool;
const ToolDef barthel_adl_tool = {
    .id = 141,
    .title = L"Barthel 自理能力评估",
    .subtitle = L"日常生活活动十项评分与依赖程度分级",
    .category = L"护理",
    .reference =
        L"Barthel 指数 0-100 分；100 无需依赖，61-99 轻度依赖，41-60 中度依赖，≤40 重度依赖",
    .note = L"入院、病情变化及出院前评估；依赖程度是确定护理级别的依据之一。",
    .input_count = static_cast<int>(std::size(inputs)),
    .inputs = inputs,
    .output_count = static_cast<int>(std::size(outputs)),
    .outputs = outputs,
    .rule_count = static_cast<int>(std::size(rules)),
    .rules = rules,
    .blank_at_start = true,
    .headline = "total",
};
