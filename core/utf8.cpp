#include "core/utf8.h"

#include <type_traits>

namespace {

constexpr std::uint32_t REPLACEMENT = 0xFFFD;

// A wide unit as an unsigned number, whatever the signedness of wchar_t.
std::uint32_t code_unit(wchar_t unit) {
    return static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(unit));
}

bool is_high_surrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low_surrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Length of a UTF-8 sequence from its lead byte, 0 for a byte that cannot lead one.
int sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes one character at p and moves p behind it; an invalid sequence gives U+FFFD and moves
// one byte.
std::uint32_t utf8_next_code_point(const char*& p) {
    const auto lead = static_cast<unsigned char>(*p);
    const int length = sequence_length(lead);
    if (length <= 1) {
        ++p;
        return length == 1 ? lead : REPLACEMENT;
    }
    std::uint32_t code_point = lead & (0x7Fu >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(p[i]);
        if ((next & 0xC0) != 0x80) {
            ++p;
            return REPLACEMENT;
        }
        code_point = (code_point << 6) | (next & 0x3Fu);
    }
    static const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code_point < smallest[length] || code_point > 0x10FFFF || is_high_surrogate(code_point) ||
        is_low_surrogate(code_point)) {
        ++p;
        return REPLACEMENT;
    }
    p += length;
    return code_point;
}

} // namespace

std::uint32_t wide_next_code_point(const wchar_t*& p) {
    const std::uint32_t unit = code_unit(*p++);
    if constexpr (sizeof(wchar_t) == 2) {
        if (is_high_surrogate(unit)) {
            const std::uint32_t next = code_unit(*p);
            if (!is_low_surrogate(next)) return REPLACEMENT;
            ++p;
            return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        }
    }
    if (is_high_surrogate(unit) || is_low_surrogate(unit) || unit > 0x10FFFF) return REPLACEMENT;
    return unit;
}

int utf8_encode(std::uint32_t code_point, char* out) {
    if (code_point < 0x80) {
        out[0] = static_cast<char>(code_point);
        return 1;
    }
    if (code_point < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code_point >> 6));
        out[1] = static_cast<char>(0x80 | (code_point & 0x3F));
        return 2;
    }
    if (code_point < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code_point >> 12));
        out[1] = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code_point & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code_point >> 18));
    out[1] = static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code_point & 0x3F));
    return 4;
}

int utf8_from_wide(const wchar_t* text, char* dest, int capacity) {
    if (dest == nullptr || capacity < 1) return -1;
    int length = 0;
    const wchar_t* p = text != nullptr ? text : L"";
    while (*p != L'\0') {
        char bytes[4];
        const int count = utf8_encode(wide_next_code_point(p), bytes);
        if (length + count > capacity - 1) {
            dest[0] = '\0';
            return -1;
        }
        for (int i = 0; i < count; ++i) dest[length++] = bytes[i];
    }
    dest[length] = '\0';
    return length;
}

int wide_from_utf8(const char* text, wchar_t* dest, int capacity) {
    if (dest == nullptr || capacity < 1) return 0;
    int length = 0;
    const char* p = text != nullptr ? text : "";
    while (*p != '\0') {
        const std::uint32_t code_point = utf8_next_code_point(p);
        const int units = (sizeof(wchar_t) == 2 && code_point >= 0x10000) ? 2 : 1;
        if (length + units > capacity - 1) break;
        if (units == 2) {
            dest[length++] = static_cast<wchar_t>(0xD800 + ((code_point - 0x10000) >> 10));
            dest[length++] = static_cast<wchar_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF));
        } else {
            dest[length++] = static_cast<wchar_t>(code_point);
        }
    }
    dest[length] = L'\0';
    return length;
}
