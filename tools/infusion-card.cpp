// The infusion card (report kind 10) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const bed_guide = L"患者床号";

const wchar_t* const dose_guide = L"医嘱药量，最多两位小数，不换算单位";

const wchar_t* const volume_guide = L"溶媒的毫升数，按整数显示";

const wchar_t* const unit_guide = L"1 mg\r\n"
                                  L"2 g\r\n"
                                  L"3 μg\r\n"
                                  L"4 单位\r\n"
                                  L"5 万单位\r\n"
                                  L"6 ml\r\n"
                                  L"7 mmol";

const wchar_t* const factor_guide = L"10、15、20 或 60 滴/mL，以输液器包装为准";

const wchar_t* const gtt_guide = L"每分钟滴数，按整数显示\r\n"
                                 L"每小时输液量按所选滴系数折算";

const InputDef infusion_card_inputs[] = {
    {.key = "bed",
     .label = L"床号",
     .unit = L"",
     .default_value = 1,
     .guide = bed_guide,
     .lowest = 1,
     .highest = 9999,
     .step = 1},
    {.key = "dose",
     .label = L"医嘱药量",
     .unit = L"",
     .default_value = 1,
     .guide = dose_guide,
     .lowest = 0.01,
     .highest = 10000,
     .step = 0.01},
    {.key = "unit",
     .label = L"剂量单位",
     .unit = L"",
     .default_value = 1,
     .guide = unit_guide,
     .lowest = 1,
     .highest = INFUSION_UNIT_COUNT,
     .step = 1},
    {.key = "factor",
     .label = L"输液器滴系数",
     .unit = L"滴/mL",
     .default_value = 20,
     .guide = factor_guide,
     .lowest = 10,
     .highest = 60,
     .choices = {10, 15, 20, 60}},
    {.key = "volume",
     .label = L"溶媒量",
     .unit = L"ml",
     .default_value = 250,
     .guide = volume_guide,
     .lowest = 1,
     .highest = 5000,
     .step = 1},
    {.key = "gtt",
     .label = L"滴速",
     .unit = L"滴/分",
     .default_value = 40,
     .guide = gtt_guide,
     .lowest = 1,
     .highest = 300,
     .step = 1},
};

} // namespace

extern const ToolDef infusion_card_tool;
const ToolDef infusion_card_tool = {
    .id = 210,
    .title = L"静脉输液卡",
    .subtitle = L"床号、药液与滴速，折算每小时输液量",
    .category = L"用药",
    .reference =
        L"每小时输液量（ml/h）= 滴速（滴/分）× 60 ÷ 滴系数（滴/mL）；输液卡格式以本院规范为准",
    .note = L"执行前双人核对药名、剂量、浓度、有效期与配伍；每 30 分钟巡视并记录。",
    .input_count = static_cast<int>(std::size(infusion_card_inputs)),
    .inputs = infusion_card_inputs,
    .report_kind = REPORT_INFUSION_CARD,
    .blank_at_start = true,
};
