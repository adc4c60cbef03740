// Every program of the suite with its descriptor, for the tests that check them all.
#pragma once

#include <gtest/gtest.h>

#include "toolbox/toolbox_list.h"
#include "tools/catalog.h"

// The descriptor of the program of that file name; a failure, and the first program, when there
// is none.
inline const ToolDef& program(const char* name) {
    const ToolDef* tool = toolbox_tool_named(name);
    if (tool == nullptr) ADD_FAILURE() << "no program " << name;
    return tool != nullptr ? *tool : *TOOL_PROGRAMS[0].tool;
}
