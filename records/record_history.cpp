#include "records/record_history.h"

#include <algorithm>

#include "core/text.h"
#include "records/csv.h"
#include "records/record_row.h"
#include "records/record_scan.h"

bool history_has_key(const PatientFields& patient) { return patient_identified(patient); }

namespace {

// The record is the patient's: the same inpatient number; or, for a patient without one, no
// number and the same bed and name, as the ward overview tells patients apart.
bool is_patients(const RecordRow& row, const PatientFields& patient) {
    wchar_t cell[PATIENT_FIELD_CAPACITY];
    record_row_text(row, COLUMN_NUMBER, false, cell, PATIENT_FIELD_CAPACITY);
    if (!text_is_empty(patient.text[PATIENT_NUMBER]))
        return text_equal(cell, patient.text[PATIENT_NUMBER]);
    if (!text_is_empty(cell)) return false;
    for (const PatientField field : {PATIENT_BED, PATIENT_NAME}) {
        record_row_text(row, record_patient_column(field), false, cell, PATIENT_FIELD_CAPACITY);
        if (!text_equal(cell, patient.text[field])) return false;
    }
    return true;
}

} // namespace

void history_read(const ToolDef& tool, const PatientFields& patient, const char* bytes,
                  std::size_t length, bool whole, History* history, const char* head,
                  std::size_t head_length, const wchar_t* latest_valid) {
    history->count = 0;
    history->skipped = 0;
    history->older_not_read = !whole;
    if (!history_has_key(patient)) return;

    RecordScan scan;
    record_scan_start(&scan, tool, bytes, length, whole, head, head_length);
    if (latest_valid != nullptr) text_copy(scan.latest_valid, RECORD_TIME_CAPACITY, latest_valid);
    int seen = 0; // matching records, of which the last HISTORY_MAX_RECORDS are kept in a ring
    RecordRow row;
    while (record_scan_next(&scan, &row)) {
        if (!is_patients(row, patient)) continue;
        HistoryRecord& kept = history->records[seen % HISTORY_MAX_RECORDS];
        ++seen;
        record_row_text(row, COLUMN_TIME, false, kept.time, HISTORY_TIME_CAPACITY);
        kept.level = row.level;
        record_row_text(row, COLUMN_VERDICT, false, kept.verdict, HISTORY_TEXT_CAPACITY);
        record_row_text(row, COLUMN_RESULT, true, kept.first_line, HISTORY_TEXT_CAPACITY);
        record_row_text(row, COLUMN_ASSESSOR, false, kept.assessor, PATIENT_FIELD_CAPACITY);
        kept.has_value = record_row_headline(tool, row, &kept.value);
        kept.time_anomalous = row.time_anomalous;
        if (!kept.has_value) kept.value = 0;
    }
    history->skipped = scan.skipped;
    // The ring holds the newest in file order; turn it newest first.
    history->count = std::min(seen, HISTORY_MAX_RECORDS);
    if (seen > HISTORY_MAX_RECORDS)
        std::rotate(history->records, history->records + seen % HISTORY_MAX_RECORDS,
                    history->records + HISTORY_MAX_RECORDS);
    std::reverse(history->records, history->records + history->count);
}
