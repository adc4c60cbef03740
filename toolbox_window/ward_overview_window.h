// The ward overview window of the toolbox: every patient of the records folder (the policy's, or
// the user's) with each assessment tool's latest record of the last 30 days, and an export of it
// as a CSV file. Record files are only read, shared, never changed.
#pragma once

#include <windows.h>

#include "window_kit/window_fonts.h"

constexpr int ID_OVERVIEW_LIST = 1;
constexpr int ID_OVERVIEW_LAST_LINE = 2;
constexpr int ID_OVERVIEW_EXPORT = 3;

extern const wchar_t* const OVERVIEW_CAPTION; // "病区一览"

// Reads the records and shows the overview, owner disabled until it is closed; the fonts and
// scale are the owner's.
void show_ward_overview(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale);
