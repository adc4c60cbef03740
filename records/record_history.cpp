#include "records/record_history.h"

#include <algorithm>

#include "core/text.h"
#include "records/csv.h"
#include "records/record_row.h"
#include "records/record_scan.h"

bool history_has_key(const PatientFields& patient) {
    return !text_is_empty(patient.text[PATIENT_NUMBER]) ||
           !text_is_empty(patient.text[PATIENT_BED]);
}

void history_read(const ToolDef& tool, const PatientFields& patient, const char* bytes,
                  std::size_t length, bool whole, History* history, const char* head,
                  std::size_t head_length) {
    history->count = 0;
    history->skipped = 0;
    history->older_not_read = !whole;
    const bool by_number = !text_is_empty(patient.text[PATIENT_NUMBER]);
    const PatientField key_field = by_number ? PATIENT_NUMBER : PATIENT_BED;
    const wchar_t* key = patient.text[key_field];
    if (text_is_empty(key)) return;

    RecordScan scan;
    record_scan_start(&scan, tool, bytes, length, whole, head, head_length);
    int seen = 0; // matching records, of which the last HISTORY_MAX_RECORDS are kept in a ring
    RecordRow row;
    while (record_scan_next(&scan, &row)) {
        wchar_t cell_key[PATIENT_FIELD_CAPACITY];
        record_row_text(row, record_patient_column(key_field), false, cell_key,
                        PATIENT_FIELD_CAPACITY);
        if (!text_equal(cell_key, key)) continue;
        HistoryRecord& kept = history->records[seen % HISTORY_MAX_RECORDS];
        ++seen;
        record_row_text(row, COLUMN_TIME, false, kept.time, HISTORY_TIME_CAPACITY);
        kept.level = row.level;
        record_row_text(row, COLUMN_VERDICT, false, kept.verdict, HISTORY_TEXT_CAPACITY);
        record_row_text(row, COLUMN_RESULT, true, kept.first_line, HISTORY_TEXT_CAPACITY);
        record_row_text(row, COLUMN_ASSESSOR, false, kept.assessor, PATIENT_FIELD_CAPACITY);
        kept.has_value = record_row_headline(tool, row, &kept.value);
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
