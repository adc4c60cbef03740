#include "print/print_texts.h"

#include "core/format.h"
#include "core/text.h"
#include "core/text_sink.h"

const wchar_t* const PRINT_BLANK = L"______";
const wchar_t* const CAPTION_PRINT_FAILED = L"打印失败";

namespace {

const wchar_t* or_blank(const wchar_t* text) { return text_is_empty(text) ? PRINT_BLANK : text; }

bool is_separator(wchar_t c) { return c == L' ' || c == 0x3000 || c == L'：' || c == L':'; }

// The start of the guide's line that begins with value and a separator, and its length; null
// when no line does.
const wchar_t* guide_line_of(const wchar_t* guide, const wchar_t* value, int* length) {
    const int value_length = text_length(value);
    for (const wchar_t* line = guide; line != nullptr && *line != L'\0';) {
        const int end = text_line_length(line);
        bool starts = end > value_length && is_separator(line[value_length]);
        for (int i = 0; starts && i < value_length; ++i) starts = line[i] == value[i];
        if (starts) {
            *length = end;
            return line;
        }
        line = text_skip_line_break(line + end);
    }
    return nullptr;
}

} // namespace

void build_print_time_line(const LocalTime& time, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"评估时间：%04d-%02d-%02d %02d:%02d", time.year, time.month,
                time.day, time.hour, time.minute);
}

void build_print_value_cell(const InputDef& input, double value, wchar_t* dest, int capacity) {
    wchar_t number[64];
    format_shortest(value, number, 64);
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    text_sink_append(sink, number);
    int length = 0;
    const wchar_t* line = guide_line_of(input.guide, number, &length);
    if (line == nullptr) return;
    // Past the separator and any spaces after it.
    int at = text_length(number) + 1;
    while (at < length && (line[at] == L' ' || line[at] == 0x3000)) ++at;
    text_sink_append(sink, L"  ");
    for (; at < length; ++at) text_sink_put(sink, line[at]);
}

const wchar_t* print_level_mark(int level) {
    static const wchar_t* const marks[] = {L"【低】", L"【中】", L"【高】", L"【极高】"};
    return level >= 1 && level <= 3 ? marks[level] : marks[0];
}

void build_print_footer(const wchar_t* assessor, int page, int page_count, wchar_t* dest,
                        int capacity) {
    text_format(dest, capacity, L"评估者：%ls    签名：________    第 %d 页 / 共 %d 页",
                or_blank(assessor), page, page_count);
}

void build_print_failure_text(const wchar_t* reason, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"打印失败：%ls", reason != nullptr ? reason : L"");
}

void build_print_sent_status(const wchar_t* printer, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"已发送到打印机：%ls", printer != nullptr ? printer : L"");
}

const wchar_t* const TEXT_PRINT_CANCELLED = L"已取消打印";
const wchar_t* const TEXT_PRINTER_NO_RESPONSE = L"打印机无响应";
const wchar_t* const TEXT_PRINT_STILL_RUNNING = L"上一个打印任务尚未结束，请稍后重试。";
const wchar_t* const CAPTION_PRINT_PROGRESS = L"打印";

void build_print_progress_text(int page, int page_count, wchar_t* dest, int capacity) {
    if (page_count <= 0) {
        text_format(dest, capacity, L"正在打印");
        return;
    }
    if (page < 1) page = 1;
    if (page > page_count) page = page_count;
    text_format(dest, capacity, L"正在打印 第 %d 页 / 共 %d 页", page, page_count);
}
