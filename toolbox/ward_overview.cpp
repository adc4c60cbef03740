#include "toolbox/ward_overview.h"

#include <algorithm>
#include <cwchar>

#include "core/civil_date.h"
#include "core/stable_sort.h"
#include "core/text.h"
#include "core/text_sink.h"
#include "records/csv.h"
#include "records/record_row.h"
#include "records/record_scan.h"
#include "toolbox/toolbox_list.h"

const char* const OVERVIEW_PROGRAMS[OVERVIEW_TOOL_COUNT] = {
    "braden",  "morse-fall", "barthel-adl", "padua-vte", "caprini-vte",
    "nrs2002", "gcs",        "news2",       "pain-nrs"};

namespace {

constexpr int OVERVIEW_HEADING_CAPACITY = 128;

// The patient cells of a record.
struct RecordPatient {
    wchar_t bed[PATIENT_FIELD_CAPACITY];
    wchar_t number[PATIENT_FIELD_CAPACITY];
    wchar_t name[PATIENT_FIELD_CAPACITY];
};

bool same_patient(const OverviewPatient& row, const RecordPatient& patient) {
    if (!text_is_empty(patient.number)) return text_equal(row.number, patient.number);
    return text_is_empty(row.number) && text_equal(row.bed, patient.bed) &&
           text_equal(row.name, patient.name);
}

// The row of the patient, made when new. When the rows are full, a patient newer than the one
// whose latest record is oldest takes that one's row, whose records are then counted as not
// shown: the patients left out are always the oldest, never the newest admissions. Null when the
// record is older than every row's latest.
OverviewPatient* row_of(WardOverview* overview, const RecordPatient& patient, const wchar_t* time) {
    for (int i = 0; i < overview->count; ++i)
        if (same_patient(overview->patients[i], patient)) return &overview->patients[i];
    OverviewPatient* row = nullptr;
    if (overview->count < OVERVIEW_MAX_PATIENTS) {
        row = &overview->patients[overview->count++];
    } else {
        row = std::min_element(overview->patients, overview->patients + overview->count,
                               [](const OverviewPatient& a, const OverviewPatient& b) {
                                   return std::wcscmp(a.latest, b.latest) < 0;
                               });
        if (std::wcscmp(time, row->latest) <= 0) return nullptr;
        for (const OverviewEntry& entry : row->entries)
            if (entry.present) ++overview->not_shown;
        ++overview->patients_not_shown;
    }
    *row = {};
    text_copy(row->number, PATIENT_FIELD_CAPACITY, patient.number);
    return row;
}

// The record's headline value as the result shows it, or, for a record without one, its
// result's first line.
void entry_value(const ToolDef& tool, const RecordRow& row, wchar_t* dest, int capacity) {
    double value = 0;
    if (record_row_headline(tool, row, &value))
        headline_value_text(tool, value, dest, capacity);
    else
        record_row_text(row, COLUMN_RESULT, true, dest, capacity);
}

// The number a bed starts with, and where its digits end; -1 when it starts with none.
long bed_number(const wchar_t* bed, const wchar_t** rest) {
    long number = -1;
    const wchar_t* p = bed;
    while (*p >= L'0' && *p <= L'9' && number < 100000000) {
        number = (number < 0 ? 0 : number * 10) + (*p - L'0');
        ++p;
    }
    *rest = p;
    return number;
}

bool bed_before(const OverviewPatient& a, const OverviewPatient& b) {
    const bool a_empty = text_is_empty(a.bed);
    const bool b_empty = text_is_empty(b.bed);
    if (a_empty != b_empty) return b_empty;
    const wchar_t* a_rest = nullptr;
    const wchar_t* b_rest = nullptr;
    const long an = bed_number(a.bed, &a_rest);
    const long bn = bed_number(b.bed, &b_rest);
    if ((an < 0) != (bn < 0)) return an >= 0;
    if (an != bn) return an < bn;
    const int by_text = std::wcscmp(a_rest, b_rest);
    if (by_text != 0) return by_text < 0;
    return std::wcscmp(a.name, b.name) < 0;
}

} // namespace

void overview_tools(const ToolDef* tools[OVERVIEW_TOOL_COUNT]) {
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t)
        tools[t] = toolbox_tool_named(OVERVIEW_PROGRAMS[t]);
}

void overview_clear(WardOverview* overview) {
    overview->count = 0;
    overview->unidentified = 0;
    overview->not_shown = 0;
    overview->patients_not_shown = 0;
    overview->skipped = 0;
}

void overview_since(int year, int month, int day, wchar_t* dest, int capacity) {
    civil_from_days(days_from_civil(year, month, day) - OVERVIEW_DAYS, dest, capacity);
}

