// Takes typed values from a fuzzer's bytes, front to back; past the end everything reads as 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - at_; }

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    int integer() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | byte();
        return static_cast<int>(value);
    }

    // Any double: the raw bits, so NaNs, infinities and subnormals all come up.
    double number() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = (bits << 8) | byte();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A value from a short table of interesting ones, or any double.
    double interesting_number() {
        static const double table[] = {0.0, -0.0, 1.0,   -1.0,   2.5,          3.0,
                                       7.9, 40.0, 1e300, -1e300, 2147483648.0, -2147483649.0};
        const std::uint8_t pick = byte();
        if (pick < 12) return table[pick];
        if (pick < 20) return static_cast<double>(static_cast<std::int8_t>(byte()));
        return number();
    }

    // A NUL-terminated narrow text of at most capacity - 1 bytes (up to the next 0 byte).
    void text(char* dest, std::size_t capacity, std::size_t limit) {
        std::size_t n = 0;
        while (n + 1 < capacity && n < limit && at_ < size_ && data_[at_] != 0)
            dest[n++] = static_cast<char>(data_[at_++]);
        if (at_ < size_ && data_[at_] == 0) ++at_;
        dest[n] = '\0';
    }

    // A wide text whose units come from pairs of bytes (any 16-bit value but 0).
    void wide_text(wchar_t* dest, std::size_t capacity, std::size_t limit) {
        std::size_t n = 0;
        while (n + 1 < capacity && n < limit && remaining() >= 2) {
            const unsigned unit = (static_cast<unsigned>(byte()) << 8) | byte();
            if (unit == 0) break;
            dest[n++] = static_cast<wchar_t>(unit);
        }
        dest[n] = L'\0';
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Stops the fuzzer with a report when a property does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            __builtin_printf("property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// True when text is terminated within its capacity.
template <typename Char> bool terminated_within(const Char* text, int capacity) {
    for (int i = 0; i < capacity; ++i)
        if (text[i] == 0) return true;
    return false;
}
