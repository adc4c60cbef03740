#include "core/text.h"

#include "core/text_sink.h"

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

int text_vformat(wchar_t* dest, int capacity, const wchar_t* format, va_list args) {
    if (dest == nullptr || capacity < 1) return 0;
    dest[0] = L'\0';
    TextSink sink = text_sink_at_end(dest, capacity);
    text_sink_vformat(sink, format, args);
    return sink.length;
}

bool text_format_whole(wchar_t* dest, int capacity, const wchar_t* format, ...) {
    if (dest == nullptr || capacity < 1) return false;
    dest[0] = L'\0';
    TextSink sink = text_sink_at_end(dest, capacity);
    va_list args;
    va_start(args, format);
    text_sink_vformat(sink, format, args);
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
