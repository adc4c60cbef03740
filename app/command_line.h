// The program's command line: split into arguments as Windows splits it, the "--selftest"
// switch and its report path.
#pragma once

constexpr int SELFTEST_PATH_CAPACITY = 520; // at most 519 characters of path
constexpr int COMMAND_LINE_CAPACITY = 32768;

// Reads the argument that starts at or after line (blanks skipped) by the rules of
// CommandLineToArgvW: the program's own name (first) runs to the next blank, or between quotes
// with no escapes; any later argument runs to the next blank outside quotes, where 2n
// backslashes before a quote are n backslashes and the quote opens or closes a quoted part,
// 2n + 1 backslashes before a quote are n backslashes and a literal quote, other backslashes are
// themselves, and a quote right after a closing quote is a literal one. Writes the argument into
// dest (cut at capacity - 1), stores its whole length in length, and returns where the line goes
// on; null, with dest empty, when no argument is left.
const wchar_t* command_line_argument(const wchar_t* line, bool first, wchar_t* dest, int capacity,
                                     int* length);

// Where the line goes on after the first argument after the program's own name that is exactly
// name (a switch such as "--selftest", at most 15 characters); null when there is none.
const wchar_t* command_line_after_switch(const wchar_t* command_line, const wchar_t* name);

// True when an argument after the program's own name is exactly "--selftest"; then the argument
// after it is written into path, or "selftest.txt" when there is none or it is empty. A path
// longer than capacity - 1 characters is not cut: path is left empty, and the self-test fails
// without writing anywhere. Nothing in the program's own name starts the self-test.
bool selftest_path_from_command_line(const wchar_t* command_line, wchar_t* path, int capacity);

// Appends one argument so that command_line_argument reads it back whole: quoted, with its quotes
// and the backslashes before them escaped, when it is empty or holds a blank or a quote.
void command_line_append_argument(wchar_t* dest, int capacity, const wchar_t* argument);

// Builds a Windows command line from argv that command_line_argument splits back into the same
// arguments: an argument that is empty or holds a blank or a quote is quoted, with its quotes and
// the backslashes before them escaped. Arguments are read as UTF-8.
void command_line_from_arguments(int argc, const char* const* argv, wchar_t* dest, int capacity);
