// The blood-draw order (report kind 3) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const kind_guide = L"本次采血项目的编号：\r\n"
                                  L"1 血常规：紫管 EDTA\r\n"
                                  L"2 凝血：淡蓝管\r\n"
                                  L"3 生化：红/金黄管\r\n"
                                  L"4 血气：肝素化注射器\r\n"
                                  L"5 血培养：需氧+厌氧各 1 套\r\n"
                                  L"6 血糖/乳酸：灰管";

const InputDef blood_draw_order_inputs[] = {
    {.key = "kind",
     .label = L"采血项目 1-6",
     .unit = L"",
     .default_value = 1,
     .guide = kind_guide,
     .lowest = 1,
     .highest = BLOOD_DRAW_KIND_COUNT,
     .step = 1},
};

} // namespace

extern const ToolDef blood_draw_order_tool;
const ToolDef blood_draw_order_tool = {
    .id = 203,
    .title = L"采血顺序提示",
    .subtitle = L"按添加剂排列的标准采血顺序与本次要点",
    .category = L"检验",
    .reference = L"常用采血管顺序（按添加剂，避免交叉污染）；以本院检验科项目手册为准",
    .note = L"按顺序采血可减少溶血与交叉污染；标本标识与送检时限按检验科要求。",
    .input_count = static_cast<int>(std::size(blood_draw_order_inputs)),
    .inputs = blood_draw_order_inputs,
    .report_kind = REPORT_BLOOD_DRAW_ORDER,
};
