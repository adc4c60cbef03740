// One record of a record file read as data: every cell that has a name in the file's header is
// found by that name, the input cells are those between 工具 and 结果, and the cells a record
// carries past an older header's last column are read in the order Save writes them today. No
// other code computes a column position.
#pragma once

#include <cstddef>

#include "core/tool_def.h"
#include "records/csv.h"
#include "records/patient_fields.h"

// The named columns, in the order Save writes them after the input cells.
enum RecordColumn {
    COLUMN_TIME,
    COLUMN_TOOL,
    COLUMN_RESULT,
    COLUMN_LEVEL,
    COLUMN_VERDICT,
    COLUMN_BED,
    COLUMN_NUMBER,
    COLUMN_NAME,
    COLUMN_ASSESSOR,
    COLUMN_RECORD_ID,
    COLUMN_HEADLINE,
    RECORD_COLUMN_COUNT
};

// "时间", "工具", "结果", "等级", "结论", "床号", "住院号", "姓名", "评估者", "记录号", "主要结果".
extern const wchar_t* const RECORD_COLUMN_NAMES[RECORD_COLUMN_COUNT];

// The column of a patient field.
RecordColumn record_patient_column(PatientField field);

// Where each column lies in a record of one file.
struct RecordLayout {
    int cell[RECORD_COLUMN_COUNT]; // -1: the file has no such column
    int input_first;
    int input_count;
    int full_count; // the cells of a record that has every column
};

// The layout a new file of the tool gets: its header as Save writes it today.
void record_layout_today(const ToolDef& tool, RecordLayout* layout);

// The layout from the header that a file begins with, the first record of head (a UTF-8
// byte-order mark before it is passed over). When head holds no header (an empty file, or one
// whose header was never written), today's layout of the tool. False only in that case.
bool record_layout_from_head(const ToolDef& tool, const char* head, std::size_t length,
                             RecordLayout* layout);

// True when the record is the header line that a file begins with: its first cell is "时间".
bool record_is_header(const char* bytes, const CsvRecord& record);

struct RecordRow {
    const char* bytes;
    CsvCellSpan cells[RECORD_COLUMN_COUNT];
    bool present[RECORD_COLUMN_COUNT]; // the record carries the cell
    CsvCellSpan inputs[TOOL_MAX_INPUTS];
    int input_count;
    int level; // 0 to 3
    // Its time lies more than RECORD_CLOCK_SLACK_MINUTES after the reading PC's clock, or before
    // the record appended above it: a PC with a wrong clock saved it. Shown with "时间异常".
    bool time_anomalous;
};

constexpr int RECORD_CLOCK_SLACK_MINUTES = 10;
constexpr int RECORD_TIME_CAPACITY = 20; // "YYYY-MM-DD hh:mm:ss"

// Reads a record of the file's layout. False when it is no record that names a grade: fewer
// cells than up to 评估者, more cells than a record has, no time, or a level that is not 0 to 3.
bool record_row_read(const char* bytes, const CsvRecord& record, const RecordLayout& layout,
                     RecordRow* row);

// A cell's text, as it was written or typed (a patient cell's formula guard taken off); empty when
// the record does not carry it. With first_line, only the text before its first line break.
void record_row_text(const RecordRow& row, RecordColumn column, bool first_line, wchar_t* dest,
                     int capacity);

// The record's headline value: its 主要结果 cell, or, for a record made before that cell existed,
// the tool calculated again on the record's own input cells. False when there is none: an empty
// cell, a text that is no finite number ("--" included), or inputs that cannot be read.
bool record_row_headline(const ToolDef& tool, const RecordRow& row, double* value);

// The headline value as the result shows it: in the headline output's format, with its unit.
void headline_value_text(const ToolDef& tool, double value, wchar_t* dest, int capacity);
