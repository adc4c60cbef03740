// The conversion is done by strtod on an ASCII copy of the text, so that every platform reads the
// same number whatever its wide-character classification. The full-width forms that a Chinese
// input method types for the characters of a number are copied as their ASCII twins; any other
// non-ASCII character ends the number, just as wcstod would end it there.
#include "ui/input_text.h"

#include <cmath>
#include <cstdlib>

namespace {

// The ASCII character that c stands for in a number, or '\0' when it ends the number.
char number_character(wchar_t c) {
    if (c > 0 && c < 0x80) return static_cast<char>(c);
    if (c >= 0xFF10 && c <= 0xFF19) return static_cast<char>('0' + (c - 0xFF10)); // ０ to ９
    switch (c) {
    case 0xFF0E:             // ．
    case 0x3002: return '.'; // 。 the period key in Chinese punctuation mode
    case 0xFF0B: return '+'; // ＋
    case 0xFF0D: return '-'; // －
    case 0xFF45: return 'e'; // ｅ
    case 0xFF25: return 'E'; // Ｅ
    case 0x3000: return ' '; // ideographic space
    default: return '\0';
    }
}

} // namespace

bool input_text_to_value(const wchar_t* text, double* value) {
    char ascii[INPUT_TEXT_CAPACITY];
    int length = 0;
    if (text != nullptr) {
        for (const wchar_t* p = text; *p != L'\0' && length < INPUT_TEXT_CAPACITY - 1; ++p) {
            const char c = number_character(*p);
            if (c == '\0') break;
            ascii[length++] = c;
        }
    }
    ascii[length] = '\0';
    const double read = std::strtod(ascii, nullptr);
    if (value != nullptr) *value = read;
    return std::isfinite(read);
}
