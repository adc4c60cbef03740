// The program's command line: the "--selftest" switch and its report path.
#pragma once

constexpr int SELFTEST_PATH_CAPACITY = 520; // at most 519 characters of path
constexpr int COMMAND_LINE_CAPACITY = 32768;

// Searches the whole command line for "--selftest" (anywhere, case-sensitive). When found, writes
// the path that follows it into path and returns true: spaces skipped, then either a quoted text
// up to the closing quote or the end, or a bare word up to the next space or the end; nothing
// taken gives "selftest.txt". A path longer than capacity - 1 characters is not cut: path is left
// empty, and the self-test fails without writing anywhere.
bool selftest_path_from_command_line(const wchar_t* command_line, wchar_t* path, int capacity);

// Rebuilds a Windows-style command line from argv: the arguments joined by single spaces, an
// argument that contains a space wrapped in double quotes. Arguments are read as UTF-8.
void command_line_from_arguments(int argc, const char* const* argv, wchar_t* dest, int capacity);
