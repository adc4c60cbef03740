// Small helpers shared by the unit tests.
#pragma once

#include <cstdarg>
#include <string>

#include "core/text.h"

// Formats into a generous buffer and returns the text.
inline std::wstring formatted(const wchar_t* format, ...) {
    wchar_t buffer[4096];
    va_list args;
    va_start(args, format);
    text_vformat(buffer, 4096, format, args);
    va_end(args);
    return buffer;
}

// A buffer followed by a canary region that must stay untouched.
template <int Size> struct GuardedBuffer {
    static constexpr int canary_size = 32;
    static constexpr wchar_t canary = 0x2A5A;
    wchar_t data[Size + canary_size];
    GuardedBuffer() {
        for (wchar_t& c : data) c = canary;
    }
    wchar_t* text() { return data; }
    bool canary_intact() const {
        for (int i = Size; i < Size + canary_size; ++i)
            if (data[i] != canary) return false;
        return true;
    }
};
