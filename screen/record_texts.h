// The texts of a nursing record that the window shows: the patient line and the inputs line that
// Copy puts above the result, the warning for a patient text that is refused, and the history
// dialog's rows, last line and the band edges of its chart.
#pragma once

#include "core/tool_def.h"
#include "records/patient_fields.h"
#include "records/record_history.h"

constexpr int PATIENT_LINE_CAPACITY = 128;
constexpr int HISTORY_ROW_CAPACITY = 768;
constexpr int HISTORY_LAST_LINE_CAPACITY = 512;

extern const wchar_t* const TEXT_HISTORY_NEEDS_KEY; // "请填写住院号，或床号和姓名。"
extern const wchar_t* const CAPTION_HISTORY;        // the dialog's title
extern const wchar_t* const TEXT_HISTORY_BUTTON;    // "历史记录"
// After the time of a record whose time cannot be right (a PC with a wrong clock).
extern const wchar_t* const TEXT_TIME_ANOMALOUS; // " 时间异常"

// "床号 %ls  住院号 %ls  姓名 %ls". Without blank (null), the empty parts are left out, and the
// line is empty when all three are, as the screen and Copy show it; with blank, an empty field
// shows as blank, as a printed form keeps its place to be written in.
void build_patient_line(const PatientFields& patient, const wchar_t* blank, wchar_t* dest,
                        int capacity);

// The patient as a ward calls one: "<床号>床 <姓名> <住院号>", the empty parts left out.
void build_patient_called(const PatientFields& patient, wchar_t* dest, int capacity);

// The caption of a window opened for a patient: "<title> — <床号>床 <姓名> <住院号>", the empty
// parts left out; the title alone when all three are empty.
constexpr int PATIENT_CAPTION_CAPACITY = 192;
void build_patient_caption(const wchar_t* title, const PatientFields& patient, wchar_t* dest,
                           int capacity);

// True when caption is a window of the tool: its title alone, or its title for a patient.
bool caption_is_of_tool(const wchar_t* caption, const wchar_t* title);

// For a tool of formulas, "label=value" for every input joined by "，" (each value's shortest
// text); empty for a tool with a report.
void build_inputs_line(const ToolDef& tool, const double* values, wchar_t* dest, int capacity);

// The warning for a refused patient text: "“床号”不能包含控制字符。" or the field's length.
void build_patient_refusal(PatientField field, PatientText why, wchar_t* dest, int capacity);

// One row of the history list: time (with " 时间异常" after a time that cannot be right), "等级 n",
// verdict, the result's first line and the assessor, separated by tabs (the list draws each in a
// column of its own).
void build_history_row(const HistoryRecord& record, wchar_t* dest, int capacity);

// The patient's last assessment with the tool beside the new one: "上次：<time> <headline label>
// <value> <verdict>" (" 时间异常" after a time that cannot be right), and, when now is given (a
// Calculate), "  较上次 +n" or "  较上次 −n": the change of the headline in its format. Empty
// when the tool has no headline or the record no value.
constexpr int PREVIOUS_LINE_CAPACITY = 512;
void build_previous_line(const ToolDef& tool, const HistoryRecord& last, const double* now,
                         wchar_t* dest, int capacity);

// The dialog's last line: how many records are shown, and why others are not (skipped records,
// a file larger than what was read, or the reason the file could not be read).
void build_history_last_line(const History& history, const wchar_t* reason, wchar_t* dest,
                             int capacity);
