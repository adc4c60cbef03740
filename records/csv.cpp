#include "records/csv.h"

#include <cstring>
#include <cwchar>

#include "core/text.h"
#include "core/utf8.h"

namespace {

bool needs_quotes(const wchar_t* text, int length) {
    for (int i = 0; i < length; ++i)
        if (text[i] == L',' || text[i] == L'"' || text[i] == L'\r' || text[i] == L'\n') return true;
    return false;
}

// The characters that make a spreadsheet read a cell as a formula, and the guard itself.
bool starts_like_formula(const wchar_t* text) {
    return text[0] != L'\0' && std::wcschr(L"=+-@\t'", text[0]) != nullptr;
}

// A decoded cell's bytes: more than any cell a reader takes whole (a time, a patient text, a
// verdict, a record id, a number) and than a result's first line; a longer cell, such as a whole
// report, is cut there. A typed text with its guard: more than any typed field.
constexpr std::size_t CELL_SCRATCH_BYTES = 2048;
constexpr int TYPED_CELL_CAPACITY = 256;

} // namespace

void csv_append_cell(TextSink& sink, const wchar_t* text) {
    if (text == nullptr) text = L"";
    csv_append_cell(sink, text, text_length(text));
}

void csv_append_cell(TextSink& sink, const wchar_t* text, int length) {
    const bool quoted = needs_quotes(text, length);
    if (quoted) text_sink_put(sink, L'"');
    for (int i = 0; i < length; ++i) {
        if (text[i] == L'"') text_sink_put(sink, L'"');
        text_sink_put(sink, text[i]);
    }
    if (quoted) text_sink_put(sink, L'"');
}

void csv_append_typed_cell(TextSink& sink, const wchar_t* text) {
    if (text == nullptr || !starts_like_formula(text)) {
        csv_append_cell(sink, text);
        return;
    }
    // The guard goes inside the quotes when there are any: "'" then the text, as one cell.
    wchar_t guarded[TYPED_CELL_CAPACITY] = L"'";
    if (!text_format_whole(guarded, TYPED_CELL_CAPACITY, L"'%ls", text)) {
        sink.cut = true; // a typed text is never written cut
        return;
    }
    csv_append_cell(sink, guarded);
}

CsvRead csv_read_record(const char* bytes, std::size_t length, std::size_t* at, std::size_t limit,
                        CsvRecord* record) {
    const std::size_t begin = *at;
    std::size_t p = begin;
    record->count = 0;
    bool too_long = false;
    for (;;) {
        const std::size_t cell_start = p;
        if (p < length && bytes[p] == '"') {
            ++p;
            for (;;) {
                if (p >= length) {
                    *at = length;
                    return CsvRead::unclosed;
                }
                if (bytes[p] == '"') {
                    if (p + 1 < length && bytes[p + 1] == '"') {
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                ++p;
            }
        }
        while (p < length && bytes[p] != ',' && bytes[p] != '\n' && bytes[p] != '\r') ++p;
        if (record->count < CSV_MAX_CELLS)
            record->cells[record->count++] = CsvCellSpan{cell_start, p - cell_start};
        else
            too_long = true;
        if (p < length && bytes[p] == ',') {
            ++p;
            continue;
        }
        break;
    }
    if (p - begin > limit) too_long = true;
    if (p < length && bytes[p] == '\r') ++p;
    if (p < length && bytes[p] == '\n') ++p;
    *at = p;
    return too_long ? CsvRead::too_long : CsvRead::record;
}

void csv_cell_text(const char* bytes, const CsvCellSpan& cell, bool first_line, wchar_t* dest,
                   int capacity) {
    char scratch[CELL_SCRATCH_BYTES];
    std::size_t n = 0;
    const char* p = bytes + cell.start;
    const char* const end = p + cell.length;
    const bool quoted = p < end && *p == '"';
    if (quoted) ++p;
    while (p < end && n < CELL_SCRATCH_BYTES - 1) {
        char c = *p++;
        if (quoted && c == '"') {
            if (p < end && *p == '"') {
                ++p;
            } else {
                continue; // the closing quote
            }
        }
        if (first_line && (c == '\r' || c == '\n')) break;
        scratch[n++] = c;
    }
    scratch[n] = '\0';
    wide_from_utf8(scratch, dest, capacity);
}

void csv_typed_text(wchar_t* text) {
    if (text[0] == L'\'' && starts_like_formula(text + 1))
        std::memmove(text, text + 1, static_cast<std::size_t>(text_length(text)) * sizeof(wchar_t));
}
