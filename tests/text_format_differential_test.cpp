// text_format against the C library's swprintf on generated directives: every flag, width and
// precision with every conversion, at capacities from 1 up. glibc is the reference, so this runs
// natively only (the Windows C runtime prints differently). Negative NaN is left out: glibc
// prints "-nan" where text_format prints "nan" on purpose. Also left out: "%#g" of a value that
// rounds up to the next power of ten, where glibc drops the trailing zeros that C asks for
// ("1.e+06" for 999999.9); the formatter's own tests hold the C text.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <random>
#include <string>

#include "core/text.h"

namespace {

constexpr int DIRECTIVES = 200000;
constexpr int BIG = 4096;
constexpr int GUARD = 16;

std::string narrow(const std::wstring& text) {
    std::string ascii;
    for (wchar_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return ascii;
}

struct Differential {
    std::mt19937_64 random{20261208};
    int compared = 0;
    int mismatches = 0;

    int below(int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); }

    // Formats with both and compares: ours must be swprintf's text cut at capacity - 1.
    template <typename... Args> void compare(const std::wstring& format, Args... args) {
        wchar_t expected[BIG];
        if (std::swprintf(expected, BIG, format.c_str(), args...) < 0) return;
        const int capacity = 1 + below(40);
        wchar_t got[BIG + GUARD];
        for (wchar_t& c : got) c = L'#';
        text_format(got, capacity, format.c_str(), args...);
        std::wstring want(expected);
        want.resize(std::min<std::size_t>(want.size(), static_cast<std::size_t>(capacity - 1)));
        bool intact = true;
        for (int i = capacity; i < capacity + GUARD; ++i) intact = intact && got[i] == L'#';
        ++compared;
        if (want == got && intact) return;
        if (++mismatches <= 10)
            ADD_FAILURE() << "format \"" << narrow(format) << "\" capacity " << capacity
                          << ": expected \"" << narrow(want) << "\", got \"" << narrow(got) << "\"";
    }

    std::wstring flags(const wchar_t* allowed) {
        std::wstring text;
        for (const wchar_t* p = allowed; *p != 0; ++p)
            if (below(4) == 0) text += *p;
        return text;
    }

    long long integer() {
        const long long edges[] = {0, 1, -1, 7, -42, 255, INT_MAX, INT_MIN, LLONG_MAX, LLONG_MIN};
        return below(3) == 0 ? edges[below(10)] : static_cast<long long>(random()) >> below(64);
    }

    double floating() {
        const double edges[] = {0.0,    -0.0,  0.5,    2.5,     -3.5,     0.125,     1e-300,
                                5e-324, 1e300, 0.0001, 99999.4, HUGE_VAL, -HUGE_VAL, NAN};
        if (below(3) == 0) return edges[below(14)];
        std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isnan(value)) return NAN; // positive NaN only
        // Mostly moderate magnitudes, so that fixed notation stays within the buffer.
        return below(4) == 0 ? value
                             : std::ldexp(std::frexp(value, &bits_exponent), below(80) - 40);
    }
    int bits_exponent = 0;

    // A width and a precision, as digits, "*" (taken from the arguments) or none.
    std::wstring count(int* from_argument, bool precision) {
        *from_argument = INT_MIN;
        switch (below(4)) {
        case 0: return L"";
        case 1: *from_argument = below(30) - (precision ? 3 : 15); return L"*";
        default: return std::to_wstring(below(precision ? 25 : 22));
        }
    }

    void one() {
        int width_arg = 0, precision_arg = INT_MIN;
        const int kind = below(7);
        const wchar_t* const integer_conversions[] = {L"d", L"i", L"u", L"x", L"X"};
        const wchar_t* const float_conversions[] = {L"f", L"F", L"e", L"E", L"g", L"G"};
        const wchar_t* const lengths[] = {L"", L"hh", L"h", L"l", L"ll", L"z"};
        std::wstring flag_set, conversion, length;
        if (kind <= 2) {
            conversion = integer_conversions[below(5)];
            const bool hex = conversion == L"x" || conversion == L"X";
            flag_set = flags(hex ? L"-0+ #" : L"-0+ ");
            length = lengths[below(6)];
        } else if (kind <= 4) {
            conversion = float_conversions[below(6)];
            flag_set = flags(L"-0+ #");
        } else if (kind == 5) {
            conversion = below(2) == 0 ? L"c" : L"ls";
            flag_set = flags(L"-");
        } else {
            compare(std::wstring(L"a%%b"));
            return;
        }
        const std::wstring width = count(&width_arg, false);
        std::wstring precision;
        if (conversion != L"c" && below(2) == 0) precision = L"." + count(&precision_arg, true);
        const std::wstring format =
            L"<%" + flag_set + width + precision + length + conversion + L">";
        dispatch(format, conversion, length, width_arg, precision_arg);
    }

    template <typename T>
    void with_counts(const std::wstring& format, int width, int precision, T value) {
        if (width != INT_MIN && precision != INT_MIN)
            compare(format, width, precision, value);
        else if (width != INT_MIN)
            compare(format, width, value);
        else if (precision != INT_MIN)
            compare(format, precision, value);
        else
            compare(format, value);
    }

    // The argument in the type that the length modifier names.
    template <typename Int, typename Long, typename LongLong, typename Size>
    void integer_argument(const std::wstring& format, const std::wstring& length, int width,
                          int precision) {
        const long long value = integer();
        if (length == L"l")
            with_counts(format, width, precision, static_cast<Long>(value));
        else if (length == L"ll")
            with_counts(format, width, precision, static_cast<LongLong>(value));
        else if (length == L"z")
            with_counts(format, width, precision, static_cast<Size>(value));
        else
            with_counts(format, width, precision, static_cast<Int>(value));
    }

    void dispatch(const std::wstring& format, const std::wstring& conversion,
                  const std::wstring& length, int width, int precision) {
        if (conversion == L"d" || conversion == L"i") {
            integer_argument<int, long, long long, std::ptrdiff_t>(format, length, width,
                                                                   precision);
        } else if (conversion == L"u" || conversion == L"x" || conversion == L"X") {
            integer_argument<unsigned int, unsigned long, unsigned long long, std::size_t>(
                format, length, width, precision);
        } else if (conversion == L"c") {
            with_counts(format, width, precision, static_cast<int>(L'A' + below(26)));
        } else if (conversion == L"ls") {
            const wchar_t* const texts[] = {L"", L"a", L"hello", L"格式化文本", L"x y z"};
            with_counts(format, width, precision, texts[below(5)]);
        } else {
            with_counts(format, width, precision, floating());
        }
    }
};

TEST(TextFormatDifferential, AgreesWithTheCLibrary) {
    Differential differential;
    for (int i = 0; i < DIRECTIVES; ++i) differential.one();
    EXPECT_GE(differential.compared, DIRECTIVES * 9 / 10);
    EXPECT_EQ(differential.mismatches, 0) << "of " << differential.compared << " directives";
    std::printf("text_format against swprintf: %d directives, %d mismatches\n",
                differential.compared, differential.mismatches);
}

} // namespace
