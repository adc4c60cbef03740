// A whole file written on Windows so that it is never seen half written (records/file_replace.h):
// for the overview's export, and every other file that is replaced whole.
#pragma once

#include <windows.h>

#include <cstddef>

// True when the path holds exactly the bytes; otherwise false with the system's error of the step
// that failed, and the path as it was.
bool file_replace_write(const wchar_t* path, const char* bytes, std::size_t length, DWORD* error);
