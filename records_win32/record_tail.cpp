#include "records_win32/record_tail.h"

#include <windows.h>

namespace {

bool file_size(void* file, std::int64_t* size) {
    LARGE_INTEGER value = {};
    if (GetFileSizeEx(static_cast<HANDLE>(file), &value) == 0) return false;
    *size = value.QuadPart;
    return true;
}

bool file_read(void* file, std::int64_t offset, char* dest, int count, int* got) {
    *got = 0;
    LARGE_INTEGER start = {};
    start.QuadPart = offset;
    DWORD read = 0;
    if (SetFilePointerEx(static_cast<HANDLE>(file), start, nullptr, FILE_BEGIN) == 0 ||
        ReadFile(static_cast<HANDLE>(file), dest, static_cast<DWORD>(count), &read, nullptr) == 0)
        return false;
    *got = static_cast<int>(read);
    return true;
}

// Opens the file for shared reading and runs load on it.
template <typename Load>
RecordTailRead read_file(const wchar_t* path, RecordTail* tail, Load load) {
    *tail = {};
    const HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? RecordTailRead::missing
                   : RecordTailRead::unreadable;
    }
    const RecordReadOps ops = {file, file_size, file_read};
    const bool ok = load(ops);
    CloseHandle(file);
    return ok ? RecordTailRead::read : RecordTailRead::unreadable;
}

} // namespace

RecordTailRead record_tail_read(const wchar_t* path, RecordTail* tail) {
    return read_file(path, tail, [tail](const RecordReadOps& ops) {
        return record_tail_load(ops, RECORD_TAIL_BYTES, tail);
    });
}

RecordTailRead record_read_since(const wchar_t* path, const wchar_t* since, RecordWindowVisit visit,
                                 void* context) {
    RecordTail unused;
    return read_file(path, &unused, [since, visit, context](const RecordReadOps& ops) {
        return record_load_since(ops, since, visit, context);
    });
}
