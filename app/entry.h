// The program's entry flow, shared by the Windows and Linux entry points.
#pragma once

#include "core/tool_def.h"

// Opens the main window of the tool and returns the exit code (1 when it cannot be created).
using WindowRunner = int (*)(const ToolDef& tool, void* context);

// With "--selftest" on the command line, runs the self-test of the tool and returns its exit
// code; otherwise returns what run_window returns.
int entry_run(const wchar_t* command_line, const ToolDef& tool, WindowRunner run_window,
              void* context);
