// The blood-draw order (report kind 3) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const kind_guide = L"本次采血项目的编号：\r\n"
                                  L"1 血常规：紫管 EDTA\r\n"
                                  L"2 凝血：淡蓝管\r\n"
                                  L"3 生化：红/金黄管\r\n"
                                  L"4 血气：肝素化注射器\r\n"
                                  L"5 血培养：需氧+厌氧各 1 套\r\n"
                                  L"6 血糖/乳酸：灰管\r\n"
                                  L"其他：其他项目，按检验科项目手册执行";

const InputDef blood_draw_order_inputs[] = {
    {"kind", L"采血项目 1-6", L"", 1, kind_guide},
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
