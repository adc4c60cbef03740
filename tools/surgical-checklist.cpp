// The surgical safety checklist (report kind 8) as a program of its own.
#include "core/report_kinds.h"
#include "core/tool_def.h"

extern const ToolDef surgical_checklist_tool;
const ToolDef surgical_checklist_tool = {
    .id = 208,
    .title = L"手术安全核查表",
    .subtitle = L"麻醉前、手术开始前、离室前三步核查",
    .category = L"手术",
    .reference = L"《手术安全核查制度》（卫生部，2010）；WHO 手术安全核查表（2009）",
    .note = L"三方（外科、麻醉、护理）共同口述确认并签字后归档。",
    .report_kind = REPORT_SURGICAL_CHECKLIST,
};
