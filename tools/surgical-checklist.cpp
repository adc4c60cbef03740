// The surgical safety checklist (report kind 8) as a program of its own.
#include "core/tool_def.h"

namespace {

const ToolDef surgical_checklist_tool = {
    208,
    L"手术安全核查表",
    L"麻醉前、手术开始前、离室前三步核查",
    L"手术",
    L"手术安全核查的常用三步流程；以本院手术安全核查制度为准",
    L"三方（外科、麻醉、护理）共同口述确认并签字后归档。",
    0,
    nullptr,
    0,
    nullptr,
    0,
    nullptr,
    8,
};

} // namespace

const ToolDef* get_tool() { return &surgical_checklist_tool; }
