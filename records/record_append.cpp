#include "records/record_append.h"

#include "core/utf8.h"
#include "records/record_lines.h"
#include "records/record_scan.h"

namespace {

constexpr int HEADER_UTF8_CAPACITY = RECORD_HEADER_CAPACITY * UTF8_MAX_BYTES_PER_WIDE_UNIT;
constexpr int LINE_BREAK_BYTES = 2;
constexpr int SEAL_BYTES = 3; // a closing quote and CR LF
constexpr int APPEND_CAPACITY = static_cast<int>(sizeof RECORD_BYTE_ORDER_MARK) +
                                HEADER_UTF8_CAPACITY + SEAL_BYTES + RECORD_UTF8_CAPACITY;

struct ByteBuffer {
    char bytes[APPEND_CAPACITY];
    int count;
};

void put_bytes(ByteBuffer& buffer, const char* bytes, int count) {
    for (int i = 0; i < count; ++i) buffer.bytes[buffer.count++] = bytes[i];
}

// Adds the UTF-8 form of a whole line; false when it does not fit its room.
bool put_line(ByteBuffer& buffer, const wchar_t* line, int room) {
    const int length = utf8_from_wide(line, buffer.bytes + buffer.count, room);
    if (length < 0) return false;
    buffer.count += length;
    return true;
}

// True when the file holds exactly the byte-order mark, as a spreadsheet program may leave it.
bool holds_only_the_mark(const RecordFileOps& file, std::int64_t size) {
    constexpr int mark_size = static_cast<int>(sizeof RECORD_BYTE_ORDER_MARK);
    if (size != mark_size) return false;
    char bytes[mark_size];
    if (!file.read(file.file, 0, bytes, mark_size)) return false;
    for (int i = 0; i < mark_size; ++i)
        if (bytes[i] != RECORD_BYTE_ORDER_MARK[i]) return false;
    return true;
}

// The file's end, as much of it as one record can take: a record that is still open began there.
struct FileEnd {
    char bytes[RECORD_UTF8_CAPACITY];
    int count;
    bool from_start; // the bytes begin the file
};

// Where the last record (or the header, at the file's start) begins in the end's bytes: a line
// that starts with a time stamp after a line break; -1 when none does.
int last_record_start(const FileEnd& end) {
    for (int p = end.count - 1; p >= 0; --p) {
        const bool line_start = p == 0 ? end.from_start : end.bytes[p - 1] == '\n';
        if (line_start && (record_starts_with_time(end.bytes, static_cast<std::size_t>(end.count),
                                                   static_cast<std::size_t>(p)) ||
                           (p == 0 && end.from_start)))
            return p;
    }
    return -1;
}

// The seal that a fragment at the file's end needs before a record: a closing quote when the last
// record left one open, then CR LF; nothing when the file ends on a record boundary (outside
// quotes, after a line break).
bool put_seal(const RecordFileOps& file, std::int64_t size, ByteBuffer& buffer) {
    static FileEnd end;
    const std::int64_t room = static_cast<std::int64_t>(sizeof end.bytes);
    end.count = static_cast<int>(size < room ? size : room);
    end.from_start = size <= room;
    if (!file.read(file.file, size - end.count, end.bytes, end.count)) return false;
    const int start = last_record_start(end);
    bool open_quote = false;
    for (int p = start < 0 ? 0 : start; p < end.count; ++p)
        if (end.bytes[p] == '"') open_quote = !open_quote;
    if (open_quote) put_bytes(buffer, "\"", 1);
    if (open_quote || end.bytes[end.count - 1] != '\n') put_bytes(buffer, "\r\n", LINE_BREAK_BYTES);
    return true;
}

// What the file needs before a record: the byte-order mark and the header when it is empty, the
// header alone when it holds only the mark, the seal of a fragment it ends in, nothing when it
// ends on a record boundary.
bool put_lead(const RecordFileOps& file, std::int64_t size, const wchar_t* header,
              ByteBuffer& buffer) {
    if (size == 0) {
        put_bytes(buffer, RECORD_BYTE_ORDER_MARK, static_cast<int>(sizeof RECORD_BYTE_ORDER_MARK));
        return put_line(buffer, header, HEADER_UTF8_CAPACITY);
    }
    if (holds_only_the_mark(file, size)) return put_line(buffer, header, HEADER_UTF8_CAPACITY);
    return put_seal(file, size, buffer);
}

} // namespace

bool record_append(const RecordFileOps& file, const wchar_t* header, const wchar_t* line) {
    std::int64_t size = 0;
    if (!file.size(file.file, &size) || size < 0) return false;
    // Large enough for the largest record; one save runs at a time, on the window's thread.
    static ByteBuffer buffer;
    buffer.count = 0;
    if (!put_lead(file, size, header, buffer)) return false;
    if (!put_line(buffer, line, RECORD_UTF8_CAPACITY)) return false;

    int written = 0;
    const bool whole = file.write(file.file, size, buffer.bytes, buffer.count, &written) &&
                       written == buffer.count;
    // A record is saved only once it is on the disk; a flush that fails is a failed write.
    if (whole && file.flush(file.file)) return true;
    // Take back what reached the file when the file ends exactly there. When it does not, another
    // program has written after it: the fragment stays, and the next append starts on a new line.
    std::int64_t now = 0;
    if (written > 0 && file.size(file.file, &now) && now == size + written)
        file.truncate(file.file, size);
    return false;
}