void overview_add(WardOverview* overview, int column, const ToolDef& tool, const char* bytes,
                  std::size_t length, bool whole, const wchar_t* since, const char* head,
                  std::size_t head_length, const wchar_t* latest_valid) {
    RecordScan scan;
    record_scan_start(&scan, tool, bytes, length, whole, head, head_length);
    if (latest_valid != nullptr) text_copy(scan.latest_valid, RECORD_TIME_CAPACITY, latest_valid);
    RecordRow row;
    while (record_scan_next(&scan, &row)) {
        wchar_t time[HISTORY_TIME_CAPACITY];
        record_row_text(row, COLUMN_TIME, false, time, HISTORY_TIME_CAPACITY);
        if (std::wcsncmp(time, since, OVERVIEW_DATE_CAPACITY - 1) < 0) continue;
        RecordPatient patient = {};
        record_row_text(row, COLUMN_BED, false, patient.bed, PATIENT_FIELD_CAPACITY);
        record_row_text(row, COLUMN_NUMBER, false, patient.number, PATIENT_FIELD_CAPACITY);
        record_row_text(row, COLUMN_NAME, false, patient.name, PATIENT_FIELD_CAPACITY);
        if (text_is_empty(patient.number) &&
            (text_is_empty(patient.bed) || text_is_empty(patient.name))) {
            ++overview->unidentified;
            continue;
        }
        OverviewPatient* row_of_patient = row_of(overview, patient, time);
        if (row_of_patient == nullptr) {
            ++overview->not_shown;
            continue;
        }
        OverviewPatient& patient_row = *row_of_patient;
        // The newest record of the patient names the bed and name, a record whose time cannot be
        // right never; the last saved of each tool, by the file's order, is its entry.
        if (!row.time_anomalous && std::wcscmp(time, patient_row.latest) >= 0) {
            text_copy(patient_row.latest, HISTORY_TIME_CAPACITY, time);
            text_copy(patient_row.bed, PATIENT_FIELD_CAPACITY, patient.bed);
            text_copy(patient_row.name, PATIENT_FIELD_CAPACITY, patient.name);
        }
        OverviewEntry& entry = patient_row.entries[column];
        entry.present = true;
        entry.time_anomalous = row.time_anomalous;
        text_copy(entry.time, HISTORY_TIME_CAPACITY, time);
        entry_value(tool, row, entry.value, OVERVIEW_VALUE_CAPACITY);
        entry.level = row.level;
    }
    overview->skipped += scan.skipped;
    for (int i = 0; i < overview->count; ++i) {
        OverviewPatient& patient = overview->patients[i];
        patient.highest_level = 0;
        for (const OverviewEntry& entry : patient.entries)
            if (entry.present && entry.level > patient.highest_level)
                patient.highest_level = entry.level;
    }
}

void overview_sort(WardOverview* overview) {
    stable_sort_in_place(overview->patients, overview->count, bed_before);
}

void overview_row_patient(const OverviewPatient& row, PatientFields* patient) {
    patient_fields_clear(patient);
    text_copy(patient->text[PATIENT_BED], PATIENT_FIELD_CAPACITY, row.bed);
    text_copy(patient->text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, row.number);
    text_copy(patient->text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, row.name);
}

int overview_newest_first(const WardOverview& overview, int* order, int capacity) {
    int all[OVERVIEW_MAX_PATIENTS];
    for (int i = 0; i < overview.count; ++i) all[i] = i;
    // Record times are "YYYY-MM-DD HH:MM:SS": their text order is their time order.
    stable_sort_in_place(all, overview.count, [&overview](int a, int b) {
        return std::wcscmp(overview.patients[a].latest, overview.patients[b].latest) > 0;
    });
    const int count = std::min(overview.count, capacity);
    std::copy(all, all + count, order);
    return count;
}

bool overview_csv(const WardOverview& overview, const ToolDef* const* tools, wchar_t* dest,
                  int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    text_sink_append(sink, L"床号,住院号,姓名");
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        // Every cell is guarded against being run as a formula, not only what a nurse typed: a
        // record's texts come from a file that anyone with the share can write.
        wchar_t heading[OVERVIEW_HEADING_CAPACITY];
        text_sink_put(sink, L',');
        csv_append_typed_cell(sink, tools[t]->title);
        text_format(heading, OVERVIEW_HEADING_CAPACITY, L"%ls 等级", tools[t]->title);
        text_sink_put(sink, L',');
        csv_append_typed_cell(sink, heading);
        text_format(heading, OVERVIEW_HEADING_CAPACITY, L"%ls 日期", tools[t]->title);
        text_sink_put(sink, L',');
        csv_append_typed_cell(sink, heading);
    }
    text_sink_append(sink, L"\r\n");
    for (int i = 0; i < overview.count; ++i) {
        const OverviewPatient& row = overview.patients[i];
        csv_append_typed_cell(sink, row.bed);
        text_sink_put(sink, L',');
        csv_append_typed_cell(sink, row.number);
        text_sink_put(sink, L',');
        csv_append_typed_cell(sink, row.name);
        for (const OverviewEntry& entry : row.entries) {
            text_sink_put(sink, L',');
            if (!entry.present) {
                text_sink_append(sink, L",,");
                continue;
            }
            csv_append_typed_cell(sink, entry.value);
            text_sink_format(sink, L",%d,", entry.level);
            wchar_t date[OVERVIEW_DATE_CAPACITY];
            text_copy(date, OVERVIEW_DATE_CAPACITY, entry.time);
            csv_append_typed_cell(sink, date);
        }
        text_sink_append(sink, L"\r\n");
    }
    return !sink.cut;
}
