// The main window's process-wide state, filled at start-up and changed only by its commands.
#pragma once

#include <windows.h>

#include "core/tool_def.h"
#include "ui/window_texts.h"

constexpr int ID_CALC = 1001;
constexpr int ID_SAVE = 1002;
constexpr int ID_COPY = 1003;
constexpr int ID_RESET = 1004;
constexpr int ID_ABOUT = 1005;
constexpr int ID_INPUT_BASE = 2000;
constexpr int ID_RESULT = 3000;

constexpr int BUTTON_COUNT = 5;
constexpr int CLIENT_WIDTH = 1020;
constexpr int CLIENT_HEIGHT = 720;

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
    double input_values[TOOL_MAX_INPUTS];
};

extern WindowState window_state;

// The outer size of a window whose client area is CLIENT_WIDTH x CLIENT_HEIGHT.
SIZE main_window_outer_size();

// Repaints the main window (and so the status line) without erasing.
void invalidate_main_window();
