#include "records/record_lines.h"

#include "core/format.h"
#include "core/text.h"
#include "core/text_sink.h"
#include "records/csv.h"

const char RECORD_BYTE_ORDER_MARK[3] = {'\xEF', '\xBB', '\xBF'};
const wchar_t* const RECORD_SUBFOLDER = L"HalviMedSuite\\records";

void build_record_header(const ToolDef& tool, wchar_t* dest, int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    text_sink_append(sink, L"时间,工具");
    for (int i = 0; i < tool_input_count(tool); ++i) {
        text_sink_put(sink, L',');
        csv_append_cell(sink, tool.inputs[i].label);
    }
    text_sink_append(sink, L",结果,等级,结论");
    for (const PatientFieldDef& field : PATIENT_FIELDS) {
        text_sink_put(sink, L',');
        text_sink_append(sink, field.label);
    }
    text_sink_append(sink, L",记录号,主要结果\r\n");
}

namespace {

// The result without the line breaks at its end.
void append_result_cell(TextSink& sink, const wchar_t* result) {
    int length = text_length(result);
    while (length > 0 && (result[length - 1] == L'\r' || result[length - 1] == L'\n')) --length;
    csv_append_cell(sink, result, length);
}

// A value as its shortest text that reads back to it, or nothing when it is not finite.
void append_value_cell(TextSink& sink, double value) {
    if (value != value || value - value != 0) return;
    wchar_t text[RECORD_CELL_CAPACITY];
    format_shortest(value, text, RECORD_CELL_CAPACITY);
    text_sink_append(sink, text);
}

void append_cells_to_result(TextSink& sink, const ToolDef& tool, const LocalTime& time,
                            const double* values, const wchar_t* result) {
    text_sink_format(sink, L"%04d-%02d-%02d %02d:%02d:%02d,", time.year, time.month, time.day,
                     time.hour, time.minute, time.second);
    csv_append_cell(sink, tool.title);
    for (int i = 0; i < tool_input_count(tool); ++i) {
        wchar_t value[RECORD_CELL_CAPACITY];
        format_shortest(values[i], value, RECORD_CELL_CAPACITY);
        wchar_t cell[RECORD_CELL_CAPACITY];
        if (!text_format_whole(cell, RECORD_CELL_CAPACITY, L"%ls=%ls", tool.inputs[i].label, value))
            sink.cut = true;
        text_sink_put(sink, L',');
        csv_append_cell(sink, cell);
    }
    text_sink_put(sink, L',');
    append_result_cell(sink, result);
}

bool finish(TextSink& sink) {
    text_sink_append(sink, L"\r\n");
    if (!sink.cut) return true;
    sink.dest[0] = L'\0';
    return false;
}

} // namespace

bool build_record(const ToolDef& tool, const RecordEntry& entry, wchar_t* dest, int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    append_cells_to_result(sink, tool, entry.time, entry.values, entry.result);
    text_sink_format(sink, L",%d,", entry.level);
    csv_append_cell(sink, entry.verdict);
    for (int f = 0; f < PATIENT_FIELD_COUNT; ++f) {
        text_sink_put(sink, L',');
        csv_append_typed_cell(sink, entry.patient != nullptr ? entry.patient->text[f] : L"");
    }
    text_sink_put(sink, L',');
    csv_append_cell(sink, entry.record_id != nullptr ? entry.record_id : L"");
    text_sink_put(sink, L',');
    append_value_cell(sink, entry.headline);
    return finish(sink);
}

bool build_record_folder(const wchar_t* local_app_data, wchar_t* dest, int capacity) {
    return text_format_whole(dest, capacity, L"%ls\\%ls", local_app_data, RECORD_SUBFOLDER);
}

bool build_record_path(const wchar_t* folder, int tool_id, wchar_t* dest, int capacity) {
    return text_format_whole(dest, capacity, L"%ls\\T%03d.csv", folder, tool_id);
}
