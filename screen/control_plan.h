// Which child controls the tool window has for a tool, where and in which font, at a display
// scale: the one list the window creates its controls from and moves them by when the scale
// changes. In creation order, which is the Tab order: the patient strip, the input rows, the
// guide and the result panel, then the buttons.
#pragma once

#include "core/tool_def.h"
#include "records/patient_fields.h"
#include "screen/fonts.h"
#include "screen/layout.h"

enum PlannedKind {
    PLAN_PATIENT_LABEL, // index: the PatientField
    PLAN_PATIENT_EDIT,
    PLAN_ROW_LABEL, // index: the input
    PLAN_ROW_EDIT,
    PLAN_ROW_UNIT, // only for an input with a unit
    PLAN_GUIDE,    // only when the rows leave room for it
    PLAN_VERDICT,
    PLAN_RESULT_BOX,
    PLAN_NOTE,
    PLAN_REFERENCE,
    PLAN_BUTTON, // index: the button from the left
};

struct PlannedControl {
    PlannedKind kind;
    int index;
    LayoutRect rect; // in client pixels at the scale
    FontRole font;
};

// The buttons in the order of the layout's BUTTONS: their identifiers and captions.
struct MainButton {
    int id;
    const wchar_t* caption;
};
extern const MainButton MAIN_BUTTONS[layout::BUTTON_COUNT];

constexpr int MAIN_PLAN_CAPACITY =
    2 * PATIENT_FIELD_COUNT + 3 * TOOL_MAX_INPUTS + 5 + layout::BUTTON_COUNT;

// Fills plan with the tool window's controls at the scale; returns how many.
int plan_main_window(const ToolDef& tool, double scale, PlannedControl* plan, int capacity);
