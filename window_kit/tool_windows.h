// The tool windows open on this desktop, of every program of the suite: each is a window of one
// class whose caption is its tool's title, or the title and the patient it is open for.
#pragma once

#include <windows.h>

extern const wchar_t* const TOOL_WINDOW_CLASS;

// The tool window with exactly this caption (of any program); null when none is open.
HWND find_tool_window(const wchar_t* caption);

// Shows the window, restored when minimized, in front of the others.
void bring_window_forward(HWND window);

// Moves a new window of the tool, not yet shown, down and right by its caption's height for as
// long as another window of the same tool lies at its corner, so that each can be seen; it stays
// on its monitor's work area.
void place_clear_of_same_tool(HWND window, const wchar_t* title);
