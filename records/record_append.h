// Appending one record to the record file so that the file only ever holds whole records: an empty
// file gets the byte-order mark and the header before its first record, a record never continues
// a fragment that a crash or an earlier failed write left behind (the fragment is first sealed as
// a record of its own: its open quote closed, then CR LF), and the bytes of a write that failed
// are taken back again. Portable: the file is reached through the operations below, which the
// Windows program implements with the file API and the tests with files of their own.
#pragma once

#include <cstdint>

// Operations on one open record file whose lock the caller holds.
struct RecordFileOps {
    void* file;
    // The file's size in bytes.
    bool (*size)(void* file, std::int64_t* size);
    // Reads count bytes at offset, all of them or fails.
    bool (*read)(void* file, std::int64_t offset, char* dest, int count);
    // Writes count bytes at offset; stores in written how many reached the file, also on failure.
    bool (*write)(void* file, std::int64_t offset, const char* bytes, int count, int* written);
    // Cuts the file to size bytes.
    bool (*truncate)(void* file, std::int64_t size);
    // Makes what was written reach the disk.
    bool (*flush)(void* file);
};

// Appends the record line (and, to an empty file or one that holds only the byte-order mark, what
// it lacks of the mark and the header first, or to a file that does not end on a record boundary
// the seal of its fragment) in one write, then flushes the file. Returns true
// only when every byte reached the file and the flush succeeded. On failure the file is left as it
// was, or, when the bytes that reached it cannot be taken back, the next append starts on a line
// of its own.
bool record_append(const RecordFileOps& file, const wchar_t* header, const wchar_t* line);
