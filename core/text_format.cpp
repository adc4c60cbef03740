// The printf-style formatter behind text_format. It is written here rather than taken from the C
// library so that every platform prints the same text: numbers go through std::to_chars, which
// rounds the exact stored value correctly with halves to even and knows nothing of locales.
#include <charconv>
#include <cmath>
#include <cstddef>

#include "core/text_sink.h"

namespace {

// Largest precision honoured for a floating-point conversion; the scratch below holds the widest
// text any double can produce with it (309 integer digits, point, 300 decimals, sign).
constexpr int MAX_FLOAT_PRECISION = 300;
constexpr int NUMBER_SCRATCH = 1024;

// One conversion directive: flags, field width, precision, length modifier and conversion.
struct ConversionSpec {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    int size = 0; // 0 int, 1 long, 2 long long, 3 size_t or ptrdiff_t, 4 long double,
                  // -1 short, -2 char
    wchar_t conversion = 0;
};

void put_repeated(TextSink& sink, wchar_t c, int count) {
    for (int i = 0; i < count; ++i) text_sink_put(sink, c);
}

// Writes sign/prefix and body narrow texts with the field width of spec. Zero padding goes
// between the prefix and the body.
void put_field(TextSink& sink, const ConversionSpec& spec, const char* prefix, const char* body,
               int body_length, bool zero_padding) {
    int prefix_length = 0;
    while (prefix[prefix_length] != '\0') ++prefix_length;
    const int padding =
        spec.width > prefix_length + body_length ? spec.width - prefix_length - body_length : 0;
    if (!spec.left && !zero_padding) put_repeated(sink, L' ', padding);
    for (int i = 0; i < prefix_length; ++i) text_sink_put(sink, static_cast<wchar_t>(prefix[i]));
    if (!spec.left && zero_padding) put_repeated(sink, L'0', padding);
    for (int i = 0; i < body_length; ++i)
        text_sink_put(sink, static_cast<wchar_t>(static_cast<unsigned char>(body[i])));
    if (spec.left) put_repeated(sink, L' ', padding);
}

const char* sign_prefix(const ConversionSpec& spec, bool negative) {
    if (negative) return "-";
    if (spec.plus) return "+";
    if (spec.space) return " ";
    return "";
}

void put_integer(TextSink& sink, const ConversionSpec& spec, unsigned long long magnitude,
                 bool negative) {
    char digits[NUMBER_SCRATCH];
    const bool hex = spec.conversion == L'x' || spec.conversion == L'X';
    const auto converted = std::to_chars(digits, digits + 64, magnitude, hex ? 16 : 10);
    int length = static_cast<int>(converted.ptr - digits);
    if (spec.conversion == L'X') {
        for (int i = 0; i < length; ++i)
            if (digits[i] >= 'a' && digits[i] <= 'f') digits[i] = static_cast<char>(digits[i] - 32);
    }
    // A precision gives the minimum number of digits; precision 0 prints nothing for 0.
    char body[NUMBER_SCRATCH];
    int body_length = 0;
    const int precision = spec.precision > 600 ? 600 : spec.precision;
    if (precision == 0 && magnitude == 0) {
        length = 0;
    }
    for (int i = length; i < precision; ++i) body[body_length++] = '0';
    for (int i = 0; i < length; ++i) body[body_length++] = digits[i];

    // "+" and " " apply to the signed conversions only, as in C.
    const bool is_signed = spec.conversion == L'd' || spec.conversion == L'i';
    const char* prefix = is_signed ? sign_prefix(spec, negative) : "";
    if (hex && spec.alternate && magnitude != 0) prefix = spec.conversion == L'X' ? "0X" : "0x";
    put_field(sink, spec, prefix, body, body_length, spec.zero && spec.precision < 0);
}

// Where the exponent starts in a number text, or its length when it has none.
int exponent_start(const char* text, int length) {
    for (int i = 0; i < length; ++i)
        if (text[i] == 'e') return i;
    return length;
}

// Inserts a decimal point before the exponent (or at the end) when the text has none: the "#"
// flag's promise for e, f and g.
int ensure_point(char* text, int length) {
    const int at = exponent_start(text, length);
    for (int i = 0; i < at; ++i)
        if (text[i] == '.') return length;
    for (int i = length; i > at; --i) text[i] = text[i - 1];
    text[at] = '.';
    return length + 1;
}

// "%#g": the style of "%g" with its trailing zeros kept. The precision P counts significant
// digits (0 counts as 1); with X the decimal exponent, fixed style is taken when P > X >= -4.
int general_keeping_zeros(char* text, double magnitude, int precision) {
    const int significant = precision == 0 ? 1 : precision;
    auto converted = std::to_chars(text, text + NUMBER_SCRATCH, magnitude,
                                   std::chars_format::scientific, significant - 1);
    int length = static_cast<int>(converted.ptr - text);
    const int at = exponent_start(text, length);
    int exponent = 0;
    std::from_chars(text + at + (text[at + 1] == '+' ? 2 : 1), text + length, exponent);
    if (significant > exponent && exponent >= -4) {
        converted = std::to_chars(text, text + NUMBER_SCRATCH, magnitude, std::chars_format::fixed,
                                  significant - 1 - exponent);
        length = static_cast<int>(converted.ptr - text);
    }
    return length;
}

void put_double(TextSink& sink, const ConversionSpec& spec, double value) {
    const bool upper =
        spec.conversion == L'F' || spec.conversion == L'E' || spec.conversion == L'G';
    char body[NUMBER_SCRATCH];
    int length = 0;
    bool negative = std::signbit(value);
    bool finite = true;
    if (std::isnan(value)) {
        negative = false;
        finite = false;
        const char* text = upper ? "NAN" : "nan";
        for (; text[length] != '\0'; ++length) body[length] = text[length];
    } else if (std::isinf(value)) {
        finite = false;
        const char* text = upper ? "INF" : "inf";
        for (; text[length] != '\0'; ++length) body[length] = text[length];
    } else {
        int precision = spec.precision < 0 ? 6 : spec.precision;
        if (precision > MAX_FLOAT_PRECISION) precision = MAX_FLOAT_PRECISION;
        std::chars_format style = std::chars_format::fixed;
        if (spec.conversion == L'e' || spec.conversion == L'E')
            style = std::chars_format::scientific;
        if (spec.conversion == L'g' || spec.conversion == L'G') style = std::chars_format::general;
        if (style == std::chars_format::general && spec.alternate) {
            length = general_keeping_zeros(body, std::fabs(value), precision);
        } else {
            const auto converted =
                std::to_chars(body, body + NUMBER_SCRATCH, std::fabs(value), style, precision);
            length = converted.ec == std::errc() ? static_cast<int>(converted.ptr - body) : 0;
        }
        if (spec.alternate) length = ensure_point(body, length);
        if (upper) {
            for (int i = 0; i < length; ++i)
                if (body[i] >= 'a' && body[i] <= 'z') body[i] = static_cast<char>(body[i] - 32);
        }
    }
    put_field(sink, spec, sign_prefix(spec, negative), body, length, spec.zero && finite);
}

// A precision limits the characters written; "%c" passes no limit.
void put_wide_string(TextSink& sink, const ConversionSpec& spec, const wchar_t* text, int limit) {
    if (text == nullptr) text = L"";
    int length = 0;
    while (text[length] != L'\0' && (limit < 0 || length < limit)) ++length;
    const int padding = spec.width > length ? spec.width - length : 0;
    if (!spec.left) put_repeated(sink, L' ', padding);
    for (int i = 0; i < length; ++i) text_sink_put(sink, text[i]);
    if (spec.left) put_repeated(sink, L' ', padding);
}

void put_narrow_string(TextSink& sink, const ConversionSpec& spec, const char* text) {
    if (text == nullptr) text = "";
    int length = 0;
    while (text[length] != '\0' && (spec.precision < 0 || length < spec.precision)) ++length;
    put_field(sink, spec, "", text, length, false);
}

// A width or precision: digits, or '*' for one taken from the arguments (marked by -2).
constexpr int FROM_ARGUMENT = -2;

int read_count(const wchar_t*& p) {
    if (*p == L'*') {
        ++p;
        return FROM_ARGUMENT;
    }
    int count = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (count < 100000) count = count * 10 + static_cast<int>(*p - L'0');
        ++p;
    }
    return count;
}

