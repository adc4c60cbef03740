// The main window of the tool.
#pragma once

#include <windows.h>

#include "core/tool_def.h"

// Runs the window until it is closed. Returns 0 when the message loop ends, 1 when the main
// window cannot be created.
int gui_run(HINSTANCE instance, const ToolDef* tool);

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
