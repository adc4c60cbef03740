// Walks the records in the bytes of a record file, or of its tail, as rows of the file's layout
// (records/record_row.h): each that names a grade. Everything else (a record of the first
// version and its continuation lines, a line that does not parse, a record with more cells than
// the layout has, one that holds a NUL, one not yet ended by its CR LF, a sealed fragment) is
// passed over and counted.
#pragma once

#include <cstddef>

#include "core/tool_def.h"
#include "records/csv.h"
#include "records/record_row.h"

struct RecordScan {
    const char* bytes;
    std::size_t length;
    std::size_t at;
    RecordLayout layout;
    bool whole;
    bool first;
    bool in_older; // the lines after an older record are its result's lines
    int skipped;
    // The latest time a record may carry: the reading PC's clock and its slack ("YYYY-MM-DD
    // hh:mm:ss"); empty: not checked. And the time of the record before, in the file's order.
    wchar_t latest_valid[RECORD_TIME_CAPACITY];
    wchar_t previous_time[RECORD_TIME_CAPACITY];
};

// The latest time a record read at now may carry: now and RECORD_CLOCK_SLACK_MINUTES.
void record_latest_valid_time(int year, int month, int day, int hour, int minute, int second,
                              wchar_t* dest, int capacity);

// Starts at the beginning of the bytes, the file's last length bytes: all of it when whole (a
// UTF-8 byte-order mark and the header are passed over), otherwise from the first record that
// starts after a line break. The layout comes from the file's header: the first head_length
// bytes of the file (head null: the bytes themselves when whole, else today's layout).
void record_scan_start(RecordScan* scan, const ToolDef& tool, const char* bytes, std::size_t length,
                       bool whole, const char* head = nullptr, std::size_t head_length = 0);

// The next record that names a grade, in the file's order, which is the order of saving; false at
// the end.
bool record_scan_next(RecordScan* scan, RecordRow* row);

// "YYYY-MM-DD hh:mm:ss,": how every record of a file begins.
bool record_starts_with_time(const char* bytes, std::size_t length, std::size_t at);

// Whether the bytes, the last length bytes of a record file, hold every record from the date
// since ("YYYY-MM-DD") on: they are the whole file, or their first whole record is older than
// since. A tail that starts on since itself may miss the earlier records of that day.
bool record_tail_reaches(const char* bytes, std::size_t length, bool whole, const wchar_t* since);
