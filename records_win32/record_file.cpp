#include "records_win32/record_file.h"

namespace {

// The lock covers one byte far beyond any record file's end: it serializes the programs that
// save, and keeps readers such as a spreadsheet program free to read the records.
constexpr std::int64_t LOCK_OFFSET = std::int64_t{1} << 40; // 1 TiB
constexpr DWORD LOCK_RETRY_MS = 10;

OVERLAPPED at_offset(std::int64_t offset) {
    OVERLAPPED overlapped = {};
    overlapped.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return overlapped;
}

OVERLAPPED lock_range() { return at_offset(LOCK_OFFSET); }

HANDLE handle_of(void* file) { return static_cast<RecordFile*>(file)->handle; }

bool file_size(void* file, std::int64_t* size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(handle_of(file), &value)) return false;
    *size = value.QuadPart;
    return true;
}

bool file_read(void* file, std::int64_t offset, char* dest, int count) {
    OVERLAPPED overlapped = at_offset(offset);
    DWORD read = 0;
    return ReadFile(handle_of(file), dest, static_cast<DWORD>(count), &read, &overlapped) &&
           read == static_cast<DWORD>(count);
}

bool file_write(void* file, std::int64_t offset, const char* bytes, int count, int* written) {
    OVERLAPPED overlapped = at_offset(offset);
    DWORD done = 0;
    const bool ok =
        WriteFile(handle_of(file), bytes, static_cast<DWORD>(count), &done, &overlapped) != FALSE;
    *written = static_cast<int>(done);
    return ok;
}

bool file_truncate(void* file, std::int64_t size) {
    LARGE_INTEGER position;
    position.QuadPart = size;
    return SetFilePointerEx(handle_of(file), position, nullptr, FILE_BEGIN) &&
           SetEndOfFile(handle_of(file));
}

bool file_flush(void* file) { return FlushFileBuffers(handle_of(file)) != FALSE; }

bool lock_within(HANDLE handle, DWORD wait_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        OVERLAPPED range = lock_range();
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &range))
            return true;
        if (GetTickCount() - start >= wait_ms) return false;
        Sleep(LOCK_RETRY_MS);
    }
}

} // namespace

bool record_file_open(const wchar_t* path, DWORD wait_ms, RecordFile* file, bool* busy) {
    if (busy != nullptr) *busy = false;
    file->handle =
        CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file->handle == INVALID_HANDLE_VALUE) return false;
    if (lock_within(file->handle, wait_ms)) return true;
    if (busy != nullptr) *busy = true;
    CloseHandle(file->handle);
    file->handle = INVALID_HANDLE_VALUE;
    return false;
}

RecordFileOps record_file_ops(RecordFile* file) {
    return RecordFileOps{file, file_size, file_read, file_write, file_truncate, file_flush};
}

bool record_file_close(RecordFile* file) {
    OVERLAPPED range = lock_range();
    UnlockFileEx(file->handle, 0, 1, 0, &range);
    const bool closed = CloseHandle(file->handle) != FALSE;
    file->handle = INVALID_HANDLE_VALUE;
    return closed;
}

RecordFileAppend record_file_append(const wchar_t* path, const wchar_t* header, const wchar_t* line,
                                    DWORD* error) {
    DWORD unused = 0;
    if (error == nullptr) error = &unused;
    *error = 0;
    RecordFile file;
    bool busy = false;
    if (!record_file_open(path, RECORD_LOCK_WAIT_MS, &file, &busy)) {
        *error = GetLastError();
        return busy ? RecordFileAppend::busy : RecordFileAppend::failed;
    }
    const bool appended = record_append(record_file_ops(&file), header, line);
    if (!appended) *error = GetLastError();
    const bool closed = record_file_close(&file);
    if (appended && !closed) *error = GetLastError();
    return appended && closed ? RecordFileAppend::appended : RecordFileAppend::failed;
}
