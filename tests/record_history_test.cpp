// The record file as CSV: how each kind of cell is written, and the history reader that reads
// back what the writer wrote, skips and counts what it cannot read, and reads only a file's tail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/utf8.h"
#include "engine/band_edges.h"
#include "records/csv.h"
#include "records/record_history.h"
#include "records/record_lines.h"
#include "screen/history_chart.h"
#include "screen/record_texts.h"
#include "tests/tool_programs.h"

namespace {

std::wstring cell(const wchar_t* text, bool typed) {
    wchar_t dest[256] = L"";
    TextSink sink = {dest, 256, 0};
    if (typed)
        csv_append_typed_cell(sink, text);
    else
        csv_append_cell(sink, text);
    return dest;
}

TEST(RecordCsv, EachKindOfCell) {
    struct Case {
        const wchar_t* text;
        bool typed;
        const wchar_t* written;
    };
    const Case cases[] = {
        {L"张三", false, L"张三"},
        {L"", false, L""},
        {L"a,b", false, L"\"a,b\""},
        {L"他说\"好\"", false, L"\"他说\"\"好\"\"\""},
        {L"一\r\n二", false, L"\"一\r\n二\""},
        {L"一\n", false, L"\"一\n\""},
        {L"=1+1", false, L"=1+1"}, // only a typed text is guarded
        {L"=HYPERLINK(\"x\")", true, L"\"'=HYPERLINK(\"\"x\"\")\""},
        {L"+86", true, L"'+86"},
        {L"-3", true, L"'-3"},
        {L"@SUM", true, L"'@SUM"},
        {L"\tx", true, L"'\tx"},
        {L"'=x", true, L"''=x"},
        {L"'abc", true, L"''abc"},
        {L"12床", true, L"12床"},
        {L"a=b", true, L"a=b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cell(c.text, c.typed), c.written) << c.text;
        if (!c.typed) continue;
        // Read back as typed.
        wchar_t back[256];
        text_copy(back, 256, c.written[0] == L'"' ? L"" : c.written);
        if (c.written[0] != L'"') {
            csv_typed_text(back);
            EXPECT_STREQ(back, c.text);
        }
    }
}

PatientFields patient(const wchar_t* bed, const wchar_t* number, const wchar_t* name,
                      const wchar_t* assessor) {
    PatientFields fields;
    patient_fields_clear(&fields);
    const wchar_t* texts[] = {bed, number, name, assessor};
    for (int f = 0; f < PATIENT_FIELD_COUNT; ++f)
        text_copy(fields.text[f], PATIENT_FIELD_CAPACITY, texts[f]);
    return fields;
}

// A record file's bytes: records appended one after the other as the window saves them.
class RecordFile {
  public:
    explicit RecordFile(const ToolDef& tool) : tool_(tool) {
        static wchar_t header[RECORD_HEADER_CAPACITY];
        build_record_header(tool, header, RECORD_HEADER_CAPACITY);
        bytes_ = "\xEF\xBB\xBF" + utf8(header);
    }
    // The headline that the record carries is the number its result shows after "：".
    void add(const PatientFields& who, int level, const wchar_t* result, int second = 0) {
        const double values[TOOL_MAX_INPUTS] = {3, 2, 2, 2, 2, 2};
        const RecordEntry entry = {{2026, 12, 9, 8, 0, second},
                                   values,
                                   result,
                                   level,
                                   L"中危，观察",
                                   &who,
                                   L"00000000-0000-4000-8000-000000000000",
                                   result_number(result)};
        static wchar_t line[RECORD_LINE_CAPACITY];
        ASSERT_TRUE(build_record(tool_, entry, line, RECORD_LINE_CAPACITY));
        bytes_ += utf8(line);
    }
    void add_raw(const std::string& raw) { bytes_ += raw; }
    History read(const PatientFields& who, std::size_t from = 0) const {
        static History history;
        history_read(tool_, who, bytes_.data() + from, bytes_.size() - from, from == 0, &history);
        return history;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    static std::string utf8(const wchar_t* text) {
        static char bytes[RECORD_UTF8_CAPACITY];
        EXPECT_GE(utf8_from_wide(text, bytes, RECORD_UTF8_CAPACITY), 0);
        return bytes;
    }
    const ToolDef& tool_;
    std::string bytes_;
};

// Patient texts with commas, quotes, line-start formula characters and CJK, and results with
// line breaks, come back exactly as they were written.
TEST(RecordHistory, ReadsBackWhatTheWriterWrote) {
    const wchar_t* pieces[] = {L",", L"\"", L"=", L"'", L"张", L"a", L"+", L"@", L"；", L"-"};
    int checked = 0;
    for (const wchar_t* a : pieces) {
        for (const wchar_t* b : pieces) {
            const std::wstring bed = std::wstring(a) + b + L"床";
            const std::wstring name = std::wstring(b) + L"王" + a;
            const std::wstring assessor = std::wstring(a) + a + L"护士" + b;
            const std::wstring result = L"Braden 总分：1" +
                                        std::wstring(b == pieces[0] ? L"2" : L"3") + L" 分" + a +
                                        L"\r\n第二行" + b + L"\r\n";
            RecordFile file(braden_tool);
            const PatientFields who = patient(bed.c_str(), L"", name.c_str(), assessor.c_str());
            file.add(who, 2, result.c_str());
            file.add(patient(L"别床", L"", L"", L""), 1, L"Braden 总分：9 分\r\n");
            const History history = file.read(who);
            ASSERT_EQ(history.count, 1) << bed.size();
            EXPECT_EQ(history.skipped, 0);
            EXPECT_FALSE(history.older_not_read);
            const HistoryRecord& r = history.records[0];
            EXPECT_STREQ(r.time, L"2026-12-09 08:00:00");
            EXPECT_EQ(r.level, 2);
            EXPECT_STREQ(r.verdict, L"中危，观察");
            EXPECT_EQ(r.first_line, result.substr(0, result.find(L'\r')));
            EXPECT_EQ(r.assessor, assessor);
            EXPECT_TRUE(r.has_value);
            EXPECT_EQ(r.value, b == pieces[0] ? 12 : 13);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 100);
}

// By inpatient number when one is given, whatever the bed; without one, by the bed and the name
// together among the records without a number, never by a bed alone, whose earlier occupant's
// records lie under it. Newest first, at most 20.
TEST(RecordHistory, MatchesByNumberElseBedAndName) {
    RecordFile file(braden_tool);
    for (int i = 0; i < 25; ++i) {
        const std::wstring result = L"Braden 总分：" + std::to_wstring(i) + L" 分\r\n";
        file.add(patient(i % 2 == 0 ? L"12" : L"13", L"Z1", L"张三", L""), 0, result.c_str(), i);
    }
    file.add(patient(L"12", L"Z2", L"张三", L""), 0, L"Braden 总分：99 分\r\n");
    file.add(patient(L"12", L"", L"王五", L""), 3, L"Braden 总分：8 分\r\n");
    file.add(patient(L"12", L"", L"张三", L""), 1, L"Braden 总分：14 分\r\n");
    const History by_number = file.read(patient(L"99", L"Z1", L"", L""));
    ASSERT_EQ(by_number.count, HISTORY_MAX_RECORDS);
    for (int k = 0; k < HISTORY_MAX_RECORDS; ++k) EXPECT_EQ(by_number.records[k].value, 24 - k);
    const History by_bed_and_name = file.read(patient(L"12", L"", L"张三", L""));
    ASSERT_EQ(by_bed_and_name.count, 1) << "not the numbered patients, not 王五";
    EXPECT_EQ(by_bed_and_name.records[0].value, 14);
    EXPECT_EQ(file.read(patient(L"12", L"", L"", L"")).count, 0) << "a bed alone is no patient";
    EXPECT_EQ(file.read(patient(L"", L"", L"张三", L"")).count, 0) << "a name alone is none";
    EXPECT_FALSE(history_has_key(patient(L"", L"", L"张三", L"我")));
    EXPECT_FALSE(history_has_key(patient(L"12", L"", L"", L"我")));
    EXPECT_TRUE(history_has_key(patient(L"12", L"", L"张三", L"")));
}

// Records of the old form (unquoted, their result over several lines), a line that does not
// parse and a quoted cell that never closes are skipped and counted once each.
TEST(RecordHistory, OldAndBrokenRecordsAreSkippedAndCounted) {
    RecordFile file(braden_tool);
    const PatientFields who = patient(L"12", L"", L"张三", L"");
    file.add_raw("2026-12-01 08:00:00,Braden,a=1,Braden 总分：13 分\r\n\r\n");
    file.add_raw(
        "2026-12-01 09:00:00,NEWS2,a=1,呼吸评分：0 分\r\n血氧评分：0 分\r\n总分：0 分\r\n");
    file.add(who, 1, L"Braden 总分：13 分\r\n");
    file.add_raw("garbage\r\n");
    file.add_raw("2026-12-02 08:00:00,Braden,1,2,3,4,5,6,结果,7,结论,12,,,\r\n"); // level 7
    file.add(who, 2, L"Braden 总分：11 分\r\n");
    file.add_raw("2026-12-03 08:00:00,Braden,\"never closed\r\n");
    const History history = file.read(who);
    ASSERT_EQ(history.count, 2);
    EXPECT_EQ(history.records[0].value, 11);
    EXPECT_EQ(history.skipped, 5) << "two old records, garbage, a bad level, an open quote";
    wchar_t last[HISTORY_LAST_LINE_CAPACITY];
    build_history_last_line(history, nullptr, last, HISTORY_LAST_LINE_CAPACITY);
    EXPECT_NE(std::wstring(last).find(L"另有 5 条旧格式或无法读取的记录未显示"),
              std::wstring::npos);
}

// A file whose first line opens a quote that never closes: nothing to show, one line skipped.
TEST(RecordHistory, AFileThatOpensAQuoteAtOnce) {
    const PatientFields who = patient(L"12", L"", L"张三", L"");
    for (const std::string bytes : {"\"open", "\xEF\xBB\xBF\"open\r\n12,", "a,\"b"}) {
        static History history;
        history_read(braden_tool, who, bytes.data(), bytes.size(), true, &history);
        EXPECT_EQ(history.count, 0);
        EXPECT_EQ(history.skipped, 1) << bytes;
    }
}

// A tail that starts inside a record, even inside a quoted result with line breaks, begins at the
// next record; the older part is said to be unread.
TEST(RecordHistory, ATailStartsAtTheNextRecord) {
    RecordFile file(braden_tool);
    const PatientFields who = patient(L"12", L"", L"张三", L"");
    const std::size_t first = file.bytes().size();
    file.add(who, 1, L"Braden 总分：13 分\r\n\"quoted\", \"inner\"\r\nmore\r\n");
    const std::size_t second = file.bytes().size();
    file.add(who, 2, L"Braden 总分：11 分\r\n");
    file.add(who, 3, L"Braden 总分：8 分\r\n");
    for (std::size_t from = first + 1; from < second; ++from) {
        const History history = file.read(who, from);
        ASSERT_EQ(history.count, 2) << from;
        EXPECT_EQ(history.records[1].value, 11);
        EXPECT_TRUE(history.older_not_read);
    }
    // One that starts right at the tail is not known to follow a line break: it counts as cut.
    EXPECT_EQ(file.read(who, second).count, 1);
    EXPECT_EQ(file.read(who, second - 1).count, 2);
}

TEST(RecordHistory, BandEdgesOfTheRules) {
    struct Case {
        const char* program;
        std::vector<double> edges;
    };
    const Case cases[] = {
        {"braden", {9.5, 12.5, 14.5}},  // the rules sum the inputs themselves
        {"gcs", {8.5, 12.5, 14.5}},     // they compare the headline
        {"bmi", {18.45, 23.95, 27.95}}, // at the 0.1 its format shows
        {"pain-nrs", {0.5, 3.5, 6.5}},  // the headline is an input's copy
        {"news2", {4.5, 6.5}},          // a single parameter's 3 is no band of the total
        {"shift-rotation", {}},         // a report
    };
    for (const Case& c : cases) {
        for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
            if (std::string(TOOL_PROGRAMS[p].name) != c.program) continue;
            double edges[BAND_EDGES_MAX];
            const int count = rule_band_edges(*TOOL_PROGRAMS[p].tool, edges, BAND_EDGES_MAX);
            EXPECT_EQ(std::vector<double>(edges, edges + count), c.edges) << c.program;
        }
    }
}

// The chart's value axis is labelled where each band edge's line is drawn and at the bottom and top
// of the range; the points carry their values in the headline's format, oldest left, and the first
// and last dates stand under them. A record without a value is no point.
TEST(HistoryChart, LabelsAtTheBandEdges) {
    const struct {
        const char* program;
        std::vector<double> values; // newest first, as the history holds them; NaN: no value
        std::vector<std::pair<std::wstring, int>> axis;
        std::vector<std::wstring> points;
    } cases[] = {
        // Braden's edges 9.5, 12.5 and 14.5; the lowest edge is the bottom, labelled once.
        {"braden",
         {14, NAN, 12, 16},
         {{L"9.5", 100}, {L"12.5", 54}, {L"14.5", 23}, {L"16", 0}},
         {L"16", L"12", L"14"}},
        // A value beyond every edge widens the range; BMI's points at its one decimal.
        {"bmi",
         {31.26, 17.04},
         {{L"17.04", 100}, {L"18.45", 90}, {L"23.95", 51}, {L"27.95", 23}, {L"31.26", 0}},
         {L"17.0", L"31.3"}},
    };
    for (const auto& c : cases) {
        const ToolDef& tool = program(c.program);
        double edges[BAND_EDGES_MAX];
        const int edge_count = rule_band_edges(tool, edges, BAND_EDGES_MAX);
        static History history;
        history = {};
        for (const double value : c.values) {
            HistoryRecord& record = history.records[history.count];
            text_format(record.time, HISTORY_TIME_CAPACITY, L"2026-12-%02d 08:00:00",
                        10 - history.count);
            record.has_value = !std::isnan(value);
            record.value = record.has_value ? value : 0;
            ++history.count;
        }
        ChartPlan plan;
        plan_history_chart(history, tool.outputs[tool_headline_index(tool)], edges, edge_count, 100,
                           0, 300, 100, &plan);
        std::vector<std::pair<std::wstring, int>> axis;
        for (int a = 0; a < plan.axis_count; ++a) {
            axis.emplace_back(plan.axis[a].text, plan.axis[a].y);
            EXPECT_EQ(plan.axis[a].x, 100) << c.program;
        }
        EXPECT_EQ(axis, c.axis) << c.program;
        ASSERT_EQ(plan.edge_count, edge_count);
        for (int e = 0; e < edge_count; ++e) {
            const bool labelled = std::any_of(axis.begin(), axis.end(), [&](const auto& a) {
                return a.second == plan.edge_y[e];
            });
            EXPECT_TRUE(labelled) << c.program << " edge " << edges[e];
        }
        std::vector<std::wstring> points;
        for (int i = 0; i < plan.point_count; ++i) points.emplace_back(plan.points[i].text);
        EXPECT_EQ(points, c.points) << c.program;
        EXPECT_EQ(plan.points[0].x, 100);
        EXPECT_EQ(plan.points[plan.point_count - 1].x, 300);
        const int oldest = static_cast<int>(c.values.size()) - 1;
        EXPECT_EQ(std::wstring(plan.first_date.text), L"2026-12-0" + std::to_wstring(10 - oldest))
            << c.program;
        EXPECT_STREQ(plan.last_date.text, L"2026-12-10") << c.program;
    }
    // One value and no edges: a range of 1 each way, the point in the middle, no second date.
    static History one;
    one = {};
    one.count = 1;
    text_copy(one.records[0].time, HISTORY_TIME_CAPACITY, L"2026-12-09 08:00:00");
    one.records[0].has_value = true;
    one.records[0].value = 7;
    ChartPlan plan;
    plan_history_chart(one, program("braden").outputs[0], nullptr, 0, 0, 0, 200, 100, &plan);
    ASSERT_EQ(plan.axis_count, 2);
    EXPECT_STREQ(plan.axis[0].text, L"6");
    EXPECT_STREQ(plan.axis[1].text, L"8");
    ASSERT_EQ(plan.point_count, 1);
    EXPECT_EQ(plan.points[0].x, 100);
    EXPECT_EQ(plan.points[0].y, 50);
    EXPECT_STREQ(plan.first_date.text, L"2026-12-09");
    EXPECT_STREQ(plan.last_date.text, L"");
}

} // namespace
