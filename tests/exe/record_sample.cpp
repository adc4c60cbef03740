// Writes a record file with every kind of cell, as the programs write it, and beside it what a
// spreadsheet must show in each cell: record_sample FILE.csv EXPECTED.tsv. The expected file has
// one line per row, its cells separated by tabs, with tab, CR and LF written as \t, \r and \n.
#include <cstdio>
#include <string>

#include "core/text.h"
#include "core/utf8.h"
#include "records/record_lines.h"

namespace {

const InputDef inputs[] = {{"a", L"感觉, 1-4", L"", 0}, {"b", L"\"潮湿\"", L"", 0}};
const ToolDef tool = {.id = 1,
                      .title = L"样例, \"工具\"",
                      .category = L"c",
                      .reference = L"r",
                      .input_count = 2,
                      .inputs = inputs};

struct Sample {
    const wchar_t* result;
    const wchar_t* verdict;
    const wchar_t* patient[PATIENT_FIELD_COUNT];
};

const Sample samples[] = {
    {L"总分：13 分\r\n", L"中危，加强观察", {L"12", L"Z001", L"张三", L"李护士"}},
    {L"第一行\r\n第二行, 有逗号\r\n第三行 \"引号\"\r\n", L"a,b", {L"3,4", L"\"q\"", L"王 五", L""}},
    {L"总分：-1\r\n", L"-2", {L"=1+1", L"+86", L"=HYPERLINK(\"x\")", L"@SUM(A1)"}},
    {L"x", L"", {L"\tTab", L"'apostrophe", L"-3", L"'=x"}},
    {L"护士01：\r\n  1日D 2日N 3日R\r\n护士02：\r\n  1日N 2日R 3日D\r\n",
     L"已生成",
     {L"", L"", L"", L""}},
};

std::string utf8(const wchar_t* text) {
    static char bytes[RECORD_UTF8_CAPACITY];
    return utf8_from_wide(text, bytes, RECORD_UTF8_CAPACITY) >= 0 ? bytes : "<too long>";
}

// A cell as the expected file writes it.
std::string escaped(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c == L'\t')
            out += L"\\t";
        else if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\\')
            out += L"\\\\";
        else
            out += c;
    }
    return utf8(out.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::FILE* csv = std::fopen(argv[1], "wb");
    std::FILE* expected = std::fopen(argv[2], "wb");
    if (csv == nullptr || expected == nullptr) return 3;
    static wchar_t line[RECORD_LINE_CAPACITY];
    build_record_header(tool, line, RECORD_LINE_CAPACITY);
    std::fputs("\xEF\xBB\xBF", csv);
    std::fputs(utf8(line).c_str(), csv);
    std::fputs(
        "时间\t工具\t感觉, 1-4\t\"潮湿\"\t结果\t等级\t结论\t床号\t住院号\t姓名\t评估者\t记录号\t"
        "主要结果\n",
        expected);
    for (const Sample& sample : samples) {
        const double values[] = {3, 2.5};
        PatientFields patient;
        for (int f = 0; f < PATIENT_FIELD_COUNT; ++f)
            text_copy(patient.text[f], PATIENT_FIELD_CAPACITY, sample.patient[f]);
        const RecordEntry entry = {{2026, 12, 9, 8, 30, 0},
                                   values,
                                   sample.result,
                                   2,
                                   sample.verdict,
                                   &patient,
                                   L"0f1e2d3c-4b5a-4968-8776-655443322110",
                                   5.5};
        if (!build_record(tool, entry, line, RECORD_LINE_CAPACITY)) return 4;
        std::fputs(utf8(line).c_str(), csv);
        std::wstring result = sample.result;
        while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r'))
            result.pop_back();
        std::string row = "2026-12-09 08:30:00\t" + escaped(tool.title) + "\t" +
                          escaped(L"感觉, 1-4=3") + "\t" + escaped(L"\"潮湿\"=2.5") + "\t" +
                          escaped(result) + "\t2\t" + escaped(sample.verdict);
        for (const wchar_t* text : sample.patient) row += "\t" + escaped(text);
        row += "\t0f1e2d3c-4b5a-4968-8776-655443322110\t5.5";
        std::fputs((row + "\n").c_str(), expected);
    }
    return std::fclose(csv) == 0 && std::fclose(expected) == 0 ? 0 : 3;
}
