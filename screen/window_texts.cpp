#include "screen/window_texts.h"

#include "suite_version.h" // generated: SUITE_VERSION

#include "core/accepted_values.h"
#include "core/text.h"

const wchar_t* const MAKER_WEB_ADDRESS = L"www.halvimed.example";
const wchar_t* const TEXT_READY = L"就绪：填写参数后按 F5 或点击“计算”";
const wchar_t* const TEXT_VERDICT_START = L"填写左侧参数，点击“计算”";
const wchar_t* const TEXT_COPIED = L"结果已复制到剪贴板";
const wchar_t* const TEXT_RESET_DONE = L"已恢复默认值";
const wchar_t* const TEXT_COPY_NEEDS_RESULT = L"请先点击“计算”生成结果。";
const wchar_t* const TEXT_INPUTS_EDITED = L"输入已修改，请先点击“计算”。";
const wchar_t* const TEXT_ACCEPTS = L"可填：";
const wchar_t* const CAPTION_INPUT_ERROR = L"输入有误";
const wchar_t* const CAPTION_HINT = L"提示";
const wchar_t* const CAPTION_ABOUT = L"关于本工具";
const wchar_t* const CAPTION_INPUT_PANEL = L"输入参数";
const wchar_t* const CAPTION_RESULT_PANEL = L"计算结果";
const wchar_t* const TEXT_SAVE_NEEDS_RESULT = L"请先点击“计算”生成结果，再保存记录。";
const wchar_t* const TEXT_SAVED = L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
const wchar_t* const CAPTION_SAVED = L"已保存";
const wchar_t* const CAPTION_SAVE_FAILED = L"保存失败";
const wchar_t* const STATUS_SAVE_FAILED = L"记录保存失败";
const wchar_t* const TEXT_RECORD_FILE_BUSY = L"记录文件正被其他电脑或程序占用，请稍后重试。";
const wchar_t* const STATUS_COPY_FAILED = L"复制失败：剪贴板被占用";

void build_start_text(const ToolDef& tool, int index, wchar_t* dest, int capacity) {
    if (tool.blank_at_start) {
        text_copy(dest, capacity, L"");
        return;
    }
    build_default_text(tool.inputs[index].default_value, dest, capacity);
}

void build_default_text(double value, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"%.6g", value);
}

void build_reference_text(const ToolDef& tool, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"参考依据：%ls", tool.reference);
}

void build_header_line(const ToolDef& tool, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"%ls  ·  %ls", tool.category,
                tool.subtitle != nullptr ? tool.subtitle : L"");
}

void build_input_error_text(const ToolDef& tool, int index, wchar_t* dest, int capacity) {
    const InputDef& input = tool.inputs[index];
    if (!input_declares_accepted(input)) {
        text_format(dest, capacity, L"第 %d 项“%ls”请输入数字。", index + 1, input.label);
        return;
    }
    wchar_t accepted[ACCEPTED_TEXT_CAPACITY];
    build_accepted_text(input, accepted, ACCEPTED_TEXT_CAPACITY);
    text_format(dest, capacity, L"第 %d 项“%ls”请输入 %ls。", index + 1, input.label, accepted);
}

void build_copy_text(const ToolDef& tool, const wchar_t* result, const wchar_t* verdict,
                     wchar_t* dest, int capacity) {
    if (tool.report_kind != 0)
        text_copy(dest, capacity, result);
    else
        text_format(dest, capacity, L"%ls—— %ls", result, verdict);
}

void build_clipboard_text(const ToolDef& tool, const wchar_t* copy_text, wchar_t* dest,
                          int capacity) {
    text_format(dest, capacity, L"%ls\r\n%ls", tool.title, copy_text);
}

int clipboard_text_capacity(const ToolDef& tool, const wchar_t* copy_text) {
    return text_length(copy_text) + text_length(tool.title) + 16;
}

void build_calc_status(const ToolDef& tool, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"计算完成  %ls", tool.title);
}

void build_save_status(const wchar_t* path, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"记录已保存：%ls", path);
}

void build_save_failure_text(const wchar_t* path, wchar_t* dest, int capacity,
                             const wchar_t* reason) {
    if (reason != nullptr && reason[0] != L'\0')
        text_format(dest, capacity, L"记录保存失败：无法写入 %ls（%ls）", path, reason);
    else
        text_format(dest, capacity, L"记录保存失败：无法写入 %ls", path);
}

void build_saved_text(const wchar_t* ward_folder, wchar_t* dest, int capacity) {
    if (ward_folder == nullptr)
        text_copy(dest, capacity, TEXT_SAVED);
    else
        text_format(dest, capacity, L"本次结果已追加保存到病区记录（%ls）。", ward_folder);
}

const wchar_t* const TEXT_CLOSE_UNSAVED = L"本次计算结果尚未保存。仍要关闭吗？";

void build_about_text(const ToolDef& tool, wchar_t* dest, int capacity) {
    text_format(dest, capacity,
                L"%ls\r\n"
                L"\r\n"
                L"分类：%ls\r\n"
                L"参考依据：%ls\r\n"
                L"\r\n"
                L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
                L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
                L"\r\n"
                L"版本 %ls    官网：%ls",
                tool.title, tool.category, tool.reference, SUITE_VERSION, MAKER_WEB_ADDRESS);
}

void build_guide_text(const ToolDef& tool, int index, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"");
    if (index < 0 || index >= tool_input_count(tool)) return;
    const InputDef& input = tool.inputs[index];
    const bool declared = input_declares_accepted(input);
    if (text_is_empty(input.guide) && !declared) return;
    text_copy(dest, capacity, input.label);
    if (declared) {
        wchar_t accepted[ACCEPTED_TEXT_CAPACITY];
        build_accepted_text(input, accepted, ACCEPTED_TEXT_CAPACITY);
        text_append_format(dest, capacity, L"\r\n%ls%ls", TEXT_ACCEPTS, accepted);
    }
    if (!text_is_empty(input.guide)) text_append_format(dest, capacity, L"\r\n%ls", input.guide);
}
