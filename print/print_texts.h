// The texts of a printed record: the patient line with blanks to fill in by hand, the time of the
// Calculate, an input's value beside its guide line, the mark of a level that reads without
// colour, and the footer of every page.
#pragma once

#include "core/tool_def.h"
#include "records/patient_fields.h"
#include "records/record_lines.h"

constexpr int PRINT_LINE_CAPACITY = 512;

// What a blank field shows on paper.
extern const wchar_t* const PRINT_BLANK; // "______"

// "评估时间：2026-12-09 08:30".
void build_print_time_line(const LocalTime& time, wchar_t* dest, int capacity);

// The value as the record writes it, then, when a line of the input's guide starts with that
// value (followed by a space or a colon), two spaces and the rest of that line: "3  轻度受限：…".
void build_print_value_cell(const InputDef& input, double value, wchar_t* dest, int capacity);

// "【低】", "【中】", "【高】" or "【极高】" for levels 0 to 3; any other level marks as 0 does.
const wchar_t* print_level_mark(int level);

// "评估者：…    签名：________    第 p 页 / 共 n 页", a blank assessor as PRINT_BLANK.
void build_print_footer(const wchar_t* assessor, int page, int page_count, wchar_t* dest,
                        int capacity);

// The window's answers to Print: the failure box (its caption, "打印失败：…" with the system's
// reason) and the status line once the spooler took the job ("已发送到打印机：…").
extern const wchar_t* const CAPTION_PRINT_FAILED;
void build_print_failure_text(const wchar_t* reason, wchar_t* dest, int capacity);
void build_print_sent_status(const wchar_t* printer, wchar_t* dest, int capacity);

// While a job is spooled: "正在打印 第 p 页 / 共 n 页", or "正在打印" before its pages are
// counted. The status line after 取消, and the reasons of a job that stopped answering and of a
// Print while the last job's thread still runs.
constexpr int PRINT_PROGRESS_CAPACITY = 64;
void build_print_progress_text(int page, int page_count, wchar_t* dest, int capacity);
extern const wchar_t* const TEXT_PRINT_CANCELLED;     // "已取消打印"
extern const wchar_t* const TEXT_PRINTER_NO_RESPONSE; // "打印机无响应"
extern const wchar_t* const TEXT_PRINT_STILL_RUNNING; // "上一个打印任务尚未结束，请稍后重试。"
extern const wchar_t* const CAPTION_PRINT_PROGRESS; // "打印"
