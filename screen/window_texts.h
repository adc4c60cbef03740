// The texts the main window builds from the tool and the last result, kept apart from the
// platform calls so that they are built and tested everywhere.
#pragma once

#include "core/tool_def.h"
#include "engine/engine.h"

// Capacities of the window's own texts, in wide characters with the terminator.
// What Copy puts under the title: the whole result (OUTCOME_RESULT_CAPACITY, room for the largest
// report of any tool), "—— " and the verdict, and room for the patient line and the line of inputs
// above them.
constexpr int COPY_TEXT_CAPACITY = OUTCOME_RESULT_CAPACITY + OUTCOME_VERDICT_CAPACITY + 2048;
constexpr int STATUS_TEXT_CAPACITY = 256;
constexpr int DEFAULT_TEXT_CAPACITY = 64;
constexpr int REFERENCE_TEXT_CAPACITY = 512;
constexpr int HEADER_LINE_CAPACITY = 256;
constexpr int MESSAGE_TEXT_CAPACITY = 256;
constexpr int ABOUT_TEXT_CAPACITY = 1400;
constexpr int GUIDE_TEXT_CAPACITY = 1024;
constexpr int ACCEPTED_TEXT_CAPACITY = 128;

extern const wchar_t* const MAKER_WEB_ADDRESS;
extern const wchar_t* const TEXT_READY;
extern const wchar_t* const TEXT_VERDICT_START;
extern const wchar_t* const TEXT_COPIED;
extern const wchar_t* const TEXT_RESET_DONE;
extern const wchar_t* const TEXT_COPY_NEEDS_RESULT;
// Copy and Save after an input was edited since the last Calculate.
extern const wchar_t* const TEXT_INPUTS_EDITED;
// Heads the guide's line that names the accepted values.
extern const wchar_t* const TEXT_ACCEPTS;
extern const wchar_t* const CAPTION_INPUT_ERROR;
extern const wchar_t* const CAPTION_HINT;
extern const wchar_t* const CAPTION_ABOUT;
extern const wchar_t* const CAPTION_INPUT_PANEL;
extern const wchar_t* const TEXT_SAVE_NEEDS_RESULT;
extern const wchar_t* const TEXT_SAVED;
extern const wchar_t* const CAPTION_SAVED;
extern const wchar_t* const CAPTION_SAVE_FAILED;
extern const wchar_t* const STATUS_SAVE_FAILED;
// A Save that gave up waiting for another PC's or program's lock on the record file.
extern const wchar_t* const TEXT_RECORD_FILE_BUSY;
extern const wchar_t* const STATUS_COPY_FAILED;
extern const wchar_t* const CAPTION_RESULT_PANEL;

// An input's default value as shown in its edit: "%.6g".
void build_default_text(double value, wchar_t* dest, int capacity);

// The text that input index's edit starts with and returns to on Reset: its default, or empty
// when the tool starts blank.
void build_start_text(const ToolDef& tool, int index, wchar_t* dest, int capacity);

// "参考依据：" and the tool's reference.
void build_reference_text(const ToolDef& tool, wchar_t* dest, int capacity);

// The header's second line: category, "  ·  ", subtitle (empty when there is none).
void build_header_line(const ToolDef& tool, wchar_t* dest, int capacity);

// The warning for input index (0-based) whose text was refused: "请输入数字" for an input that
// declares no accepted values, otherwise "请输入" and what it accepts.
void build_input_error_text(const ToolDef& tool, int index, wchar_t* dest, int capacity);

// What Copy puts under the title: for a tool with a report, the result text itself; otherwise
// the result text, "—— " and the verdict.
void build_copy_text(const ToolDef& tool, const wchar_t* result, const wchar_t* verdict,
                     wchar_t* dest, int capacity);

// The clipboard text: title, CR LF, copy text.
void build_clipboard_text(const ToolDef& tool, const wchar_t* copy_text, wchar_t* dest,
                          int capacity);

// Characters the clipboard text needs, terminator and margin included.
int clipboard_text_capacity(const ToolDef& tool, const wchar_t* copy_text);

// The status line after a Calculate.
void build_calc_status(const ToolDef& tool, wchar_t* dest, int capacity);

// The guide of input index: its label as the heading line; "可填：" and what it accepts, when it
// declares that; then the guide's lines; each line after the heading begins with CR LF. Empty
// when the input has neither a guide nor accepted values.
void build_guide_text(const ToolDef& tool, int index, wchar_t* dest, int capacity);

// The status line after a save, and the box when a save failed: "记录保存失败：无法写入 <path>",
// and "（<reason>）" after it when the system gave one.
void build_save_status(const wchar_t* path, wchar_t* dest, int capacity);
void build_save_failure_text(const wchar_t* path, wchar_t* dest, int capacity,
                             const wchar_t* reason = nullptr);

// The 已保存 box: TEXT_SAVED for the user's own folder;
// "本次结果已追加保存到病区记录（<folder>）。" when the records go to the ward's folder
// (ward_folder not null).
void build_saved_text(const wchar_t* ward_folder, wchar_t* dest, int capacity);

// Asked when a window whose last result was not saved is closed (caption CAPTION_HINT).
extern const wchar_t* const TEXT_CLOSE_UNSAVED; // "本次计算结果尚未保存。仍要关闭吗？"

// The nine lines of the About box.
void build_about_text(const ToolDef& tool, wchar_t* dest, int capacity);
