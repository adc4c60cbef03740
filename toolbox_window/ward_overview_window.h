// The ward overview window of the toolbox: every patient of the records folder (the policy's, or
// the user's) with each assessment tool's latest record of the last 30 days, and an export of it
// as a CSV file. Record files are only read, shared, never changed.
#pragma once

#include <windows.h>

#include "records/patient_fields.h"
#include "window_kit/window_fonts.h"

constexpr int ID_OVERVIEW_LIST = 1;
constexpr int ID_OVERVIEW_LAST_LINE = 2;
constexpr int ID_OVERVIEW_EXPORT = 3;
constexpr int ID_OVERVIEW_ASSESS = 4;

extern const wchar_t* const OVERVIEW_CAPTION; // "病区一览"

// What the overview asks of the toolbox.
struct OverviewActions {
    // Enter on a row, or a double click on its bed or name: the row's patient becomes the
    // toolbox's, and the overview closes.
    void (*choose)(const PatientFields& patient);
    // A double click on a tool's cell, or 评估… for the selected cell: that program (a name of
    // OVERVIEW_PROGRAMS) opens for the row's patient.
    void (*open)(const char* program, const PatientFields& patient);
};

// Reads the records and shows the overview, owner disabled until it is closed; the fonts and
// scale are the owner's.
void show_ward_overview(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale,
                        const OverviewActions& actions);
