// Bounded text helpers. Every capacity counts wide characters including the terminator; writes
// are cut at capacity - 1 and the text is always left terminated. A null buffer or a capacity
// below 1 is never written to.
#pragma once

#include <cstdarg>

// The ASCII character that a full-width form (U+FF01 to U+FF5E) or the ideographic space stands
// for, as a Chinese input method types them; any other character as it is.
wchar_t text_ascii_twin(wchar_t c);

// Length of a terminated text; 0 for a null pointer.
int text_length(const wchar_t* text);

// True when the text is null or empty.
bool text_is_empty(const wchar_t* text);

// The length of the text's first line: the characters before its first CR, LF or terminator.
int text_line_length(const wchar_t* text);

// The text after the line break it starts with (CR LF, CR or LF); the text itself when it
// starts with none.
const wchar_t* text_skip_line_break(const wchar_t* text);

// True when both texts are the same, character for character.
bool text_equal(const wchar_t* a, const wchar_t* b);

// Copies src (null counts as empty) into dest; returns the length written.
int text_copy(wchar_t* dest, int capacity, const wchar_t* src);

// Appends src after the current text of dest: when the current length n is below capacity - 1,
// at most capacity - 1 - n characters are added; otherwise nothing. Returns the new length.
int text_append(wchar_t* dest, int capacity, const wchar_t* src);

// Appends one character by the same rule.
int text_append_char(wchar_t* dest, int capacity, wchar_t c);

// printf-style formatting into dest, independent of locale and identical on every platform.
// Conversions: d i u x X c s (narrow) ls (wide) f F e E g G %, with widths, precisions (also
// from the arguments with "*") and the length modifiers hh h l ll z. The flags act as in C: "-"
// left alignment; "0" zero padding (not with a precision for integers, nor for inf and nan); "+"
// and " " a sign for the signed conversions d i and the floating ones, none for u x X; "#" a 0x or
// 0X prefix for a non-zero x or X, a decimal point always for e E f F g G, and the trailing zeros
// kept for g G. Floating-point values are correctly rounded from their exact stored value, halves
// to even; NaN prints as "nan" whatever its sign. Returns the length written.
int text_format(wchar_t* dest, int capacity, const wchar_t* format, ...);
int text_vformat(wchar_t* dest, int capacity, const wchar_t* format, va_list args);

// Formats like text_format, and tells whether the whole text fitted: false when any of it was cut
// (dest then holds the cut text) or nothing could be written.
bool text_format_whole(wchar_t* dest, int capacity, const wchar_t* format, ...);

// Formats and appends by the rule of text_append. Returns the new length.
int text_append_format(wchar_t* dest, int capacity, const wchar_t* format, ...);

// A system message with its inserts filled: every "%1" to "%99" (with any "!…!" format after it)
// becomes insert (nothing when insert is null), "%%" a percent sign, "%n", "%r" and "%t" a space,
// and "%0" ends the message; the trailing blanks and line breaks are dropped. Returns the length.
int text_fill_message_inserts(wchar_t* dest, int capacity, const wchar_t* message,
                              const wchar_t* insert);
