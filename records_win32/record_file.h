// The record file on Windows: opened for reading and writing, shared with readers and other
// writers, and locked for the length of one save, so that running copies of the program take
// turns and never interleave or lose a record.
#pragma once

#include <windows.h>

#include "records/record_append.h"

// How long a save waits for another copy of the program to finish its own.
constexpr DWORD RECORD_LOCK_WAIT_MS = 5000;

struct RecordFile {
    HANDLE handle;
};

// Opens (creating when missing) and locks the file, waiting at most wait_ms for the lock. False,
// with nothing held, when the file cannot be opened or the lock not had in time (busy is then
// set, when given).
bool record_file_open(const wchar_t* path, DWORD wait_ms, RecordFile* file, bool* busy = nullptr);

// The operations of record_append on the open file.
RecordFileOps record_file_ops(RecordFile* file);

// Unlocks and closes; false when closing failed.
bool record_file_close(RecordFile* file);

enum class RecordFileAppend {
    appended, // the record reached the file whole
    busy,     // another PC or program held the file's lock longer than RECORD_LOCK_WAIT_MS
    failed,   // the file could not be opened or written: it is as it was
};

// The whole save of one record: open and lock, append, unlock and close. When it failed, error
// (when given) holds the system's reason, or 0 when it gave none.
RecordFileAppend record_file_append(const wchar_t* path, const wchar_t* header, const wchar_t* line,
                                    DWORD* error = nullptr);
