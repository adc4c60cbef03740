// A whole file written on Windows so that it is never seen half written (records/file_replace.h):
// for the overview's export, and every other file that is replaced whole.
#pragma once

#include <windows.h>

#include <cstddef>

#include "records/file_replace.h"

// The file-replace operations on Windows files, for the code that settles files as well as
// writing them whole; the error of the first step that failed lands in error.
struct FileReplaceWin32 {
    HANDLE file;
    DWORD error;
};
FileReplaceOps file_replace_ops_win32(FileReplaceWin32* state);

// True when the path holds exactly the bytes; otherwise false with the system's error of the step
// that failed, and the path as it was.
bool file_replace_write(const wchar_t* path, const char* bytes, std::size_t length, DWORD* error);
