// The conversion is done by strtod on an ASCII copy of the text, so that every platform reads the
// same number whatever its wide-character classification: a non-ASCII character ends a number
// just as wcstod would end it there.
#include "ui/input_text.h"

#include <cmath>
#include <cstdlib>

namespace {

bool is_white_space(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

} // namespace

bool input_text_to_value(const wchar_t* text, double* value) {
    char ascii[INPUT_TEXT_CAPACITY];
    int length = 0;
    if (text != nullptr) {
        const wchar_t* p = text;
        while (is_white_space(*p)) ++p;
        while (*p != L'\0' && *p < 0x80 && length < INPUT_TEXT_CAPACITY - 1)
            ascii[length++] = static_cast<char>(*p++);
    }
    ascii[length] = '\0';
    const double read = std::strtod(ascii, nullptr);
    if (value != nullptr) *value = read;
    return std::isfinite(read);
}
