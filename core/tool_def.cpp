#include "core/tool_def.h"

#include <cstring>

int tool_headline_index(const ToolDef& tool) {
    if (tool.headline == nullptr || tool.report_kind != 0) return -1;
    for (int i = 0; i < tool_output_count(tool); ++i)
        if (std::strcmp(tool.outputs[i].key, tool.headline) == 0) return i;
    return -1;
}
