#include "records/record_history.h"

#include <algorithm>
#include <cwchar>

#include "core/text.h"
#include "records/csv.h"
#include "records/record_lines.h"
#include "records/record_scan.h"

namespace {

// The number after the first "：" of a result's first line, as "Braden 总分：13 分" shows it.
bool first_line_value(const wchar_t* line, double* value) {
    const wchar_t* colon = std::wcschr(line, L'：');
    if (colon == nullptr) return false;
    wchar_t* end = nullptr;
    *value = std::wcstod(colon + 1, &end);
    return end != colon + 1;
}

} // namespace

bool history_has_key(const PatientFields& patient) {
    return !text_is_empty(patient.text[PATIENT_NUMBER]) ||
           !text_is_empty(patient.text[PATIENT_BED]);
}

void history_read(const ToolDef& tool, const PatientFields& patient, const char* bytes,
                  std::size_t length, bool whole, History* history) {
    history->count = 0;
    history->skipped = 0;
    history->older_not_read = !whole;
    const int inputs = tool_input_count(tool);
    const bool by_number = !text_is_empty(patient.text[PATIENT_NUMBER]);
    const PatientField key_field = by_number ? PATIENT_NUMBER : PATIENT_BED;
    const wchar_t* key = patient.text[key_field];
    if (text_is_empty(key)) return;

    RecordScan scan;
    record_scan_start(&scan, bytes, length, whole, inputs);
    int seen = 0; // matching records, of which the last HISTORY_MAX_RECORDS are kept in a ring
    CsvRecord record;
    int level = 0;
    while (record_scan_next(&scan, &record, &level)) {
        wchar_t cell_key[PATIENT_FIELD_CAPACITY];
        record_typed_cell(bytes, record, record_result_cell(inputs) + 3 + key_field, cell_key,
                          PATIENT_FIELD_CAPACITY);
        if (!text_equal(cell_key, key)) continue;
        HistoryRecord& kept = history->records[seen % HISTORY_MAX_RECORDS];
        ++seen;
        csv_cell_text(bytes, record.cells[0], false, kept.time, HISTORY_TIME_CAPACITY);
        kept.level = level;
        csv_cell_text(bytes, record.cells[record_result_cell(inputs) + 2], false, kept.verdict,
                      HISTORY_TEXT_CAPACITY);
        csv_cell_text(bytes, record.cells[record_result_cell(inputs)], true, kept.first_line,
                      HISTORY_TEXT_CAPACITY);
        record_typed_cell(bytes, record, record_result_cell(inputs) + 3 + PATIENT_ASSESSOR,
                          kept.assessor, PATIENT_FIELD_CAPACITY);
        kept.has_value = first_line_value(kept.first_line, &kept.value);
    }
    history->skipped = scan.skipped;
    // The ring holds the newest in file order; turn it newest first.
    history->count = std::min(seen, HISTORY_MAX_RECORDS);
    if (seen > HISTORY_MAX_RECORDS)
        std::rotate(history->records, history->records + seen % HISTORY_MAX_RECORDS,
                    history->records + HISTORY_MAX_RECORDS);
    std::reverse(history->records, history->records + history->count);
}
