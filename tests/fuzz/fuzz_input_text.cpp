// Reading a typed input as a number: a taken text is finite, for ASCII texts the value that the
// C library's wcstod reads to the text's end (blanks aside), and the same again when the
// characters of the number are typed in their full-width forms. A text that an input with declared
// values takes is read as exactly one of its declared values, never as minus zero.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "core/accepted_values.h"
#include "core/input_text.h"
#include "tests/declared_input.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The full-width form that an input method types for an ASCII character of a number.
wchar_t full_width(wchar_t c) {
    if (c >= L'0' && c <= L'9') return static_cast<wchar_t>(0xFF10 + (c - L'0'));
    switch (c) {
    case L'.': return 0xFF0E;
    case L'+': return 0xFF0B;
    case L'-': return 0xFF0D;
    case L'e': return 0xFF45;
    case L'E': return 0xFF25;
    case L' ': return 0x3000;
    default: return c;
    }
}

bool all_ascii_text(const wchar_t* text) {
    for (const wchar_t* p = text; *p != 0; ++p)
        if (*p >= 0x80) return false;
    return true;
}

bool only_blanks(const wchar_t* text) {
    for (const wchar_t* p = text; *p != 0; ++p)
        if (*p != L' ' && *p != L'\t') return false;
    return true;
}

// Inputs of the shapes the descriptors declare: whole steps, decimal steps counted from a
// decimal lowest, a wide signed range, and a list of choices.
const InputDef declared_inputs[] = {
    declared_input(1, 4, 1),
    declared_input(25, 45, 0.1),
    declared_input(0, 23.75, 0.25),
    declared_input(0.01, 10000, 0.01),
    declared_input(-36500, 36500, 1),
    declared_input(0, 30, 15),
    declared_input(10, 60, 0, {10, 15, 20, 60}),
};

// True when value is exactly a declared value of the input, as its descriptor's decimals write
// it (the value's shortest text has no more decimals than the step's and lowest's).
bool is_declared_value(const InputDef& input, double value) {
    if (std::signbit(value) && value == 0.0) return false;
    const int choices = input_choice_count(input);
    for (int i = 0; i < choices; ++i)
        if (input.choices.values[i] == value) return true;
    if (choices > 0) return false;
    const double k = std::round((value - input.lowest) / input.step);
    if (k < 0 || value > input.highest) return false;
    char text[64];
    std::snprintf(text, sizeof text, "%.10f", input.lowest + k * input.step);
    return std::strtod(text, nullptr) == value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const bool ascii = input.byte() & 1;
    wchar_t text[INPUT_TEXT_CAPACITY];
    if (ascii) {
        char narrow[INPUT_TEXT_CAPACITY];
        input.text(narrow, sizeof narrow, sizeof narrow);
        for (std::size_t i = 0; i <= std::strlen(narrow); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(narrow[i]) & 0x7F);
    } else {
        input.wide_text(text, INPUT_TEXT_CAPACITY, INPUT_TEXT_CAPACITY);
    }
    for (const InputDef& input : declared_inputs) {
        double declared = 0;
        if (input_value_from_text(input, text, &declared))
            FUZZ_CHECK(is_declared_value(input, declared));
    }
    double value = 0;
    const bool accepted = input_text_to_number(text, &value);
    FUZZ_CHECK(!accepted || std::isfinite(value));
    if (!all_ascii_text(text)) return 0;
    if (accepted) {
        wchar_t* end = nullptr;
        FUZZ_CHECK(std::wcstod(text, &end) == value && only_blanks(end));
    }
    wchar_t wide[INPUT_TEXT_CAPACITY];
    std::size_t i = 0;
    for (; text[i] != 0; ++i) wide[i] = full_width(text[i]);
    wide[i] = 0;
    double wide_value = 0;
    FUZZ_CHECK(input_text_to_number(wide, &wide_value) == accepted);
    FUZZ_CHECK(!accepted ||
               (wide_value == value && std::signbit(wide_value) == std::signbit(value)));
    return 0;
}
