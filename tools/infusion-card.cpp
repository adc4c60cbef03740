// The infusion card (report kind 10) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"

namespace {

const wchar_t* const bed_guide = L"患者床号";

const wchar_t* const dose_guide = L"医嘱药量，按两位小数显示，不换算单位";

const wchar_t* const volume_guide = L"溶媒的毫升数，按整数显示";

const wchar_t* const gtt_guide = L"每分钟滴数，按整数显示\r\n"
                                 L"每小时输液量按 1 滴/分约 3 ml/h 折算";

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
    .reference = L"按每毫升 20 滴折算（1 滴/分约 3 ml/h）；输液卡格式以本院规范为准",
    .note = L"执行前双人核对药名、剂量、浓度、有效期与配伍；每 30 分钟巡视并记录。",
    .input_count = static_cast<int>(std::size(infusion_card_inputs)),
    .inputs = infusion_card_inputs,
    .report_kind = REPORT_INFUSION_CARD,
};
