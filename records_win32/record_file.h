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
// with nothing held, when the file cannot be opened or the lock not had in time.
bool record_file_open(const wchar_t* path, DWORD wait_ms, RecordFile* file);

// The operations of record_append on the open file.
RecordFileOps record_file_ops(RecordFile* file);

// Unlocks and closes; false when closing failed.
bool record_file_close(RecordFile* file);

// The whole save of one record: open and lock, append, unlock and close. True only when the
// record reached the file whole.
bool record_file_append(const wchar_t* path, const wchar_t* header, const wchar_t* line);
