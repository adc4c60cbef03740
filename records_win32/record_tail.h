// Reading the end of a record file on Windows: opened for shared reading only, never created,
// never changed; the reading itself is records/record_tail.h's.
#pragma once

#include "records/record_tail.h"

// The file's last RECORD_TAIL_BYTES at most, and its head.
RecordTailRead record_tail_read(const wchar_t* path, RecordTail* tail);

// Every record from the date since ("YYYY-MM-DD") on, whatever the file's size, window by window
// to visit (record_load_since).
RecordTailRead record_read_since(const wchar_t* path, const wchar_t* since, RecordWindowVisit visit,
                                 void* context);
