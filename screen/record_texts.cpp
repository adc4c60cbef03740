#include "screen/record_texts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/format.h"
#include "core/text.h"
#include "core/text_sink.h"

const wchar_t* const TEXT_HISTORY_NEEDS_KEY = L"请先填写住院号或床号。";
const wchar_t* const CAPTION_HISTORY = L"历史记录";
const wchar_t* const TEXT_HISTORY_BUTTON = L"历史记录";

void build_patient_line(const PatientFields& patient, wchar_t* dest, int capacity) {
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    for (int f = PATIENT_BED; f <= PATIENT_NAME; ++f) {
        if (text_is_empty(patient.text[f])) continue;
        if (sink.length > 0) text_sink_append(sink, L"  ");
        text_sink_format(sink, L"%ls %ls", PATIENT_FIELDS[f].label, patient.text[f]);
    }
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

void build_history_row(const HistoryRecord& record, wchar_t* dest, int capacity) {
    text_format(dest, capacity, L"%ls\t等级 %d\t%ls\t%ls\t%ls", record.time, record.level,
                record.verdict, record.first_line, record.assessor);
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

namespace {

constexpr std::size_t CONDITION_CAPACITY = 256;

// The text without spaces, into dest; false when it does not fit.
bool without_spaces(const char* text, char* dest, std::size_t capacity) {
    std::size_t n = 0;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        if (*p == ' ') continue;
        if (n + 1 >= capacity) return false;
        dest[n++] = *p;
    }
    dest[n] = '\0';
    return true;
}

// The number that a condition "lhs op number" compares lhs with, when lhs is the key or the
// formula given.
bool compared_number(const char* condition, const char* key, const char* formula, double* edge) {
    char text[CONDITION_CAPACITY], wanted_formula[CONDITION_CAPACITY];
    if (!without_spaces(condition, text, CONDITION_CAPACITY) ||
        !without_spaces(formula, wanted_formula, CONDITION_CAPACITY))
        return false;
    if (std::strstr(text, "&&") != nullptr || std::strstr(text, "||") != nullptr) return false;
    char* op = std::strpbrk(text, "<>");
    if (op == nullptr) return false;
    const char* number = op + (op[1] == '=' ? 2 : 1);
    char* end = nullptr;
    *edge = std::strtod(number, &end);
    if (end == number || *end != '\0') return false;
    *op = '\0';
    return std::strcmp(text, key) == 0 ||
           (wanted_formula[0] != '\0' && std::strcmp(text, wanted_formula) == 0);
}

} // namespace

int rule_band_edges(const ToolDef& tool, double* edges, int capacity) {
    if (tool.report_kind != 0 || tool_output_count(tool) == 0) return 0;
    const OutputDef& first = tool.outputs[0];
    int count = 0;
    for (int r = 0; r < tool.rule_count && count < capacity; ++r) {
        double edge = 0;
        if (!compared_number(tool.rules[r].condition, first.key, first.formula, &edge)) continue;
        if (std::find(edges, edges + count, edge) == edges + count) edges[count++] = edge;
    }
    std::sort(edges, edges + count);
    return count;
}
