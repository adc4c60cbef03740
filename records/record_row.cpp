#include "records/record_row.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "core/format.h"
#include "core/input_text.h"
#include "core/text.h"
#include "engine/engine.h"

const wchar_t* const RECORD_COLUMN_NAMES[RECORD_COLUMN_COUNT] = {
    L"时间",   L"工具", L"结果",   L"等级",   L"结论",    L"床号",
    L"住院号", L"姓名", L"评估者", L"记录号", L"主要结果"};

namespace {

constexpr int HEADER_CELL_CAPACITY = 64;

bool is_patient_column(int column) { return column >= COLUMN_BED && column <= COLUMN_ASSESSOR; }

// The column a header cell names, or -1.
int column_named(const wchar_t* name) {
    for (int c = 0; c < RECORD_COLUMN_COUNT; ++c)
        if (text_equal(name, RECORD_COLUMN_NAMES[c])) return c;
    return -1;
}

// Columns that the header lacks follow its last named column in today's order: they are the cells
// that Save writes after an older header's end.
void place_missing_columns(RecordLayout* layout, int header_count) {
    int last = -1; // the last of today's columns that the header names
    for (int c = 0; c < RECORD_COLUMN_COUNT; ++c)
        if (layout->cell[c] >= 0) last = c;
    int next = header_count;
    for (int c = last + 1; c < RECORD_COLUMN_COUNT; ++c) layout->cell[c] = next++;
    layout->full_count = next;
}

} // namespace

RecordColumn record_patient_column(PatientField field) {
    return static_cast<RecordColumn>(static_cast<int>(COLUMN_BED) + static_cast<int>(field));
}

void record_layout_today(const ToolDef& tool, RecordLayout* layout) {
    const int inputs = tool_input_count(tool);
    layout->input_first = 2;
    layout->input_count = inputs;
    layout->cell[COLUMN_TIME] = 0;
    layout->cell[COLUMN_TOOL] = 1;
    for (int c = COLUMN_RESULT; c < RECORD_COLUMN_COUNT; ++c)
        layout->cell[c] = 2 + inputs + (c - COLUMN_RESULT);
    layout->full_count = 2 + inputs + (RECORD_COLUMN_COUNT - COLUMN_RESULT);
}

bool record_is_header(const char* bytes, const CsvRecord& record) {
    wchar_t first[8];
    csv_cell_text(bytes, record.cells[0], false, first, 8);
    return text_equal(first, RECORD_COLUMN_NAMES[COLUMN_TIME]);
}

bool record_layout_from_head(const ToolDef& tool, const char* head, std::size_t length,
                             RecordLayout* layout) {
    record_layout_today(tool, layout);
    std::size_t at = 0;
    if (length >= 3 && head[0] == '\xEF' && head[1] == '\xBB' && head[2] == '\xBF') at = 3;
    if (at >= length) return false;
    CsvRecord header;
    if (csv_read_record(head, length, &at, length, &header) != CsvRead::record ||
        !record_is_header(head, header))
        return false;
    RecordLayout read = {};
    std::fill(std::begin(read.cell), std::end(read.cell), -1);
    for (int i = 0; i < header.count; ++i) {
        wchar_t name[HEADER_CELL_CAPACITY];
        csv_cell_text(head, header.cells[i], false, name, HEADER_CELL_CAPACITY);
        const int column = column_named(name);
        if (column >= 0 && read.cell[column] < 0) read.cell[column] = i;
    }
    // The inputs lie between 工具 and 结果; without both, the header is not one of ours.
    const int tool_cell = read.cell[COLUMN_TOOL];
    const int result_cell = read.cell[COLUMN_RESULT];
    if (tool_cell < 0 || result_cell <= tool_cell || result_cell - tool_cell - 1 > TOOL_MAX_INPUTS)
        return false;
    read.input_first = tool_cell + 1;
    read.input_count = result_cell - tool_cell - 1;
    place_missing_columns(&read, header.count);
    *layout = read;
    return true;
}

bool record_row_read(const char* bytes, const CsvRecord& record, const RecordLayout& layout,
                     RecordRow* row) {
    if (record.count > layout.full_count || record.count <= layout.cell[COLUMN_ASSESSOR])
        return false;
    row->bytes = bytes;
    for (int c = 0; c < RECORD_COLUMN_COUNT; ++c) {
        const int cell = layout.cell[c];
        row->present[c] = cell >= 0 && cell < record.count;
        row->cells[c] = row->present[c] ? record.cells[cell] : CsvCellSpan{0, 0};
    }
    if (!row->present[COLUMN_TIME] || !row->present[COLUMN_LEVEL]) return false;
    row->input_count = layout.input_count;
    for (int i = 0; i < layout.input_count; ++i)
        row->inputs[i] = record.cells[layout.input_first + i];
    const CsvCellSpan& level = row->cells[COLUMN_LEVEL];
    if (level.length != 1 || bytes[level.start] < '0' || bytes[level.start] > '3') return false;
    row->level = bytes[level.start] - '0';
    return true;
}

void record_row_text(const RecordRow& row, RecordColumn column, bool first_line, wchar_t* dest,
                     int capacity) {
    if (!row.present[column]) {
        dest[0] = L'\0';
        return;
    }
    csv_cell_text(row.bytes, row.cells[column], first_line, dest, capacity);
    if (is_patient_column(column)) csv_typed_text(dest);
}

namespace {

// An input cell "label=value": the value after its last "=", one finite number and nothing else.
bool input_cell_value(const char* bytes, const CsvCellSpan& cell, double* value) {
    wchar_t text[INPUT_TEXT_CAPACITY * 2];
    csv_cell_text(bytes, cell, false, text, INPUT_TEXT_CAPACITY * 2);
    const wchar_t* equals = std::wcsrchr(text, L'=');
    return equals != nullptr && input_text_to_number(equals + 1, value);
}

} // namespace

bool record_row_headline(const ToolDef& tool, const RecordRow& row, double* value) {
    if (tool_headline_index(tool) < 0) return false;
    if (row.present[COLUMN_HEADLINE]) {
        wchar_t text[INPUT_TEXT_CAPACITY];
        record_row_text(row, COLUMN_HEADLINE, false, text, INPUT_TEXT_CAPACITY);
        return input_text_to_number(text, value);
    }
    if (row.input_count != tool_input_count(tool)) return false;
    double values[TOOL_MAX_INPUTS] = {};
    for (int i = 0; i < row.input_count; ++i)
        if (!input_cell_value(row.bytes, row.inputs[i], &values[i])) return false;
    static CalcOutcome outcome; // too large for the stack; one thread reads records
    tool_calculate(tool, values, &outcome);
    if (outcome.headline != outcome.headline) return false;
    *value = outcome.headline;
    return true;
}

void headline_value_text(const ToolDef& tool, double value, wchar_t* dest, int capacity) {
    const int h = tool_headline_index(tool);
    if (h < 0) {
        format_shortest(value, dest, capacity);
        return;
    }
    const OutputDef& output = tool.outputs[h];
    wchar_t number[64];
    format_value(output.format, value, number, 64);
    if (text_is_empty(output.unit))
        text_copy(dest, capacity, number);
    else
        text_format(dest, capacity, L"%ls %ls", number, output.unit);
}
