// The infusion card (report kind 10) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const InputDef infusion_card_inputs[] = {
    {"bed", L"床号", L"", 1},
    {"dose", L"医嘱药量", L"", 1},
    {"volume", L"溶媒量", L"ml", 250},
    {"gtt", L"滴速", L"滴/分", 40},
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
