// The ward overview: one row per patient over the records of every assessment tool, with each
// tool's latest record of the last OVERVIEW_DAYS days (its headline value, level and date). A
// patient is the inpatient number, or the bed and the name when the record has no number; records
// that name a grade are read, by the file's own header. Rows are sorted by bed, numbers in their
// numeric order.
#pragma once

#include <cstddef>

#include "core/tool_def.h"
#include "records/patient_fields.h"
#include "records/record_history.h"

// The assessment tools, the overview's columns in their order: program names of the catalog.
constexpr int OVERVIEW_TOOL_COUNT = 9;
extern const char* const OVERVIEW_PROGRAMS[OVERVIEW_TOOL_COUNT];

constexpr int OVERVIEW_DAYS = 30;
constexpr int OVERVIEW_MAX_PATIENTS = 256;
constexpr int OVERVIEW_VALUE_CAPACITY = 48;
constexpr int OVERVIEW_DATE_CAPACITY = 11; // "YYYY-MM-DD"

struct OverviewEntry {
    bool present;
    wchar_t time[HISTORY_TIME_CAPACITY]; // of the latest record
    // Its headline value as the result shows it ("13 分"); the result's first line when the
    // record has none.
    wchar_t value[OVERVIEW_VALUE_CAPACITY];
    int level;
    bool time_anomalous; // its time cannot be right (RecordRow)
};

struct OverviewPatient {
    wchar_t bed[PATIENT_FIELD_CAPACITY];
    wchar_t number[PATIENT_FIELD_CAPACITY];
    wchar_t name[PATIENT_FIELD_CAPACITY];
    wchar_t latest[HISTORY_TIME_CAPACITY]; // the record that the bed and name are taken from
    OverviewEntry entries[OVERVIEW_TOOL_COUNT];
    int highest_level; // of the row's entries: what colours the bed
};

struct WardOverview {
    OverviewPatient patients[OVERVIEW_MAX_PATIENTS];
    int count;
    int unidentified;       // records with neither a number nor a bed and a name
    int not_shown;          // records of patients beyond OVERVIEW_MAX_PATIENTS
    int patients_not_shown; // rows given up to newer patients (the oldest by their latest record)
    int skipped;            // lines that are no record that names a grade
};

void overview_clear(WardOverview* overview);

// The descriptors of the columns, in OVERVIEW_PROGRAMS' order; null for one the catalogue lacks.
void overview_tools(const ToolDef* tools[OVERVIEW_TOOL_COUNT]);

// The date OVERVIEW_DAYS days before today (year, month, day), "YYYY-MM-DD": records before it
// are left out.
void overview_since(int year, int month, int day, wchar_t* dest, int capacity);

// Adds the records of the tool (column `column` of OVERVIEW_PROGRAMS) from the bytes, the last
// length bytes of its file (whole when they are all of it), from the date since on. head is the
// file's first head_length bytes, which hold its header (null: the bytes themselves when whole,
// otherwise today's header). A tool's latest record is the last saved, by the file's order; one
// whose time cannot be right (later than latest_valid, or earlier than the record before it) is
// flagged, and never names the patient's bed and name.
void overview_add(WardOverview* overview, int column, const ToolDef& tool, const char* bytes,
                  std::size_t length, bool whole, const wchar_t* since, const char* head = nullptr,
                  std::size_t head_length = 0, const wchar_t* latest_valid = nullptr);

// Sorts the rows by bed: beds that start with a number by that number, then the others by their
// text, an empty bed last.
void overview_sort(WardOverview* overview);

// The row's patient as a strip holds one: bed, inpatient number and name.
void overview_row_patient(const OverviewPatient& row, PatientFields* patient);

// The rows' indexes, newest first by the latest record of each patient, rows of the same time in
// their order: the ward's patients as the toolbox offers them. Returns how many were written, at
// most capacity.
int overview_newest_first(const WardOverview& overview, int* order, int capacity);

// The overview as CSV (RFC 4180 cells, CR LF lines): 床号,住院号,姓名, then for each tool its
// title, "等级" and "日期"; one line per patient. Every cell that could start like a formula is
// written with a leading "'" (csv_append_typed_cell). False when it does not fit whole.
bool overview_csv(const WardOverview& overview, const ToolDef* const* tools, wchar_t* dest,
                  int capacity);
