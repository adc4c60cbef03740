#include "records/record_tail.h"

#include "records/record_scan.h"

namespace {

// One thread reads records; the buffers are too large for its stack.
// A window's last record is known by its time, read past the window's end.
constexpr std::size_t TIME_LOOK_AHEAD = 20; // "YYYY-MM-DD hh:mm:ss,"
char tail_buffer[RECORD_TAIL_BYTES + 1 + TIME_LOOK_AHEAD];
char head_buffer[RECORD_HEAD_BYTES];

constexpr int READ_STEP = 1 << 20;
// How much of a window's start is read to find its first record's date on the way back.
constexpr std::size_t PROBE_BYTES = std::size_t{256} << 10;

// Reads up to count bytes at offset, in steps; stores how many were read. Stops early, without a
// failure, where the file ends.
bool read_span(const RecordReadOps& file, std::int64_t offset, char* dest, std::size_t count,
               std::size_t* got) {
    *got = 0;
    while (*got < count) {
        const std::size_t left = count - *got;
        const int step =
            left < static_cast<std::size_t>(READ_STEP) ? static_cast<int>(left) : READ_STEP;
        int read = 0;
        if (!file.read(file.file, offset + static_cast<std::int64_t>(*got), dest + *got, step,
                       &read) ||
            read < 0 || read > step)
            return false;
        if (read == 0) break; // the file shrank meanwhile: what was read is what there is
        *got += static_cast<std::size_t>(read);
    }
    return true;
}

// Where the last record that starts within the first limit bytes starts (past a line break, at a
// time, which may lie beyond limit), leaving at least one record before it; 0 when none does.
std::size_t last_record_start(const char* bytes, std::size_t length, std::size_t limit) {
    for (std::size_t at = limit < length ? limit : length; at >= 2; --at)
        if (bytes[at - 1] == '\n' && record_starts_with_time(bytes, length, at)) return at;
    return 0;
}

// The offset, a window at a time back from the last window's start, whose first record is older
// than since; 0 when none is.
bool window_start_since(const RecordReadOps& file, std::int64_t size, std::size_t window,
                        const wchar_t* since, std::int64_t* start) {
    const auto step = static_cast<std::int64_t>(window);
    *start = size > step ? size - step : 0;
    while (*start > 0) {
        *start = *start > step ? *start - step : 0;
        if (*start == 0) break;
        std::size_t got = 0;
        if (!read_span(file, *start - 1, tail_buffer, PROBE_BYTES, &got)) return false;
        if (record_tail_reaches(tail_buffer, got, false, since)) break;
    }
    return true;
}

} // namespace

bool record_tail_load(const RecordReadOps& file, std::size_t limit, RecordTail* tail) {
    *tail = {tail_buffer, 0, true, head_buffer, 0};
    if (limit > RECORD_TAIL_BYTES) limit = RECORD_TAIL_BYTES;
    std::int64_t size = 0;
    if (!file.size(file.file, &size) || size < 0) return false;
    const auto file_size = static_cast<std::uint64_t>(size);
    const std::uint64_t wanted = file_size > limit ? limit + 1 : file_size;
    std::size_t got = 0;
    if (!read_span(file, static_cast<std::int64_t>(file_size - wanted), tail_buffer,
                   static_cast<std::size_t>(wanted), &got))
        return false;
    std::size_t head_got = 0;
    if (!read_span(file, 0, head_buffer, RECORD_HEAD_BYTES, &head_got)) return false;
    tail->length = got;
    tail->whole = file_size <= limit;
    tail->head_length = head_got;
    return true;
}

bool record_load_since(const RecordReadOps& file, const wchar_t* since, RecordWindowVisit visit,
                       void* context, std::size_t window) {
    if (window > RECORD_TAIL_BYTES) window = RECORD_TAIL_BYTES;
    if (window < 2) window = 2;
    RecordTail tail;
    for (std::size_t limit = std::size_t{256} << 10;; limit *= 4) {
        if (limit > window) limit = window;
        if (!record_tail_load(file, limit, &tail)) return false;
        if (record_tail_reaches(tail.bytes, tail.length, tail.whole, since)) {
            visit(context, tail);
            return true;
        }
        if (limit == window) break;
    }
    // The days asked for reach further back than one window: forward from a record before them.
    std::int64_t size = 0;
    std::int64_t at = 0;
    if (!file.size(file.file, &size) || size < 0 ||
        !window_start_since(file, size, window, since, &at))
        return false;
    while (at < size) {
        const std::int64_t from = at > 0 ? at - 1 : 0;
        const std::size_t room = window + (at > 0 ? 1 : 0);
        const auto left = static_cast<std::uint64_t>(size - from);
        const std::size_t wanted =
            left < room + TIME_LOOK_AHEAD ? static_cast<std::size_t>(left) : room + TIME_LOOK_AHEAD;
        std::size_t got = 0;
        if (!read_span(file, from, tail_buffer, wanted, &got)) return false;
        if (got == 0) break; // the file shrank meanwhile
        // A window that stops short of the file's end ends where its last whole record ends; a
        // single record longer than a window is read as it comes (the scanner skips its pieces).
        const bool last =
            got <= room && (got < wanted || from + static_cast<std::int64_t>(got) >= size);
        std::size_t length = got;
        if (!last) {
            const std::size_t cut = last_record_start(tail_buffer, got, room);
            length = cut > 0 ? cut : (got < room ? got : room);
        }
        visit(context, {tail_buffer, length, false, head_buffer, tail.head_length});
        if (last) break;
        at = from + static_cast<std::int64_t>(length);
    }
    return true;
}
