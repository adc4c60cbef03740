// The infusion card (report kind 10) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const bed_guide = L"患者床号；小数按整数部分显示";

const wchar_t* const dose_guide = L"医嘱药量，按两位小数显示，不换算单位";

const wchar_t* const volume_guide = L"溶媒的毫升数，按整数显示";

const wchar_t* const gtt_guide = L"每分钟滴数，按整数显示\r\n"
                                 L"每小时输液量按 1 滴/分约 3 ml/h 折算";

const InputDef infusion_card_inputs[] = {
    {"bed", L"床号", L"", 1, bed_guide},
    {"dose", L"医嘱药量", L"", 1, dose_guide},
    {"volume", L"溶媒量", L"ml", 250, volume_guide},
    {"gtt", L"滴速", L"滴/分", 40, gtt_guide},
};

const ToolDef infusion_card_tool = {
    210,
    L"静脉输液卡",
    L"床号、药液与滴速，折算每小时输液量",
    L"用药",
    L"按每毫升 20 滴折算（1 滴/分约 3 ml/h）；输液卡格式以本院规范为准",
    L"执行前双人核对药名、剂量、浓度、有效期与配伍；每 30 分钟巡视并记录。",
    static_cast<int>(std::size(infusion_card_inputs)),
    infusion_card_inputs,
    0,
    nullptr,
    0,
    nullptr,
    10,
};

} // namespace

const ToolDef* get_tool() { return &infusion_card_tool; }
