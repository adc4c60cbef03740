#include "app/command_line.h"

#include <cstring>
#include <cwchar>

#include "core/text.h"
#include "core/utf8.h"

namespace {

const wchar_t* const selftest_switch = L"--selftest";
const wchar_t* const default_report_path = L"selftest.txt";

} // namespace

bool selftest_path_from_command_line(const wchar_t* command_line, wchar_t* path, int capacity) {
    if (command_line == nullptr) return false;
    const wchar_t* found = std::wcsstr(command_line, selftest_switch);
    if (found == nullptr) return false;
    text_copy(path, capacity, L"");
    const wchar_t* p = found + std::wcslen(selftest_switch);
    while (*p == L' ') ++p;
    wchar_t end = L' ';
    if (*p == L'"') {
        ++p;
        end = L'"';
    }
    int length = 0;
    for (; *p != L'\0' && *p != end; ++p) {
        text_append_char(path, capacity, *p);
        ++length;
    }
    if (length >= capacity) {
        text_copy(path, capacity, L""); // never a shortened path: that would be another file
        return true;
    }
    if (length == 0) text_copy(path, capacity, default_report_path);
    return true;
}

void command_line_from_arguments(int argc, const char* const* argv, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"");
    for (int i = 0; i < argc; ++i) {
        wchar_t argument[COMMAND_LINE_CAPACITY];
        wide_from_utf8(argv[i], argument, COMMAND_LINE_CAPACITY);
        const bool quoted = std::strchr(argv[i], ' ') != nullptr;
        if (i > 0) text_append(dest, capacity, L" ");
        if (quoted) text_append(dest, capacity, L"\"");
        text_append(dest, capacity, argument);
        if (quoted) text_append(dest, capacity, L"\"");
    }
}
