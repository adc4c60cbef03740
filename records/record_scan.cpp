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

void record_scan_start(RecordScan* scan, const ToolDef& tool, const char* bytes, std::size_t length,
                       bool whole, const char* head, std::size_t head_length) {
    *scan = {bytes, length, 0, {}, whole, true, false, 0};
    if (head == nullptr && whole) {
        head = bytes;
        head_length = length;
    }
    if (head != nullptr)
        record_layout_from_head(tool, head, head_length, &scan->layout);
    else
        record_layout_today(tool, &scan->layout);
    if (bytes == nullptr) {
        scan->length = 0;
    } else if (whole) {
        if (length >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF')
            scan->at = 3;
    } else {
        scan->at = next_record_start(bytes, length, 0);
    }
}

bool record_scan_next(RecordScan* scan, RecordRow* row) {
    CsvRecord record;
    while (scan->at < scan->length) {
        const std::size_t start = scan->at;
        const bool first = scan->first;
        scan->first = false;
        const CsvRead read =
            csv_read_record(scan->bytes, scan->length, &scan->at, RECORD_UTF8_CAPACITY, &record);
        const bool timed = record_starts_with_time(scan->bytes, scan->length, start);
        const bool empty =
            read == CsvRead::record && record.count == 1 && record.cells[0].length == 0;
        const bool header = first && scan->whole && !timed && read == CsvRead::record &&
                            record_is_header(scan->bytes, record);
        if (empty || header) continue;
        if (read != CsvRead::record || !timed ||
            !record_row_read(scan->bytes, record, scan->layout, row)) {
            if (timed || read != CsvRead::record || !scan->in_older) ++scan->skipped;
            if (timed) scan->in_older = true;
            continue;
        }
        scan->in_older = false;
        return true;
    }
    return false;
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
