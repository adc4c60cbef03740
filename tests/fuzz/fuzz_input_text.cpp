// Reading a typed input as a number: accepted exactly when finite, and for ASCII texts the same
// value as the C library's wcstod.
#include <cmath>
#include <cstring>
#include <cwchar>

#include "tests/fuzz/fuzz_input.h"
#include "ui/input_text.h"

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
    double value = 0;
    const bool accepted = input_text_to_value(text, &value);
    FUZZ_CHECK(accepted == std::isfinite(value));
    bool all_ascii = true;
    for (const wchar_t* p = text; *p != 0; ++p) all_ascii = all_ascii && *p < 0x80;
    if (all_ascii) {
        const double expected = std::wcstod(text, nullptr);
        FUZZ_CHECK(std::isnan(expected)
                       ? std::isnan(value)
                       : (expected == value && std::signbit(expected) == std::signbit(value)));
    }
    return 0;
}
