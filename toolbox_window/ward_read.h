// The ward's records as the overview and the toolbox's patient list read them: every assessment
// tool's file of the records folder (the policy's, or the user's), back to the overview's days.
#pragma once

#include "records_win32/record_folder.h"
#include "toolbox/ward_overview.h"

constexpr int WARD_READ_LINE_CAPACITY = RECORD_FOLDER_CAPACITY + 128;

// Reads the records of the tools (OVERVIEW_PROGRAMS' order; a null one is left out) into
// overview, sorted by bed, whatever each file's size: a missing file has no records, one that
// cannot be read is counted. last_line says how many patients since when and from which folder,
// what was left out, or why nothing could be read.
void read_ward_overview(const ToolDef* const* tools, WardOverview* overview, wchar_t* last_line,
                        int capacity);
