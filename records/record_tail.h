// Reading the end of a record file for its readers (the history, the ward overview), through a
// port of file operations, so that the Windows program reads real files and the tests inject a
// failure at every step. A file is only ever read: never created, changed or locked.
#pragma once

#include <cstddef>
#include <cstdint>

// The history reads at most this much of a file's end, so that a large file opens as fast as a
// small one.
constexpr std::size_t RECORD_TAIL_BYTES = std::size_t{8} << 20;
// The file's first bytes, which hold its header: more than the longest header takes.
constexpr std::size_t RECORD_HEAD_BYTES = 4096;

// Operations on one file opened for shared reading.
struct RecordReadOps {
    void* file;
    // The file's size in bytes.
    bool (*size)(void* file, std::int64_t* size);
    // Reads at most count bytes at offset into dest; stores in got how many (0 past the end).
    bool (*read)(void* file, std::int64_t offset, char* dest, int count, int* got);
};

enum class RecordTailRead { read, missing, unreadable };

struct RecordTail {
    const char* bytes; // the tail; valid until the next read
    std::size_t length;
    bool whole;       // the bytes are the whole file
    const char* head; // the file's first bytes, with its header
    std::size_t head_length;
};

// The file's last `limit` bytes at most (limit at most RECORD_TAIL_BYTES), with the byte before
// them so that a record starting right at the edge is seen to follow a line break, and its head.
// A file that shrinks while it is read gives what there was. False when a size or read fails:
// nothing read is then offered as the file.
bool record_tail_load(const RecordReadOps& file, std::size_t limit, RecordTail* tail);

// What record_load_since gives each window of a file to.
using RecordWindowVisit = void (*)(void* context, const RecordTail& window);

// Every record from the date since ("YYYY-MM-DD") on, whatever the file's size, in the file's
// order. The file's end is read in growing steps (256 KB, then four times as much each time, up
// to `window` bytes); when such a tail reaches back before since (record_tail_reaches), it is the
// one window. Otherwise the file is read forward from a record older than since, in windows of at
// most `window` bytes (at most RECORD_TAIL_BYTES), each with the byte before it and each but the
// last ending where a record ends, so that every record lies whole in one window; whole is false
// for all of them. Records older than since may come first. False when a size or read fails; the
// windows given before it stand.
bool record_load_since(const RecordReadOps& file, const wchar_t* since, RecordWindowVisit visit,
                       void* context, std::size_t window = RECORD_TAIL_BYTES);
