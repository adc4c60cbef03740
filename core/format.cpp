#include "core/format.h"
#include "core/civil_date.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "core/text.h"

namespace {

// Holds the widest number text of any format: 309 integer digits, sign, point, three decimals
// and the percent sign.
constexpr int NUMBER_TEXT_CAPACITY = 400;

struct FormatName {
    const char* name;
    const wchar_t* conversion; // null for "date"
};

// Looked up in this order; any other name, "f2" itself included, selects "%.2f".
const FormatName format_names[] = {
    {"f0", L"%.0f"},  {"f1", L"%.1f"},    {"f3", L"%.3f"},
    {"int", L"%.0f"}, {"pct", L"%.1f%%"}, {"date", nullptr},
};

const wchar_t* const default_conversion = L"%.2f";

const FormatName* find_format(const char* format) {
    if (format == nullptr) return nullptr;
    for (const FormatName& entry : format_names)
        if (std::strcmp(format, entry.name) == 0) return &entry;
    return nullptr;
}

} // namespace

bool format_name_known(const char* format) {
    return find_format(format) != nullptr || (format != nullptr && std::strcmp(format, "f2") == 0);
}

namespace {

// The text of a finite value under a format name, into a scratch that holds any of them.
void render(const char* format, double value, wchar_t* text, int capacity) {
    const FormatName* const entry = find_format(format);
    const wchar_t* const conversion = entry != nullptr ? entry->conversion : default_conversion;
    if (conversion != nullptr) {
        text_format(text, capacity, conversion, value);
        return;
    }
    // A date: the day number truncated toward zero, checked before the conversion so that the
    // conversion is always defined.
    const double day = std::trunc(value);
    if (std::fabs(day) >= static_cast<double>(DAY_NUMBER_LIMIT)) {
        text_copy(text, capacity, L"--");
        return;
    }
    civil_from_days(static_cast<std::int64_t>(day), text, capacity);
}

} // namespace

void format_value(const char* format, double value, wchar_t* dest, int capacity) {
    if (dest == nullptr || capacity < 1) return;
    wchar_t text[NUMBER_TEXT_CAPACITY] = L"--";
    if (std::isfinite(value)) render(format, value, text, NUMBER_TEXT_CAPACITY);
    text_copy(dest, capacity, text_length(text) < capacity ? text : L"--");
    dest[capacity - 1] = L'\0';
}

void format_shortest(double value, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"--");
    char digits[64];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits - 1, value);
    if (written.ec != std::errc() || written.ptr - digits >= capacity) return;
    *written.ptr = '\0';
    text_copy(dest, capacity, L"");
    for (const char* p = digits; *p != '\0'; ++p) text_append_char(dest, capacity, *p);
}

void format_dose(double value, wchar_t* dest, int capacity) {
    format_value("f2", value, dest, capacity);
    if (capacity < 1 || std::wcschr(dest, L'.') == nullptr) return;
    int length = text_length(dest);
    while (dest[length - 1] == L'0') --length;
    if (dest[length - 1] == L'.') --length;
    dest[length] = L'\0';
}
