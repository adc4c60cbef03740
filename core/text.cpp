#include "core/text.h"

#include <cwchar>

#include "core/text_sink.h"

wchar_t text_ascii_twin(wchar_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<wchar_t>(c - 0xFF01 + 0x21);
    return c == 0x3000 ? L' ' : c;
}

int text_length(const wchar_t* text) {
    if (text == nullptr) return 0;
    int n = 0;
    while (text[n] != L'\0') ++n;
    return n;
}

bool text_is_empty(const wchar_t* text) { return text == nullptr || text[0] == L'\0'; }

int text_copy(wchar_t* dest, int capacity, const wchar_t* src) {
    if (dest == nullptr || capacity < 1) return 0;
    dest[0] = L'\0';
    return text_append(dest, capacity, src);
}

int text_append(wchar_t* dest, int capacity, const wchar_t* src) {
    if (dest == nullptr || capacity < 1) return 0;
    TextSink sink = text_sink_at_end(dest, capacity);
    text_sink_append(sink, src);
    return sink.length;
}

void text_sink_append(TextSink& sink, const wchar_t* text) {
    if (text == nullptr) return;
    for (int i = 0; text[i] != L'\0' && !sink.cut; ++i) text_sink_put(sink, text[i]);
}

void text_sink_format(TextSink& sink, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    text_sink_vformat(sink, format, args);
    va_end(args);
}

int text_append_char(wchar_t* dest, int capacity, wchar_t c) {
    if (dest == nullptr || capacity < 1) return 0;
    TextSink sink = text_sink_at_end(dest, capacity);
    text_sink_put(sink, c);
    return sink.length;
}

int text_format(wchar_t* dest, int capacity, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = text_vformat(dest, capacity, format, args);
    va_end(args);
    return length;
}

namespace {

// Formats into dest from its start; the sink tells the length and whether anything was cut.
TextSink format_from_start(wchar_t* dest, int capacity, const wchar_t* format, va_list args) {
    dest[0] = L'\0';
    TextSink sink = text_sink_at_end(dest, capacity);
    text_sink_vformat(sink, format, args);
    return sink;
}

} // namespace

int text_vformat(wchar_t* dest, int capacity, const wchar_t* format, va_list args) {
    if (dest == nullptr || capacity < 1) return 0;
    return format_from_start(dest, capacity, format, args).length;
}

bool text_format_whole(wchar_t* dest, int capacity, const wchar_t* format, ...) {
    if (dest == nullptr || capacity < 1) return false;
    va_list args;
    va_start(args, format);
    const TextSink sink = format_from_start(dest, capacity, format, args);
    va_end(args);
    return !sink.cut;
}

int text_append_format(wchar_t* dest, int capacity, const wchar_t* format, ...) {
    if (dest == nullptr || capacity < 1) return 0;
    TextSink sink = text_sink_at_end(dest, capacity);
    va_list args;
    va_start(args, format);
    text_sink_vformat(sink, format, args);
    va_end(args);
    return sink.length;
}

int text_fill_message_inserts(wchar_t* dest, int capacity, const wchar_t* message,
                              const wchar_t* insert) {
    text_copy(dest, capacity, L"");
    if (dest == nullptr || capacity < 1 || message == nullptr) return 0;
    for (const wchar_t* p = message; *p != L'\0'; ++p) {
        if (*p != L'%' || p[1] == L'\0') {
            text_append_char(dest, capacity, *p);
            continue;
        }
        const wchar_t code = *++p;
        if (code == L'0') break;
        if (code >= L'1' && code <= L'9') {
            if (p[1] >= L'0' && p[1] <= L'9') ++p;
            if (p[1] == L'!') {
                const wchar_t* end = p + 2;
                while (*end != L'\0' && *end != L'!') ++end;
                if (*end == L'!') p = end;
            }
            text_append(dest, capacity, insert);
        } else if (code == L'n' || code == L'r' || code == L't') {
            text_append_char(dest, capacity, L' ');
        } else {
            text_append_char(dest, capacity, code);
        }
    }
    int length = text_length(dest);
    while (length > 0 && (dest[length - 1] == L' ' || dest[length - 1] == L'\r' ||
                          dest[length - 1] == L'\n' || dest[length - 1] == L'\t'))
        dest[--length] = L'\0';
    return length;
}

bool text_equal(const wchar_t* a, const wchar_t* b) { return std::wcscmp(a, b) == 0; }

int text_line_length(const wchar_t* text) {
    int length = 0;
    while (text[length] != L'\0' && text[length] != L'\r' && text[length] != L'\n') ++length;
    return length;
}

const wchar_t* text_skip_line_break(const wchar_t* text) {
    if (*text == L'\r') ++text;
    if (*text == L'\n') ++text;
    return text;
}
