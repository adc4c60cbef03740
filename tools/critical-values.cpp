// The critical-value reference (report kind 4) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const InputDef critical_values_inputs[] = {
    {"kind", L"项目类别 1-6", L"", 1},
};

const ToolDef critical_values_tool = {
    204,
    L"检验危急值速查",
    L"常见检验危急值与报告处置流程",
    L"检验",
    L"常见检验危急值参考；以本院《危急值报告目录》为准",
    L"危急值须闭环管理：核实、报告、接收、处理、记录。",
    static_cast<int>(std::size(critical_values_inputs)),
    critical_values_inputs,
    0,
    nullptr,
    0,
    nullptr,
    4,
};

} // namespace

const ToolDef* get_tool() { return &critical_values_tool; }
