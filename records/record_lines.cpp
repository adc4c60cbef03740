#include "records/record_lines.h"

#include "core/format.h"
#include "core/text.h"

const char RECORD_BYTE_ORDER_MARK[3] = {'\xEF', '\xBB', '\xBF'};
const wchar_t* const RECORD_SUBFOLDER = L"HalviMedSuite\\records";

void build_record_header(const ToolDef& tool, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"时间,工具");
    for (int i = 0; i < tool_input_count(tool); ++i) {
        wchar_t cell[RECORD_CELL_CAPACITY];
        text_format(cell, RECORD_CELL_CAPACITY, L",%ls", tool.inputs[i].label);
        text_append(dest, capacity, cell);
    }
    text_append(dest, capacity, L",结果\r\n");
}

void build_record_line(const ToolDef& tool, const LocalTime& time, const double* values,
                       const wchar_t* kept_result, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"%04d-%02d-%02d %02d:%02d:%02d,%ls", time.year, time.month,
                time.day, time.hour, time.minute, time.second, tool.title);
    for (int i = 0; i < tool_input_count(tool); ++i) {
        wchar_t value[RECORD_CELL_CAPACITY];
        format_shortest(values[i], value, RECORD_CELL_CAPACITY);
        wchar_t cell[RECORD_CELL_CAPACITY];
        text_format(cell, RECORD_CELL_CAPACITY, L",%ls=%ls", tool.inputs[i].label, value);
        text_append(dest, capacity, cell);
    }
    wchar_t result[RECORD_RESULT_CELL_CAPACITY];
    text_format(result, RECORD_RESULT_CELL_CAPACITY, L",%ls", kept_result);
    text_append(dest, capacity, result);
    text_append(dest, capacity, L"\r\n");
}

bool build_record_folder(const wchar_t* local_app_data, wchar_t* dest, int capacity) {
    return text_format_whole(dest, capacity, L"%ls\\%ls", local_app_data, RECORD_SUBFOLDER);
}

bool build_record_path(const wchar_t* folder, int tool_id, wchar_t* dest, int capacity) {
    return text_format_whole(dest, capacity, L"%ls\\T%03d.csv", folder, tool_id);
}
