// The dosing timetable (report kind 2) as a program of its own.
#include <iterator>

#include "core/tool_def.h"

namespace {

const InputDef dosing_timetable_inputs[] = {
    {"start", L"首剂时间 0-23", L"点", 8},
    {"interval", L"给药间隔", L"小时", 8},
    {"times", L"给药次数 1-30", L"次", 3},
};

const ToolDef dosing_timetable_tool = {
    202,
    L"给药时间表",
    L"按首剂时间与间隔排出每次给药时刻",
    L"用药",
    L"等间隔给药的常用排法；给药时间以医嘱和本院给药制度为准",
    L"抗菌药物需结合半衰期与肝肾功能调整；注意首剂与夜间给药时间。",
    static_cast<int>(std::size(dosing_timetable_inputs)),
    dosing_timetable_inputs,
    0,
    nullptr,
    0,
    nullptr,
    2,
};

} // namespace

const ToolDef* get_tool() { return &dosing_timetable_tool; }
