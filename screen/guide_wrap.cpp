#include "screen/guide_wrap.h"

namespace {

bool is_ascii_word_character(wchar_t c) { return c > L' ' && c < 0x7F; }

bool joined(const wchar_t* text, int at) {
    return is_ascii_word_character(text[at - 1]) && is_ascii_word_character(text[at]);
}

} // namespace

int guide_row_length(const wchar_t* text, int length, int fit) {
    if (fit >= length) return length;
    if (fit < 1) return 1; // a character wider than the row: shown cut rather than never
    int at = fit;
    while (at > 0 && joined(text, at)) --at;
    if (at == 0) at = fit;
    // Spaces at the break stay at the end of this row, where they take no room that shows.
    while (at < length && text[at] == L' ') ++at;
    return at;
}
