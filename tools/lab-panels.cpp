// The laboratory panels (report kind 11) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const panel_guide = L"检验套餐的编号：\r\n"
                                   L"1 血常规（紫管 EDTA）\r\n"
                                   L"2 生化全套（红/金黄管）\r\n"
                                   L"3 凝血四项（淡蓝管）\r\n"
                                   L"4 甲状腺功能（红/金黄管）\r\n"
                                   L"5 心肌损伤标志物\r\n"
                                   L"6 尿常规（清洁中段尿）";

const InputDef lab_panels_inputs[] = {
    {.key = "panel",
     .label = L"检验套餐 1-6",
     .unit = L"",
     .default_value = 1,
     .guide = panel_guide,
     .lowest = 1,
     .highest = LAB_PANEL_COUNT,
     .step = 1},
};

} // namespace

extern const ToolDef lab_panels_tool;
const ToolDef lab_panels_tool = {
    .id = 211,
    .title = L"检验套餐速查",
    .subtitle = L"常用检验套餐的项目、采血管与注意事项",
    .category = L"检验",
    .reference = L"常用检验套餐内容；以本院检验科项目手册为准",
    .note = L"按标准顺序采血；空腹与送检时限等要求以检验科通知为准。",
    .input_count = static_cast<int>(std::size(lab_panels_inputs)),
    .inputs = lab_panels_inputs,
    .report_kind = REPORT_LAB_PANELS,
};
