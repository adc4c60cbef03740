#include "records/record_scan.h"

#include <cstring>
#include <cwchar>

#include "core/civil_date.h"

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
    *scan = {bytes, length, 0, {}, whole, true, false, 0, L"", L""};
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
        // A record is whole only when its CR LF ends it (the last one of a file that is still
        // being written is not yet), and a NUL is in no cell that anyone typed or Save wrote.
        const bool ended = scan->at >= start + 2 && scan->bytes[scan->at - 1] == '\n' &&
                           scan->bytes[scan->at - 2] == '\r';
        const bool has_nul = std::memchr(scan->bytes + start, '\0', scan->at - start) != nullptr;
        if (read != CsvRead::record || !timed || !ended || has_nul ||
            !record_row_read(scan->bytes, record, scan->layout, row)) {
            if (timed || read != CsvRead::record || !scan->in_older) ++scan->skipped;
            if (timed) scan->in_older = true;
            continue;
        }
        scan->in_older = false;
        wchar_t time[RECORD_TIME_CAPACITY];
        record_row_text(*row, COLUMN_TIME, false, time, RECORD_TIME_CAPACITY);
        row->time_anomalous =
            std::wcscmp(time, scan->previous_time) < 0 ||
            (scan->latest_valid[0] != L'\0' && std::wcscmp(time, scan->latest_valid) > 0);
        // A record whose time cannot be right is no measure for the ones after it.
        if (!row->time_anomalous) text_copy(scan->previous_time, RECORD_TIME_CAPACITY, time);
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

void record_latest_valid_time(int year, int month, int day, int hour, int minute, int second,
                              wchar_t* dest, int capacity) {
    // Minutes of the day past midnight roll into the next day, and the calendar's date with it.
    constexpr long MINUTES_PER_DAY = 24L * 60L;
    long minutes = hour * 60L + minute + RECORD_CLOCK_SLACK_MINUTES;
    const std::int64_t days = days_from_civil(year, month, day) + minutes / MINUTES_PER_DAY;
    minutes %= MINUTES_PER_DAY;
    wchar_t date[16];
    civil_from_days(days, date, 16);
    text_format(dest, capacity, L"%ls %02ld:%02ld:%02d", date, minutes / 60, minutes % 60, second);
}