// Reads the directive after '%'; returns false when it ends the format early.
bool read_conversion_spec(const wchar_t*& p, ConversionSpec& spec) {
    for (;; ++p) {
        if (*p == L'-')
            spec.left = true;
        else if (*p == L'0')
            spec.zero = true;
        else if (*p == L'+')
            spec.plus = true;
        else if (*p == L' ')
            spec.space = true;
        else if (*p == L'#')
            spec.alternate = true;
        else
            break;
    }
    spec.width = read_count(p);
    if (*p == L'.') {
        ++p;
        spec.precision = read_count(p);
    }
    if (*p == L'h') {
        ++p;
        spec.size = -1;
        if (*p == L'h') {
            ++p;
            spec.size = -2;
        }
    } else if (*p == L'l') {
        ++p;
        spec.size = 1;
        if (*p == L'l') {
            ++p;
            spec.size = 2;
        }
    } else if (*p == L'z' || *p == L'j' || *p == L't') {
        ++p;
        spec.size = 3;
    } else if (*p == L'L') {
        ++p;
        spec.size = 4;
    }
    if (*p == L'\0') return false;
    spec.conversion = *p++;
    return true;
}

} // namespace

TextSink text_sink_at_end(wchar_t* dest, int capacity) {
    int length = 0;
    while (length < capacity - 1 && dest[length] != L'\0') ++length;
    dest[length] = L'\0';
    return TextSink{dest, capacity, length};
}

