// The main window's process-wide state, filled at start-up and changed only by its commands.
#pragma once

#include <windows.h>

#include "core/tool_def.h"
#include "screen/control_ids.h"
#include "screen/layout.h"
#include "screen/window_texts.h"

constexpr int BUTTON_COUNT = 5;

extern const wchar_t* const WINDOW_CLASS_NAME;

struct WindowState {
    HINSTANCE instance;
    HWND main_window;
    const ToolDef* tool;
    int level;
    HWND input_edits[TOOL_MAX_INPUTS];
    HWND result_box;
    HWND verdict_label;
    HWND note_label;
    HWND buttons[BUTTON_COUNT];
    HFONT font_title;
    HFONT font_caption;
    HFONT font_label;
    HFONT font_input;
    HFONT font_verdict;
    HFONT font_result;
    HFONT font_button;
    HFONT font_small;
    HBRUSH white_brush;
    HBRUSH background_brush;
    wchar_t kept_result[KEPT_RESULT_CAPACITY];
    wchar_t copy_text[COPY_TEXT_CAPACITY];
    wchar_t status_text[STATUS_TEXT_CAPACITY];
    // The values of the last Calculate that passed the input check: the ones its result shows.
    double input_values[TOOL_MAX_INPUTS];
    // An input's text has changed since the last successful Calculate, so the result shown no
    // longer matches the inputs: Copy and Save refuse until the next Calculate.
    bool inputs_edited;
    HWND input_guide; // null when the rows leave no room for it
};

extern WindowState window_state;

// The outer size of a window with the layout's client area.
SIZE main_window_outer_size();

// Repaints the main window (and so the status line) without erasing.
void invalidate_main_window();
