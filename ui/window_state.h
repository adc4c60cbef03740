// The main window's process-wide state, filled at start-up and changed only by its commands.
#pragma once

#include <windows.h>

#include "core/tool_def.h"
#include "records/patient_fields.h"
#include "screen/calc_session.h"
#include "screen/control_ids.h"
#include "screen/control_plan.h"
#include "screen/layout.h"
#include "screen/window_texts.h"
#include "window_kit/window_fonts.h"

constexpr int BUTTON_COUNT = layout::BUTTON_COUNT;

struct WindowState {
    HINSTANCE instance;
    HWND main_window;
    HWND input_edits[TOOL_MAX_INPUTS];
    HWND result_box;
    HWND verdict_label;
    HWND note_label;
    HWND buttons[BUTTON_COUNT];
    HWND patient_labels[PATIENT_FIELD_COUNT]; // by PatientField
    HWND patient_edits[PATIENT_FIELD_COUNT];
    WindowFonts fonts;
    HBRUSH white_brush;
    HBRUSH background_brush;
    HBRUSH header_brush; // behind the patient strip's labels
    wchar_t status_text[STATUS_TEXT_CAPACITY];
    // The tool, and the inputs and outcome of the last Calculate.
    CalcSession session;
    HWND input_guide; // null when the rows leave no room for it
    // The display: its DPI and the layout's scale there, and every child control with its place
    // in the plan it was made from, so that a change of DPI moves them all.
    int dpi;
    double scale;
    PlannedControl plan[MAIN_PLAN_CAPACITY];
    HWND controls[MAIN_PLAN_CAPACITY];
    int control_count;
    // The caption names the patient the window was opened for (--patient); an edit of the
    // patient strip puts the tool's title back.
    bool caption_names_patient;
};

extern WindowState window_state;

// The outer size of the window with the layout's client area at its scale.
SIZE main_window_outer_size();

// Repaints the main window (and so the status line) without erasing.
void invalidate_main_window();
