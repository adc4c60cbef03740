// Reading the end of a record file for the history: opened for shared reading only, never
// created, never changed, and at most its last HISTORY_TAIL_BYTES read.
#pragma once

#include <cstddef>

enum class RecordTailRead { read, missing, unreadable };

struct RecordTail {
    const char* bytes; // valid until the next read
    std::size_t length;
    bool whole; // the bytes are the whole file
};

RecordTailRead record_tail_read(const wchar_t* path, RecordTail* tail);

// The tail that holds every record from the date since ("YYYY-MM-DD") on: read from the end in
// growing steps until it reaches back before since, or up to HISTORY_TAIL_BYTES (whole is false
// then, and older records of those days may lie beyond it).
RecordTailRead record_tail_read_since(const wchar_t* path, const wchar_t* since, RecordTail* tail);
