#include "app/command_line.h"

#include <cwchar>

#include "core/text.h"
#include "core/utf8.h"

namespace {

const wchar_t* const selftest_switch = L"--selftest";
const wchar_t* const default_report_path = L"selftest.txt";

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

// True when text is empty or holds a blank, or a quote when quotes count.
bool needs_quotes(const wchar_t* text, bool quotes_count) {
    if (text[0] == L'\0') return true;
    for (const wchar_t* p = text; *p != L'\0'; ++p) {
        if (is_blank(*p) || (quotes_count && *p == L'"')) return true;
    }
    return false;
}

// Appends c to the argument being read; length counts every character, also those cut.
void put(wchar_t* dest, int capacity, int* length, wchar_t c) {
    text_append_char(dest, capacity, c);
    ++*length;
}

// The program's name: no escapes, a quoted name runs to the next quote.
const wchar_t* program_name(const wchar_t* p, wchar_t* dest, int capacity, int* length) {
    if (*p == L'"') {
        for (++p; *p != L'\0' && *p != L'"'; ++p) put(dest, capacity, length, *p);
        return *p == L'"' ? p + 1 : p;
    }
    for (; *p != L'\0' && !is_blank(*p); ++p) put(dest, capacity, length, *p);
    return p;
}

const wchar_t* later_argument(const wchar_t* p, wchar_t* dest, int capacity, int* length) {
    bool quoted = false;
    while (*p != L'\0' && (quoted || !is_blank(*p))) {
        if (*p == L'\\') {
            int backslashes = 0;
            while (*p == L'\\') {
                ++backslashes;
                ++p;
            }
            const int kept = *p == L'"' ? backslashes / 2 : backslashes;
            for (int i = 0; i < kept; ++i) put(dest, capacity, length, L'\\');
            if (*p == L'"' && backslashes % 2 == 1) {
                put(dest, capacity, length, L'"');
                ++p;
            }
            continue;
        }
        if (*p == L'"') {
            ++p;
            if (quoted && *p == L'"') {
                // "" inside a quoted part: a literal quote, and the quoted part ends.
                put(dest, capacity, length, L'"');
                ++p;
                quoted = false;
            } else {
                quoted = !quoted;
            }
            continue;
        }
        put(dest, capacity, length, *p);
        ++p;
    }
    return p;
}

// Appends n backslashes.
void append_backslashes(wchar_t* dest, int capacity, int n) {
    for (int i = 0; i < n; ++i) text_append_char(dest, capacity, L'\\');
}

} // namespace

void command_line_append_argument(wchar_t* dest, int capacity, const wchar_t* argument) {
    if (!needs_quotes(argument, true)) {
        text_append(dest, capacity, argument);
        return;
    }
    text_append_char(dest, capacity, L'"');
    int backslashes = 0;
    for (const wchar_t* p = argument; *p != L'\0'; ++p) {
        if (*p == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        append_backslashes(dest, capacity, *p == L'"' ? 2 * backslashes + 1 : backslashes);
        backslashes = 0;
        text_append_char(dest, capacity, *p);
    }
    // Before the closing quote, backslashes are doubled too.
    append_backslashes(dest, capacity, 2 * backslashes);
    text_append_char(dest, capacity, L'"');
}

const wchar_t* command_line_argument(const wchar_t* line, bool first, wchar_t* dest, int capacity,
                                     int* length) {
    text_copy(dest, capacity, L"");
    *length = 0;
    if (line == nullptr) return nullptr;
    const wchar_t* p = line;
    if (!first) {
        while (is_blank(*p)) ++p;
    }
    if (*p == L'\0' && !first) return nullptr;
    return first ? program_name(p, dest, capacity, length)
                 : later_argument(p, dest, capacity, length);
}

const wchar_t* command_line_after_switch(const wchar_t* command_line, const wchar_t* name) {
    // An argument longer than the switch cannot be it, so the switch's buffer is small.
    constexpr int SWITCH_CAPACITY = 16;
    wchar_t argument[SWITCH_CAPACITY];
    int length = 0;
    const wchar_t* p =
        command_line_argument(command_line, true, argument, SWITCH_CAPACITY, &length);
    while (p != nullptr) {
        p = command_line_argument(p, false, argument, SWITCH_CAPACITY, &length);
        if (p != nullptr && length < SWITCH_CAPACITY && std::wcscmp(argument, name) == 0) return p;
    }
    return nullptr;
}

bool selftest_path_from_command_line(const wchar_t* command_line, wchar_t* path, int capacity) {
    const wchar_t* p = command_line_after_switch(command_line, selftest_switch);
    if (p == nullptr) return false;
    int length = 0;
    if (command_line_argument(p, false, path, capacity, &length) == nullptr || length == 0) {
        text_copy(path, capacity, default_report_path);
    } else if (length >= capacity) {
        text_copy(path, capacity, L""); // never a shortened path: that would be another file
    }
    return true;
}

void command_line_from_arguments(int argc, const char* const* argv, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"");
    static wchar_t argument[COMMAND_LINE_CAPACITY];
    for (int i = 0; i < argc; ++i) {
        wide_from_utf8(argv[i], argument, COMMAND_LINE_CAPACITY);
        if (i > 0) {
            text_append(dest, capacity, L" ");
            command_line_append_argument(dest, capacity, argument);
            continue;
        }
        // The program's name has no escapes: quoted when it holds a blank.
        const bool quoted = needs_quotes(argument, false);
        if (quoted) text_append_char(dest, capacity, L'"');
        text_append(dest, capacity, argument);
        if (quoted) text_append_char(dest, capacity, L'"');
    }
}
