// The blood-draw order (report kind 3) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const InputDef blood_draw_order_inputs[] = {
    {"kind", L"采血项目 1-6", L"", 1},
};

const ToolDef blood_draw_order_tool = {
    203,
    L"采血顺序提示",
    L"按添加剂排列的标准采血顺序与本次要点",
    L"检验",
    L"常用采血管顺序（按添加剂，避免交叉污染）；以本院检验科项目手册为准",
    L"按顺序采血可减少溶血与交叉污染；标本标识与送检时限按检验科要求。",
    static_cast<int>(std::size(blood_draw_order_inputs)),
    blood_draw_order_inputs,
    0,
    nullptr,
    0,
    nullptr,
    3,
};

} // namespace

const ToolDef* get_tool() { return &blood_draw_order_tool; }
