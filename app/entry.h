// The program's entry flow, shared by the Windows and Linux entry points.
#pragma once

// Opens the main window and returns the exit code (1 when it cannot be created).
using WindowRunner = int (*)(void* context);

// With "--selftest" on the command line, runs the self-test and returns its exit code; otherwise
// returns what run_window returns.
int entry_run(const wchar_t* command_line, WindowRunner run_window, void* context);
