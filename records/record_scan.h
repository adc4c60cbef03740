// Walks the records of today's form in the bytes of a record file, or of its tail: each with a
// level and the patient cells, as CSV cells of the bytes. Everything else (an older record and
// its continuation lines, a line that does not parse) is passed over and counted.
#pragma once

#include <cstddef>

#include "records/csv.h"

struct RecordScan {
    const char* bytes;
    std::size_t length;
    std::size_t at;
    int inputs; // the tool's input count, which fixes a record's cells
    bool whole;
    bool first;
    bool in_older; // the lines after an older record are its result's lines
    int skipped;
};

// Starts at the beginning of the bytes, the file's last length bytes: all of it when whole (a
// UTF-8 byte-order mark and the header are passed over), otherwise from the first record that
// starts after a line break.
void record_scan_start(RecordScan* scan, const char* bytes, std::size_t length, bool whole,
                       int inputs);

// The next record of today's form and its level 0 to 3; false at the end.
bool record_scan_next(RecordScan* scan, CsvRecord* record, int* level);

// "YYYY-MM-DD hh:mm:ss,": how every record of a file begins.
bool record_starts_with_time(const char* bytes, std::size_t length, std::size_t at);

// A cell that holds what a nurse typed (a patient cell), as it was typed.
void record_typed_cell(const char* bytes, const CsvRecord& record, int index, wchar_t* dest,
                       int capacity);

// Whether the bytes, the last length bytes of a record file, hold every record from the date
// since ("YYYY-MM-DD") on: they are the whole file, or their first whole record is older than
// since. A tail that starts on since itself may miss the earlier records of that day.
bool record_tail_reaches(const char* bytes, std::size_t length, bool whole, const wchar_t* since);
