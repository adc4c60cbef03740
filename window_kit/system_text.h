// The system's own words for an error, as the windows of the suite quote them in a failure.
#pragma once

#include <windows.h>

// The system's message for the error, its inserts ("%1") filled with insert (none when null),
// without its trailing line break; returns its length, 0 when the system has no words for it.
int system_error_text(DWORD error, const wchar_t* insert, wchar_t* dest, int capacity);