void text_sink_vformat(TextSink& sink, const wchar_t* format, va_list args) {
    if (format == nullptr) return;
    const wchar_t* p = format;
    while (*p != L'\0') {
        if (*p != L'%') {
            text_sink_put(sink, *p++);
            continue;
        }
        const wchar_t* directive = p++;
        ConversionSpec spec;
        if (!read_conversion_spec(p, spec)) {
            while (*directive != L'\0') text_sink_put(sink, *directive++);
            break;
        }
        // A negative width from the arguments means left alignment; a negative precision none.
        if (spec.width == FROM_ARGUMENT) {
            const int width = va_arg(args, int);
            spec.left = spec.left || width < 0;
            spec.width = width < 0 ? (width == -2147483647 - 1 ? 0 : -width) : width;
        }
        if (spec.precision == FROM_ARGUMENT) {
            const int precision = va_arg(args, int);
            spec.precision = precision < 0 ? -1 : precision;
        }
        switch (spec.conversion) {
        case L'%': text_sink_put(sink, L'%'); break;
        case L'd':
        case L'i': {
            long long value = 0;
            // long and long long are distinct types, of different sizes on Windows, even where
            // they happen to be alike.
            if (spec.size == 2)
                value = va_arg(args, long long);
            else if (spec.size == 1)
                value = va_arg(args, long); // NOLINT(bugprone-branch-clone)
            else if (spec.size == 3)
                value = va_arg(args, std::ptrdiff_t);
            else
                value = va_arg(args, int);
            // "h" and "hh": the int argument converted to short or signed char, as in C.
            // The low 16 or 8 bits, sign-extended.
            if (spec.size == -1) value = ((value & 0xFFFF) ^ 0x8000) - 0x8000;
            if (spec.size == -2) value = ((value & 0xFF) ^ 0x80) - 0x80;
            const unsigned long long magnitude = value < 0
                                                     ? 0ULL - static_cast<unsigned long long>(value)
                                                     : static_cast<unsigned long long>(value);
            put_integer(sink, spec, magnitude, value < 0);
            break;
        }
        case L'u':
        case L'x':
        case L'X': {
            unsigned long long value = 0;
            // As above for the unsigned types.
            if (spec.size == 2)
                value = va_arg(args, unsigned long long);
            else if (spec.size == 1)
                value = va_arg(args, unsigned long); // NOLINT(bugprone-branch-clone)
            else if (spec.size == 3)
                value = va_arg(args, std::size_t);
            else
                value = va_arg(args, unsigned int);
            if (spec.size == -1) value &= 0xFFFF;
            if (spec.size == -2) value &= 0xFF;
            put_integer(sink, spec, value, false);
            break;
        }
        case L'c': {
            // A char, wchar_t or wint_t argument arrives promoted to int on every platform here.
            const wchar_t text[2] = {static_cast<wchar_t>(va_arg(args, int)), L'\0'};
            put_wide_string(sink, spec, text, -1);
            break;
        }
        case L's':
            if (spec.size == 1)
                put_wide_string(sink, spec, va_arg(args, const wchar_t*), spec.precision);
            else
                put_narrow_string(sink, spec, va_arg(args, const char*));
            break;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G': {
            const double value = spec.size == 4 ? static_cast<double>(va_arg(args, long double))
                                                : va_arg(args, double);
            put_double(sink, spec, value);
            break;
        }
        default:
            // Not a conversion this formatter knows: shown as written, nothing consumed.
            for (const wchar_t* q = directive; q < p; ++q) text_sink_put(sink, *q);
            break;
        }
    }
}
