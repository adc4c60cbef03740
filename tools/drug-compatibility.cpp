// The drug compatibility check (report kind 6) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const InputDef drug_compatibility_inputs[] = {
    {"drugA", L"药物 A 编号 1-10", L"", 1},
    {"drugB", L"药物 B 编号 1-10", L"", 2},
};

const ToolDef drug_compatibility_tool = {
    206,
    L"药物配伍速查",
    L"两种注射药物能否同瓶输注",
    L"用药",
    L"少数常见注射药物配伍禁忌的归纳；以本院配伍表与药剂科意见为准",
    L"未收录的组合不等于可以配伍；现配现用，更换药物之间注意冲管。",
    static_cast<int>(std::size(drug_compatibility_inputs)),
    drug_compatibility_inputs,
    0,
    nullptr,
    0,
    nullptr,
    6,
};

} // namespace

const ToolDef* get_tool() { return &drug_compatibility_tool; }
