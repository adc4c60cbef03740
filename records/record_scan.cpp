#include "records/record_scan.h"

#include "core/text.h"
#include "records/record_lines.h"

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The first record start at or after at that follows a line break.
std::size_t next_record_start(const char* bytes, std::size_t length, std::size_t at) {
    for (std::size_t p = at; p < length; ++p)
        if (bytes[p] == '\n' && record_starts_with_time(bytes, length, p + 1)) return p + 1;
    return length;
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

bool record_starts_with_time(const char* bytes, std::size_t length, std::size_t at) {
    static const char pattern[] = "dddd-dd-dd dd:dd:dd,";
    const std::size_t n = sizeof pattern - 1;
    if (at > length || length - at < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = bytes[at + i];
        if (pattern[i] == 'd' ? !is_digit(c) : c != pattern[i]) return false;
    }
    return true;
}

void record_scan_start(RecordScan* scan, const char* bytes, std::size_t length, bool whole,
                       int inputs) {
    *scan = {bytes, length, 0, inputs, whole, true, false, 0};
    if (whole) {
        if (length >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF')
            scan->at = 3;
    } else {
        scan->at = next_record_start(bytes, length, 0);
    }
}

bool record_scan_next(RecordScan* scan, CsvRecord* record, int* level) {
    while (scan->at < scan->length) {
        const std::size_t start = scan->at;
        const bool first = scan->first;
        scan->first = false;
        const CsvRead read =
            csv_read_record(scan->bytes, scan->length, &scan->at, RECORD_UTF8_CAPACITY, record);
        const bool timed = record_starts_with_time(scan->bytes, scan->length, start);
        const bool empty =
            read == CsvRead::record && record->count == 1 && record->cells[0].length == 0;
        const bool header = first && scan->whole && !timed && read == CsvRead::record &&
                            is_header(scan->bytes, *record);
        if (empty || header) continue;
        if (read != CsvRead::record || !timed ||
            !read_level(scan->bytes, *record, scan->inputs, level)) {
            if (timed || read != CsvRead::record || !scan->in_older) ++scan->skipped;
            if (timed) scan->in_older = true;
            continue;
        }
        scan->in_older = false;
        return true;
    }
    return false;
}

void record_typed_cell(const char* bytes, const CsvRecord& record, int index, wchar_t* dest,
                       int capacity) {
    csv_cell_text(bytes, record.cells[index], false, dest, capacity);
    csv_typed_text(dest);
}

bool record_tail_reaches(const char* bytes, std::size_t length, bool whole, const wchar_t* since) {
    if (whole) return true;
    for (std::size_t p = 0; p < length; ++p) {
        if (bytes[p] != '\n' || !record_starts_with_time(bytes, length, p + 1)) continue;
        // The first whole record: its date against since, character by character.
        for (int i = 0; i < 10 && since[i] != L'\0'; ++i) {
            const wchar_t c = static_cast<unsigned char>(bytes[p + 1 + i]);
            if (c != since[i]) return c < since[i];
        }
        return false;
    }
    return false;
}
