// Conversions between the platform's wide texts (UTF-16 on Windows, UTF-32 elsewhere) and UTF-8.
// Malformed input (an unpaired surrogate, an invalid byte sequence) becomes U+FFFD.
#pragma once

#include <cstdint>

// Bytes of UTF-8 that one wide unit can need at most: a UTF-16 unit is a BMP character (3) or
// half of a pair that takes 4 for two units; a UTF-32 unit can take 4.
constexpr int UTF8_MAX_BYTES_PER_WIDE_UNIT = sizeof(wchar_t) == 2 ? 3 : 4;

// Reads the code point at p (not at the terminator) and moves p behind it.
std::uint32_t wide_next_code_point(const wchar_t*& p);

// Encodes one code point into out; returns the number of bytes (1 to 4).
int utf8_encode(std::uint32_t code_point, char* out);

// Converts the whole text, terminator included, into dest. Returns the byte count without the
// terminator, or -1 when the whole text does not fit; then dest holds the empty text. A line is
// never cut: it is converted whole or not at all.
int utf8_from_wide(const wchar_t* text, char* dest, int capacity);

// Decodes UTF-8 into dest, cut at capacity - 1 wide units without splitting a character.
// Returns the length written.
int wide_from_utf8(const char* text, wchar_t* dest, int capacity);
