#include "records_win32/record_tail.h"

#include <windows.h>

#include "records/record_history.h"
#include "records/record_scan.h"

namespace {

// One byte more than the tail, so that a record that starts right at the tail's edge is seen to
// follow a line break.
char tail_buffer[HISTORY_TAIL_BYTES + 1];

// The file's last `limit` bytes at most, and the byte before them.
RecordTailRead read_last(const wchar_t* path, unsigned long long limit, RecordTail* tail) {
    tail->bytes = tail_buffer;
    tail->length = 0;
    tail->whole = true;
    const HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? RecordTailRead::missing
                   : RecordTailRead::unreadable;
    }
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) != 0;
    const auto file_size = static_cast<unsigned long long>(size.QuadPart);
    const unsigned long long wanted = file_size > limit ? limit + 1 : file_size;
    LARGE_INTEGER start = {};
    start.QuadPart = static_cast<LONGLONG>(file_size - wanted);
    ok = ok && SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
    std::size_t got = 0;
    while (ok && got < wanted) {
        DWORD read = 0;
        ok = ReadFile(file, tail_buffer + got, static_cast<DWORD>(wanted - got), &read, nullptr) !=
             0;
        if (ok && read == 0) break; // the file shrank meanwhile: what was read is what there is
        got += read;
    }
    CloseHandle(file);
    if (!ok) return RecordTailRead::unreadable;
    tail->length = got;
    tail->whole = file_size <= limit;
    return RecordTailRead::read;
}

} // namespace

RecordTailRead record_tail_read(const wchar_t* path, RecordTail* tail) {
    return read_last(path, HISTORY_TAIL_BYTES, tail);
}

RecordTailRead record_tail_read_since(const wchar_t* path, const wchar_t* since, RecordTail* tail) {
    for (unsigned long long limit = std::size_t{256} << 10;; limit *= 4) {
        if (limit > HISTORY_TAIL_BYTES) limit = HISTORY_TAIL_BYTES;
        const RecordTailRead read = read_last(path, limit, tail);
        if (read != RecordTailRead::read || limit == HISTORY_TAIL_BYTES ||
            record_tail_reaches(tail->bytes, tail->length, tail->whole, since))
            return read;
    }
}
