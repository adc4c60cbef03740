// A bounded writer over a caller's wide buffer: the shared engine of the text helpers. It keeps
// the length, so that a long text built from many pieces is not measured again for each piece.
#pragma once

#include <cstdarg>

struct TextSink {
    wchar_t* dest;
    int capacity;     // including the terminator, at least 1
    int length;       // characters written so far; dest[length] is always the terminator
    bool cut = false; // set when a character did not fit
};

// A sink that appends after the text already in dest. A text that is not terminated within the
// capacity is cut to capacity - 1 characters first.
TextSink text_sink_at_end(wchar_t* dest, int capacity);

inline bool text_sink_full(const TextSink& sink) { return sink.length >= sink.capacity - 1; }

// Adds one character when there is room; the text stays terminated either way.
inline void text_sink_put(TextSink& sink, wchar_t c) {
    if (text_sink_full(sink)) {
        sink.cut = true;
        return;
    }
    sink.dest[sink.length++] = c;
    sink.dest[sink.length] = L'\0';
}

// Adds a text (null counts as empty) by the same rule, character by character.
void text_sink_append(TextSink& sink, const wchar_t* text);

// printf-style formatting straight into the sink (the conversions of text_format).
void text_sink_vformat(TextSink& sink, const wchar_t* format, va_list args);
void text_sink_format(TextSink& sink, const wchar_t* format, ...);
