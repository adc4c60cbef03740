// Every program of the suite: its file name (without .exe) and its descriptor, in the order the
// build adds them (add_tool in CMakeLists.txt), which generates the table. Each descriptor is also
// reachable by its own name, NAME_tool with the program name's hyphens as underscores.
#pragma once

#include "core/tool_def.h"
#include "tools/catalog_size.h" // generated: TOOL_CATALOG_SIZE, the number of programs

struct ToolProgram {
    const char* name;
    const ToolDef* tool;
};

extern const ToolProgram TOOL_PROGRAMS[TOOL_CATALOG_SIZE];
extern const int TOOL_PROGRAM_COUNT;

// The Braden scale: the tool of formulas and rules that tests and benchmarks stand on.
extern const ToolDef braden_tool;
