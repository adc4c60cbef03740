// The lines of the per-user CSV record log: a header naming the columns and one record per Save,
// each one CSV record (records/csv.h) that ends in CR LF, so that a spreadsheet shows it as one
// row whatever its result holds.
#pragma once

#include <limits>

#include "core/tool_def.h"
#include "core/utf8.h"
#include "engine/engine.h"
#include "records/patient_fields.h"

constexpr int RECORD_HEADER_CAPACITY = 1024;
// Room for the largest result of any tool with every quote doubled, and every other cell.
constexpr int RECORD_LINE_CAPACITY = 2 * OUTCOME_RESULT_CAPACITY + 2048;
constexpr int RECORD_CELL_CAPACITY = 128;
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

// The header of a new file: "时间,工具", a cell per input label, then
// ",结果,等级,结论,床号,住院号,姓名,评估者,记录号,主要结果" and CR LF. A file keeps the header it
// was created with: a record of today carries its new cells after the last column of an older
// header.
void build_record_header(const ToolDef& tool, wchar_t* dest, int capacity);

// What one record says.
struct RecordEntry {
    LocalTime time;
    const double* values;  // one per input
    const wchar_t* result; // the whole result text
    int level;             // 0 to 3
    const wchar_t* verdict;
    const PatientFields* patient;                               // null: every patient cell empty
    const wchar_t* record_id = nullptr;                         // null: the cell is empty
    double headline = std::numeric_limits<double>::quiet_NaN(); // NaN: the cell is empty
};

// The record: the time stamp and title, a "label=value" cell per input (the value's shortest
// text that reads back to it), the result without its trailing line breaks, the level, the
// verdict, the bed, inpatient number, name and assessor (each guarded against being run as a
// formula), the record id, the headline value (its shortest text, empty when it is NaN or not
// finite), and CR LF. False, with dest empty, when the record does not fit whole: a record is
// never written cut.
bool build_record(const ToolDef& tool, const RecordEntry& entry, wchar_t* dest, int capacity);

// The records folder under the user's local application-data folder, and the tool's file in it.
// False when the path does not fit whole: a save never writes to a shortened path.
bool build_record_folder(const wchar_t* local_app_data, wchar_t* dest, int capacity);
bool build_record_path(const wchar_t* folder, int tool_id, wchar_t* dest, int capacity);
