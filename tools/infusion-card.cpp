// The infusion card (report kind 10) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"

namespace {

const wchar_t* const bed_guide = L"患者床号；小数按整数部分显示";

const wchar_t* const dose_guide = L"医嘱药量，按两位小数显示，不换算单位";

const wchar_t* const volume_guide = L"溶媒的毫升数，按整数显示";

const wchar_t* const gtt_guide = L"每分钟滴数，按整数显示\r\n"
                                 L"每小时输液量按 1 滴/分约 3 ml/h 折算";

const InputDef infusion_card_inputs[] = {
    {"bed", L"床号", L"", 1, bed_guide, 1, 9999, 1},
    {"dose", L"医嘱药量", L"", 1, dose_guide, 0.01, 10000, 0.01},
    {"volume", L"溶媒量", L"ml", 250, volume_guide, 1, 5000, 1},
    {"gtt", L"滴速", L"滴/分", 40, gtt_guide, 1, 300, 1},
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
