// The Braden pressure-sore risk scale: six sub-scores summed and graded.
#include <iterator>

#include "core/tool_def.h"

namespace {

const InputDef braden_inputs[] = {
    {"sensory", L"感觉 1-4", L"", 3},   {"moist", L"潮湿 1-4", L"", 2},
    {"activity", L"活动 1-4", L"", 2},  {"mobility", L"移动 1-4", L"", 2},
    {"nutrition", L"营养 1-4", L"", 2}, {"friction", L"摩擦力 1-3", L"", 2},
};

const OutputDef braden_outputs[] = {
    {"total", L"Braden 总分", L"分", "sensory+moist+activity+mobility+nutrition+friction", "f0"},
};

// The conditions sum the inputs themselves, unrounded, so a fractional sum such as 12.4 grades
// by its exact value even though the total is shown rounded.
const RuleDef braden_rules[] = {
    {"sensory+moist+activity+mobility+nutrition+friction<=9", 3,
     L"极高危，使用减压床垫并每 2 小时翻身"},
    {"sensory+moist+activity+mobility+nutrition+friction<=12", 2, L"高危，落实翻身与皮肤保护"},
    {"sensory+moist+activity+mobility+nutrition+friction<=14", 1, L"中危，加强观察与营养"},
    {"", 0, L"低危，常规护理"},
};

const ToolDef braden_tool = {
    138,
    L"Braden 压疮风险评估",
    L"六项子评分合计与风险分级",
    L"护理",
    L"Braden 评分 6-23 分；≤9 极高危，10-12 高危，13-14 中危，15-18 低危",
    L"评分需每班/每日复评，翻身、减压与皮肤护理同步落实。",
    static_cast<int>(std::size(braden_inputs)),
    braden_inputs,
    static_cast<int>(std::size(braden_outputs)),
    braden_outputs,
    static_cast<int>(std::size(braden_rules)),
    braden_rules,
    0,
};

} // namespace

const ToolDef* get_tool() { return &braden_tool; }
