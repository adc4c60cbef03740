// Every program of the suite with its descriptor, for the tests that check them all.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>

#include "toolbox/toolbox_list.h"
#include "tools/catalog.h"

// The descriptor of the program of that file name; a failure, and the first program, when there
// is none.
inline const ToolDef& program(const char* name) {
    const ToolDef* tool = toolbox_tool_named(name);
    if (tool == nullptr) ADD_FAILURE() << "no program " << name;
    return tool != nullptr ? *tool : *TOOL_PROGRAMS[0].tool;
}

// The headline a test's record carries: the number its made-up result shows after "：" (none,
// NaN, when it shows no "："), as the engine would have computed it.
inline double result_number(const wchar_t* result) {
    const wchar_t* colon = std::wcschr(result, L'：');
    return colon != nullptr ? std::wcstod(colon + 1, nullptr) : std::nan("");
}
