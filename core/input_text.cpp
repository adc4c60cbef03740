// The number is checked and converted by strtod on an ASCII copy of the text, so that every
// platform reads the same number whatever its wide-character classification. The full-width forms
// that a Chinese input method types for the characters of a number are copied as their ASCII
// twins; any other non-ASCII character makes the text no number.
#include "core/input_text.h"

#include <cmath>
#include <cstdlib>

#include "core/accepted_values.h"
#include "core/text.h"

namespace {

bool is_number_character(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == L'.' || c == L'+' || c == L'-' || c == L'e' ||
           c == L'E' || c == L' ';
}

// The ASCII character that c stands for in a number, or '\0' when it ends the number. Of the
// full-width forms only those of a number's characters count (so "ｉｎｆ" is no number), and
// 。, the period key in Chinese punctuation mode, is the point.
char number_character(wchar_t c) {
    if (c > 0 && c < 0x80) return static_cast<char>(c);
    if (c == 0x3002) return '.';
    const wchar_t twin = text_ascii_twin(c);
    return twin != c && is_number_character(twin) ? static_cast<char>(twin) : '\0';
}

// Copies the text as ASCII while its characters can be part of a number; returns the length
// copied, and stores in whole whether the copy reached the text's end.
int ascii_number_copy(const wchar_t* text, char* ascii, bool* whole) {
    int length = 0;
    *whole = true;
    if (text != nullptr) {
        for (const wchar_t* p = text; *p != L'\0'; ++p) {
            const char c = number_character(*p);
            if (c == '\0' || length == INPUT_TEXT_CAPACITY - 1) {
                *whole = false;
                break;
            }
            ascii[length++] = c;
        }
    }
    ascii[length] = '\0';
    return length;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The length of the digits at p.
int digits_at(const char* p) {
    int n = 0;
    while (is_digit(p[n])) ++n;
    return n;
}

// True when ascii is blanks, one decimal number, blanks: [+-] (d+ [. d*] | . d+) [(e|E) [+-] d+].
bool is_one_decimal_number(const char* ascii) {
    const char* p = ascii;
    while (is_blank(*p)) ++p;
    if (*p == '+' || *p == '-') ++p;
    const int whole = digits_at(p);
    p += whole;
    int fraction = 0;
    if (*p == '.') {
        fraction = digits_at(p + 1);
        p += 1 + fraction;
    }
    if (whole == 0 && fraction == 0) return false;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-') ++exponent;
        const int digits = digits_at(exponent);
        if (digits == 0) return false;
        p = exponent + digits;
    }
    while (is_blank(*p)) ++p;
    return *p == '\0';
}

} // namespace

bool input_text_to_number(const wchar_t* text, double* value) {
    char ascii[INPUT_TEXT_CAPACITY] = {};
    bool whole = false;
    ascii_number_copy(text, ascii, &whole);
    if (!whole || !is_one_decimal_number(ascii)) return false;
    const double read = std::strtod(ascii, nullptr);
    if (!std::isfinite(read)) return false;
    if (value != nullptr) *value = read;
    return true;
}

bool input_value_from_text(const InputDef& input, const wchar_t* text, double* value) {
    double read = 0;
    return input_text_to_number(text, &read) && input_declared_value(input, read, value);
}

int input_values_from_texts(const ToolDef& tool, const wchar_t* const* texts, double* values) {
    double read[TOOL_MAX_INPUTS] = {};
    const int count = tool_input_count(tool);
    for (int j = 0; j < count; ++j) {
        if (!input_value_from_text(tool.inputs[j], texts[j], &read[j])) return j;
    }
    for (int j = 0; j < count; ++j) values[j] = read[j];
    return -1;
}
