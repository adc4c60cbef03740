#include "screen/record_texts.h"

#include <cwchar>

#include "core/format.h"
#include "core/text.h"
#include "core/text_sink.h"
#include "records/record_row.h"

const wchar_t* const TEXT_HISTORY_NEEDS_KEY = L"请填写住院号，或床号和姓名。";
const wchar_t* const CAPTION_HISTORY = L"历史记录";
const wchar_t* const TEXT_HISTORY_BUTTON = L"历史记录";
const wchar_t* const TEXT_TIME_ANOMALOUS = L" 时间异常";

void build_patient_line(const PatientFields& patient, const wchar_t* blank, wchar_t* dest,
                        int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    for (int f = PATIENT_BED; f <= PATIENT_NAME; ++f) {
        const bool empty = text_is_empty(patient.text[f]);
        if (empty && blank == nullptr) continue;
        if (sink.length > 0) text_sink_append(sink, L"  ");
        text_sink_format(sink, L"%ls %ls", PATIENT_FIELDS[f].label,
                         empty ? blank : patient.text[f]);
    }
}

void build_patient_called(const PatientFields& patient, wchar_t* dest, int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    // Bed, name, then number: as a ward calls a patient.
    const struct {
        PatientField field;
        const wchar_t* format;
    } parts[] = {{PATIENT_BED, L"%ls床"}, {PATIENT_NAME, L"%ls"}, {PATIENT_NUMBER, L"%ls"}};
    for (const auto& part : parts) {
        if (text_is_empty(patient.text[part.field])) continue;
        if (sink.length > 0) text_sink_put(sink, L' ');
        text_sink_format(sink, part.format, patient.text[part.field]);
    }
}

void build_patient_caption(const wchar_t* title, const PatientFields& patient, wchar_t* dest,
                           int capacity) {
    wchar_t called[PATIENT_CAPTION_CAPACITY];
    build_patient_called(patient, called, PATIENT_CAPTION_CAPACITY);
    if (text_is_empty(called))
        text_copy(dest, capacity, title);
    else
        text_format(dest, capacity, L"%ls — %ls", title, called);
}

bool caption_is_of_tool(const wchar_t* caption, const wchar_t* title) {
    const std::size_t length = std::wcslen(title);
    if (std::wcsncmp(caption, title, length) != 0) return false;
    return caption[length] == L'\0' || std::wcsncmp(caption + length, L" — ", 3) == 0;
}

void build_inputs_line(const ToolDef& tool, const double* values, wchar_t* dest, int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    if (tool.report_kind != 0) return;
    for (int j = 0; j < tool_input_count(tool); ++j) {
        wchar_t value[64];
        format_shortest(values[j], value, 64);
        text_sink_format(sink, j == 0 ? L"%ls=%ls" : L"，%ls=%ls", tool.inputs[j].label, value);
    }
}

void build_patient_refusal(PatientField field, PatientText why, wchar_t* dest, int capacity) {
    const PatientFieldDef& def = PATIENT_FIELDS[field];
    if (why == PatientText::too_long)
        text_format(dest, capacity, L"“%ls”最多 %d 个字符。", def.label, def.max_length);
    else
        text_format(dest, capacity, L"“%ls”不能包含控制字符。", def.label);
}

void build_previous_line(const ToolDef& tool, const HistoryRecord& last, const double* now,
                         wchar_t* dest, int capacity) {
    dest[0] = L'\0';
    const int h = tool_headline_index(tool);
    if (h < 0 || !last.has_value) return;
    const OutputDef& output = tool.outputs[h];
    wchar_t value[64];
    headline_value_text(tool, last.value, value, 64);
    TextSink sink = {dest, capacity, 0};
    text_sink_format(sink, L"上次：%ls%ls %ls %ls %ls", last.time,
                     last.time_anomalous ? TEXT_TIME_ANOMALOUS : L"", output.label, value,
                     last.verdict);
    if (now == nullptr) return;
    // The change as the headline shows its values: its own rounding, then the sign.
    wchar_t shown_now[64];
    wchar_t shown_last[64];
    format_value(output.format, *now, shown_now, 64);
    format_value(output.format, last.value, shown_last, 64);
    const double change = std::wcstod(shown_now, nullptr) - std::wcstod(shown_last, nullptr);
    wchar_t magnitude[64];
    format_value(output.format, change < 0 ? -change : change, magnitude, 64);
    text_sink_format(sink, L"  较上次 %ls%ls", change < 0 ? L"\u2212" : L"+", magnitude);
}

void build_history_row(const HistoryRecord& record, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"%ls%ls\t等级 %d\t%ls\t%ls\t%ls", record.time,
                record.time_anomalous ? TEXT_TIME_ANOMALOUS : L"", record.level, record.verdict,
                record.first_line, record.assessor);
}

void build_history_last_line(const History& history, const wchar_t* reason, wchar_t* dest,
                             int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    if (reason != nullptr) {
        text_sink_append(sink, reason);
        return;
    }
    text_sink_format(sink, L"显示 %d 条记录（最新在上，最多 %d 条）", history.count,
                     HISTORY_MAX_RECORDS);
    if (history.skipped > 0)
        text_sink_format(sink, L"；另有 %d 条旧格式或无法读取的记录未显示", history.skipped);
    if (history.older_not_read)
        text_sink_format(sink, L"；文件较大，只读取了最后 %d MB，更早的记录未显示",
                         static_cast<int>(HISTORY_TAIL_BYTES >> 20));
}
