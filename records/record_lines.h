// The lines of the per-user CSV record log: a header naming the columns and one record line per
// Save. Fields are written as they are, unquoted, separated by commas; lines end in CR LF.
#pragma once

#include "core/tool_def.h"
#include "core/utf8.h"

constexpr int RECORD_HEADER_CAPACITY = 512;
constexpr int RECORD_LINE_CAPACITY = 4096;
constexpr int RECORD_CELL_CAPACITY = 128;
constexpr int RECORD_RESULT_CELL_CAPACITY = 256; // the comma and at most 254 characters
constexpr int RECORD_FOLDER_CAPACITY = 260;
constexpr int RECORD_PATH_CAPACITY = 520;
// Room for the UTF-8 form of any record line, so that no line is dropped for its length.
constexpr int RECORD_UTF8_CAPACITY = RECORD_LINE_CAPACITY * UTF8_MAX_BYTES_PER_WIDE_UNIT;

// The UTF-8 byte-order mark that begins a new record file.
extern const char RECORD_BYTE_ORDER_MARK[3];

// The records' folder below the user's local application-data folder.
extern const wchar_t* const RECORD_SUBFOLDER;

struct LocalTime {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
};

// "时间,工具", a cell per input label, ",结果" and CR LF.
void build_record_header(const ToolDef& tool, wchar_t* dest, int capacity);

// The time stamp and title, a "label=value" cell per input (the value's
// shortest text that reads back to it), the kept result text cut at
// 254 characters, and CR LF.
void build_record_line(const ToolDef& tool, const LocalTime& time, const double* values,
                       const wchar_t* kept_result, wchar_t* dest, int capacity);

// The records folder under the user's local application-data folder, and the tool's file in it.
// False when the path does not fit whole: a save never writes to a shortened path.
bool build_record_folder(const wchar_t* local_app_data, wchar_t* dest, int capacity);
bool build_record_path(const wchar_t* folder, int tool_id, wchar_t* dest, int capacity);
