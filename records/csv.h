// Cells of a CSV record (RFC 4180), written and read. A cell that holds a comma, a double quote,
// CR or LF is written inside double quotes with each quote doubled; every other cell as it is.
// A record ends with CR LF outside quotes, so that a spreadsheet reads each as one row.
#pragma once

#include <cstddef>

#include "core/text_sink.h"

// Appends the cell as CSV (quoted when it must be); sink.cut tells whether it fitted. The second
// form takes the first length characters of text.
void csv_append_cell(TextSink& sink, const wchar_t* text);
void csv_append_cell(TextSink& sink, const wchar_t* text, int length);

// A typed text written so that no spreadsheet runs it as a formula: a text that starts with
// "=", "+", "-", "@", a tab or "'" gets a leading "'" (csv_typed_text takes it off again).
void csv_append_typed_cell(TextSink& sink, const wchar_t* text);

constexpr int CSV_MAX_CELLS = 40;

// Where one cell of a record lies in the bytes: its raw span, quotes included.
struct CsvCellSpan {
    std::size_t start;
    std::size_t length;
};

// One record split into cells, read from UTF-8 bytes.
struct CsvRecord {
    CsvCellSpan cells[CSV_MAX_CELLS];
    int count;
};

enum class CsvRead {
    record,   // a whole record, ended by CR LF, LF or the end of the bytes
    too_long, // more cells than CSV_MAX_CELLS, or longer than the limit: skipped
    unclosed, // a quoted cell that never closes: everything to the end is taken
};

// Reads the record that starts at bytes[at] (at < length) and moves at past it and its line
// break. A record of more than limit bytes is skipped whole. Only a record read whole has its
// cells: after too_long the first CSV_MAX_CELLS, after unclosed those before the open one.
CsvRead csv_read_record(const char* bytes, std::size_t length, std::size_t* at, std::size_t limit,
                        CsvRecord* record);

// The text of a cell, quotes undone, decoded from UTF-8 into dest (cut to the capacity without
// splitting a character). With first_line set, only the text before the cell's first CR or LF.
void csv_cell_text(const char* bytes, const CsvCellSpan& cell, bool first_line, wchar_t* dest,
                   int capacity);

// A cell that csv_append_typed_cell wrote, as it was typed: a leading "'" before "=", "+", "-",
// "@", a tab or "'" is taken off (in place).
void csv_typed_text(wchar_t* text);
