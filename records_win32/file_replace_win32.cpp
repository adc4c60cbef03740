#include "records_win32/file_replace_win32.h"

#include "records/file_replace.h"

namespace {

using Replace = FileReplaceWin32;

bool failed(Replace* replace) {
    if (replace->error == 0) replace->error = GetLastError();
    return false;
}

Replace& of(void* context) { return *static_cast<Replace*>(context); }

bool create_file(void* context, const wchar_t* path) {
    of(context).file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    return of(context).file != INVALID_HANDLE_VALUE || failed(&of(context));
}

bool write_file(void* context, const char* bytes, int count, int* written) {
    DWORD done = 0;
    const bool ok = WriteFile(of(context).file, bytes, static_cast<DWORD>(count), &done, nullptr);
    *written = static_cast<int>(done);
    if (ok && done != static_cast<DWORD>(count)) SetLastError(ERROR_DISK_FULL);
    return (ok && done == static_cast<DWORD>(count)) || failed(&of(context));
}

bool flush_file(void* context) {
    return FlushFileBuffers(of(context).file) || failed(&of(context));
}

bool close_file(void* context) {
    const bool ok = CloseHandle(of(context).file) != 0;
    of(context).file = INVALID_HANDLE_VALUE;
    return ok || failed(&of(context));
}

bool move_over(void* context, const wchar_t* from, const wchar_t* to) {
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           failed(&of(context));
}

bool delete_file(void* context, const wchar_t* path) {
    return DeleteFileW(path) || failed(&of(context));
}

} // namespace

FileReplaceOps file_replace_ops_win32(FileReplaceWin32* state) {
    *state = {INVALID_HANDLE_VALUE, 0};
    return {state, create_file, write_file, flush_file, close_file, move_over, delete_file};
}

bool file_replace_write(const wchar_t* path, const char* bytes, std::size_t length, DWORD* error) {
    Replace replace;
    const FileReplaceOps ops = file_replace_ops_win32(&replace);
    const bool done = file_replace(ops, path, bytes, length);
    *error = done ? 0 : (replace.error != 0 ? replace.error : ERROR_FILENAME_EXCED_RANGE);
    return done;
}
