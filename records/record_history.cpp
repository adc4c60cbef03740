#include "records/record_history.h"

#include <algorithm>
#include <cwchar>

#include "core/text.h"
#include "records/csv.h"
#include "records/record_lines.h"

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "dddd-dd-dd dd:dd:dd," at bytes[at]: how every record of the file begins.
bool starts_with_time(const char* bytes, std::size_t length, std::size_t at) {
    static const char pattern[] = "dddd-dd-dd dd:dd:dd,";
    const std::size_t n = sizeof pattern - 1;
    if (length - at < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = bytes[at + i];
        if (pattern[i] == 'd' ? !is_digit(c) : c != pattern[i]) return false;
    }
    return true;
}

// The first record start at or after at that follows a line break.
std::size_t next_record_start(const char* bytes, std::size_t length, std::size_t at) {
    for (std::size_t p = at; p < length; ++p)
        if (bytes[p] == '\n' && starts_with_time(bytes, length, p + 1)) return p + 1;
    return length;
}

// The typed cell at index, as it was typed.
void typed_cell(const char* bytes, const CsvRecord& record, int index, wchar_t* dest,
                int capacity) {
    csv_cell_text(bytes, record.cells[index], false, dest, capacity);
    csv_typed_text(dest);
}

// The number after the first "：" of a result's first line, as "Braden 总分：13 分" shows it.
bool first_line_value(const wchar_t* line, double* value) {
    const wchar_t* colon = std::wcschr(line, L'：');
    if (colon == nullptr) return false;
    wchar_t* end = nullptr;
    *value = std::wcstod(colon + 1, &end);
    return end != colon + 1;
}

// A record of today's form, with its level; false for any other.
bool read_level(const char* bytes, const CsvRecord& record, int inputs, int* level) {
    if (record.count != record_cell_count(inputs)) return false;
    const CsvCellSpan& cell = record.cells[record_result_cell(inputs) + 1];
    if (cell.length != 1 || bytes[cell.start] < '0' || bytes[cell.start] > '3') return false;
    *level = bytes[cell.start] - '0';
    return true;
}

// The header line that a file begins with: its first cell is "时间".
bool is_header(const char* bytes, const CsvRecord& record) {
    wchar_t first[8];
    csv_cell_text(bytes, record.cells[0], false, first, 8);
    return text_equal(first, L"时间");
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

    std::size_t at = 0;
    if (whole) {
        if (length >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF') at = 3;
    } else {
        at = next_record_start(bytes, length, 0);
    }
    int seen = 0; // matching records, of which the last HISTORY_MAX_RECORDS are kept in a ring
    bool in_older = false; // the lines after an older record are its result's lines
    for (bool first = true; at < length; first = false) {
        const std::size_t start = at;
        CsvRecord record;
        const CsvRead read = csv_read_record(bytes, length, &at, RECORD_UTF8_CAPACITY, &record);
        const bool timed = starts_with_time(bytes, length, start);
        const bool empty =
            read == CsvRead::record && record.count == 1 && record.cells[0].length == 0;
        const bool header =
            first && whole && !timed && read == CsvRead::record && is_header(bytes, record);
        if (empty || header) continue;
        int level = 0;
        if (read != CsvRead::record || !timed || !read_level(bytes, record, inputs, &level)) {
            if (timed || read != CsvRead::record || !in_older) ++history->skipped;
            if (timed) in_older = true;
            continue;
        }
        in_older = false;
        wchar_t cell_key[PATIENT_FIELD_CAPACITY];
        typed_cell(bytes, record, record_result_cell(inputs) + 3 + key_field, cell_key,
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
        typed_cell(bytes, record, record_result_cell(inputs) + 3 + PATIENT_ASSESSOR, kept.assessor,
                   PATIENT_FIELD_CAPACITY);
        kept.has_value = first_line_value(kept.first_line, &kept.value);
    }
    // The ring holds the newest in file order; turn it newest first.
    history->count = std::min(seen, HISTORY_MAX_RECORDS);
    if (seen > HISTORY_MAX_RECORDS)
        std::rotate(history->records, history->records + seen % HISTORY_MAX_RECORDS,
                    history->records + HISTORY_MAX_RECORDS);
    std::reverse(history->records, history->records + history->count);
}
