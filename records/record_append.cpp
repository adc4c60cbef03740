#include "records/record_append.h"

#include "core/utf8.h"
#include "records/record_lines.h"

namespace {

constexpr int HEADER_UTF8_CAPACITY = RECORD_HEADER_CAPACITY * UTF8_MAX_BYTES_PER_WIDE_UNIT;
constexpr int LINE_BREAK_BYTES = 2;
constexpr int APPEND_CAPACITY = static_cast<int>(sizeof RECORD_BYTE_ORDER_MARK) +
                                HEADER_UTF8_CAPACITY + LINE_BREAK_BYTES + RECORD_UTF8_CAPACITY;

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
    for (int i = 0; i < mark_size; ++i) {
        char byte = '\0';
        if (!file.read_byte(file.file, i, &byte) || byte != RECORD_BYTE_ORDER_MARK[i]) return false;
    }
    return true;
}

// What the file needs before a record: the byte-order mark and the header when it is empty, the
// header alone when it holds only the mark, a line break when it ends in a fragment, nothing when
// it ends a line.
bool put_lead(const RecordFileOps& file, std::int64_t size, const wchar_t* header,
              ByteBuffer& buffer) {
    if (size == 0) {
        put_bytes(buffer, RECORD_BYTE_ORDER_MARK, static_cast<int>(sizeof RECORD_BYTE_ORDER_MARK));
        return put_line(buffer, header, HEADER_UTF8_CAPACITY);
    }
    if (holds_only_the_mark(file, size)) return put_line(buffer, header, HEADER_UTF8_CAPACITY);
    char last = '\0';
    if (!file.read_byte(file.file, size - 1, &last)) return false;
    if (last != '\n') put_bytes(buffer, "\r\n", LINE_BREAK_BYTES);
    return true;
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
