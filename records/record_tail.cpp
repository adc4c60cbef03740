#include "records/record_tail.h"

#include "records/record_scan.h"

namespace {

// One thread reads records; the buffers are too large for its stack.
char tail_buffer[RECORD_TAIL_BYTES + 1];
char head_buffer[RECORD_HEAD_BYTES];

constexpr int READ_STEP = 1 << 20;

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

bool record_tail_load_since(const RecordReadOps& file, const wchar_t* since, RecordTail* tail) {
    for (std::size_t limit = std::size_t{256} << 10;; limit *= 4) {
        if (limit > RECORD_TAIL_BYTES) limit = RECORD_TAIL_BYTES;
        if (!record_tail_load(file, limit, tail)) return false;
        if (limit == RECORD_TAIL_BYTES ||
            record_tail_reaches(tail->bytes, tail->length, tail->whole, since))
            return true;
    }
}
