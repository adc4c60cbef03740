// The ward overview over generated record files: who is one patient, which record is a tool's
// latest, the last 30 days, the order of beds, the highest level, the export, and how far back a
// file's tail must reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/utf8.h"
#include "records/record_lines.h"
#include "records/record_scan.h"
#include "tests/tool_programs.h"
#include "toolbox/ward_overview.h"

namespace {

struct Saved {
    LocalTime time;
    const wchar_t* bed;
    const wchar_t* number;
    const wchar_t* name;
    int level;
    const wchar_t* result;
};

// A record file of the tool as Save writes it: mark, header, one record per entry.
std::string record_file(const ToolDef& tool, const std::vector<Saved>& saves) {
    wchar_t line[4096];
    build_record_header(tool, line, 4096);
    std::wstring text = line;
    const double values[16] = {3, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const Saved& s : saves) {
        PatientFields patient = {};
        std::wcscpy(patient.text[PATIENT_BED], s.bed);
        std::wcscpy(patient.text[PATIENT_NUMBER], s.number);
        std::wcscpy(patient.text[PATIENT_NAME], s.name);
        std::wcscpy(patient.text[PATIENT_ASSESSOR], L"李护士");
        const RecordEntry entry = {s.time,  values,   s.result, s.level,
                                   L"结论", &patient, L"",      result_number(s.result)};
        EXPECT_TRUE(build_record(tool, entry, line, 4096));
        text += line;
    }
    std::string bytes(text.size() * 4 + 4, '\0');
    bytes.resize(static_cast<std::size_t>(
        utf8_from_wide(text.c_str(), &bytes[0], static_cast<int>(bytes.size()))));
    return "\xEF\xBB\xBF" + bytes;
}

void add(WardOverview* overview, int column, const std::string& bytes, const wchar_t* since) {
    const ToolDef& tool = program(OVERVIEW_PROGRAMS[column]);
    overview_add(overview, column, tool, bytes.data(), bytes.size(), true, since);
}

const OverviewPatient* find(const WardOverview& overview, const wchar_t* name) {
    for (int i = 0; i < overview.count; ++i)
        if (std::wstring(overview.patients[i].name) == name) return &overview.patients[i];
    return nullptr;
}

TEST(WardOverview, OneRowPerPatientWithEachToolsLatestRecord) {
    static WardOverview overview;
    overview_clear(&overview);
    const std::string braden = record_file(
        program("braden"),
        {
            {{2026, 12, 1, 9, 0, 0}, L"5", L"ZY1", L"张三", 1, L"Braden 总分：13 分\r\n"},
            {{2026, 12, 8, 9, 0, 0}, L"12", L"ZY1", L"张三", 2, L"Braden 总分：11 分\r\n"},
            // Saved later on another PC with an earlier clock: the latest, by the file's order,
            // flagged, and naming no bed.
            {{2026, 12, 7, 9, 0, 0}, L"14", L"ZY1", L"张三", 0, L"Braden 总分：19 分\r\n"},
            {{2026, 12, 8, 10, 0, 0}, L"3", L"", L"王五", 0, L"Braden 总分：20 分\r\n"},
            // The same bed and name without a number is one patient; a bed alone is none.
            {{2026, 12, 9, 8, 0, 0}, L"3", L"", L"王五", 1, L"Braden 总分：14 分\r\n"},
            {{2026, 12, 9, 8, 30, 0}, L"7", L"", L"", 3, L"Braden 总分：8 分\r\n"},
            // Older than the last 30 days.
            {{2026, 11, 8, 23, 59, 59}, L"9", L"ZY9", L"赵六", 3, L"Braden 总分：7 分\r\n"},
        });
    const std::string morse = record_file(
        program("morse-fall"),
        {{{2026, 11, 9, 0, 0, 0}, L"12", L"ZY1", L"张三", 3, L"Morse 总分：60 分\r\n"}});
    wchar_t since[16];
    overview_since(2026, 12, 9, since, 16);
    EXPECT_STREQ(since, L"2026-11-09");
    add(&overview, 0, braden, since);
    add(&overview, 1, morse, since);
    overview_sort(&overview);

    ASSERT_EQ(overview.count, 2);
    EXPECT_EQ(overview.unidentified, 1);
    const OverviewPatient* zhang = find(overview, L"张三");
    const OverviewPatient* wang = find(overview, L"王五");
    ASSERT_NE(zhang, nullptr);
    ASSERT_NE(wang, nullptr);
    EXPECT_STREQ(zhang->bed, L"12") << "the newest record names the bed";
    EXPECT_STREQ(zhang->entries[0].value, L"19 分");
    EXPECT_EQ(zhang->entries[0].level, 0);
    EXPECT_STREQ(zhang->entries[0].time, L"2026-12-07 09:00:00");
    EXPECT_TRUE(zhang->entries[0].time_anomalous);
    EXPECT_TRUE(zhang->entries[1].present) << "30 days back, to the day, is in";
    EXPECT_EQ(zhang->highest_level, 3) << "the Morse record is the row's highest";
    EXPECT_FALSE(zhang->entries[2].present);
    EXPECT_STREQ(wang->entries[0].value, L"14 分");
    EXPECT_EQ(wang->highest_level, 1);
    EXPECT_EQ(find(overview, L"赵六"), nullptr);
    // Bed 3 before bed 12.
    EXPECT_EQ(&overview.patients[0], wang);
}

TEST(WardOverview, BedsInTheirNumericOrder) {
    static WardOverview overview;
    overview_clear(&overview);
    const wchar_t* beds[] = {L"12", L"", L"加1", L"3A", L"10", L"3", L"02"};
    std::vector<Saved> saves;
    int n = 0;
    for (const wchar_t* bed : beds) {
        static wchar_t numbers[8][8];
        std::swprintf(numbers[n], 8, L"N%d", n);
        saves.push_back(
            {{2026, 12, 9, 8, n, 0}, bed, numbers[n], L"某", 0, L"Braden 总分：20 分\r\n"});
        ++n;
    }
    add(&overview, 0, record_file(program("braden"), saves), L"2026-11-09");
    overview_sort(&overview);
    std::vector<std::wstring> order;
    for (int i = 0; i < overview.count; ++i) order.push_back(overview.patients[i].bed);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"02", L"3", L"3A", L"10", L"12", L"加1", L""}));
}

TEST(WardOverview, TheExportIsOneSpreadsheetRowPerPatient) {
    static WardOverview overview;
    overview_clear(&overview);
    add(&overview, 0,
        record_file(
            program("braden"),
            {{{2026, 12, 9, 8, 0, 0}, L"=1", L"ZY1", L"张,三", 2, L"Braden 总分：11 分\r\n"}}),
        L"2026-11-09");
    const ToolDef* tools[OVERVIEW_TOOL_COUNT];
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) tools[t] = &program(OVERVIEW_PROGRAMS[t]);
    static wchar_t csv[65536];
    ASSERT_TRUE(overview_csv(overview, tools, csv, 65536));
    const std::wstring text = csv;
    const std::size_t header_end = text.find(L"\r\n");
    EXPECT_EQ(text.substr(0, 40).rfind(
                  L"床号,住院号,姓名,Braden 压疮风险评估,Braden 压疮风险评估 等级", 0),
              0u);
    // The row: the bed guarded against a formula, the name quoted, the Braden cells, then two
    // commas for each tool without a record.
    const std::wstring row = text.substr(header_end + 2);
    EXPECT_EQ(row.rfind(L"'=1,ZY1,\"张,三\",11 分,2,2026-12-09,,,", 0), 0u) << row;
    EXPECT_EQ(row.substr(row.size() - 2), L"\r\n");
    // Every cell is guarded, not only the typed ones: a record without a headline shows its
    // result's first line, which a file on the share can make anything.
    add(&overview, 1,
        record_file(program("morse-fall"), {{{2026, 12, 9, 9, 0, 0},
                                             L"=1",
                                             L"ZY1",
                                             L"张,三",
                                             1,
                                             L"=HYPERLINK(\"http://x\")\r\n"}}),
        L"2026-11-09");
    ASSERT_TRUE(overview_csv(overview, tools, csv, 65536));
    EXPECT_NE(std::wstring(csv).find(L",\"'=HYPERLINK(\"\"http://x\"\")\",1,2026-12-09,"),
              std::wstring::npos)
        << csv;
    // Too small a buffer: refused, not cut.
    EXPECT_FALSE(overview_csv(overview, tools, csv, 64));
}

TEST(WardOverview, MorePatientsThanRowsAreCountedNotShown) {
    static WardOverview overview;
    overview_clear(&overview);
    std::vector<Saved> saves;
    static wchar_t numbers[OVERVIEW_MAX_PATIENTS + 3][12];
    for (int n = 0; n < OVERVIEW_MAX_PATIENTS + 3; ++n) {
        std::swprintf(numbers[n], 12, L"ZY%d", n);
        saves.push_back(
            {{2026, 12, 9, 8, 0, 0}, L"1", numbers[n], L"某", 0, L"Braden 总分：20 分\r\n"});
    }
    add(&overview, 0, record_file(program("braden"), saves), L"2026-11-09");
    EXPECT_EQ(overview.count, OVERVIEW_MAX_PATIENTS);
    EXPECT_EQ(overview.not_shown, 3);

    // Admitted one after the other: the patients left out are the oldest by their latest record,
    // never the newest admissions, and they are counted.
    overview_clear(&overview);
    for (int n = 0; n < OVERVIEW_MAX_PATIENTS + 3; ++n)
        saves[static_cast<std::size_t>(n)].time = {2026, 12, 9, 8 + n / 60, n % 60, 0};
    add(&overview, 0, record_file(program("braden"), saves), L"2026-11-09");
    EXPECT_EQ(overview.count, OVERVIEW_MAX_PATIENTS);
    EXPECT_EQ(overview.not_shown, 3);
    EXPECT_EQ(overview.patients_not_shown, 3);
    std::vector<std::wstring> numbers_shown;
    for (int i = 0; i < overview.count; ++i) numbers_shown.push_back(overview.patients[i].number);
    for (int n : {0, 1, 2})
        EXPECT_EQ(std::count(numbers_shown.begin(), numbers_shown.end(), numbers[n]), 0) << n;
    for (int n : {3, OVERVIEW_MAX_PATIENTS + 2})
        EXPECT_EQ(std::count(numbers_shown.begin(), numbers_shown.end(), numbers[n]), 1) << n;
}

TEST(WardOverview, ATailReachesBackWhenItsFirstRecordIsOlderThanTheDays) {
    const std::string file =
        record_file(program("braden"),
                    {
                        {{2026, 11, 1, 9, 0, 0}, L"1", L"ZY1", L"甲", 0, L"Braden 总分：20 分\r\n"},
                        {{2026, 11, 9, 9, 0, 0}, L"1", L"ZY1", L"甲", 0, L"Braden 总分：20 分\r\n"},
                        {{2026, 12, 1, 9, 0, 0}, L"1", L"ZY1", L"甲", 0, L"Braden 总分：20 分\r\n"},
                    });
    const std::size_t second = file.find("\n2026-11-09");
    const std::size_t third = file.find("\n2026-12-01");
    ASSERT_NE(third, std::string::npos);
    const struct {
        std::size_t first_whole; // the tail starts 5 bytes before this record's line break
        const wchar_t* since;
        bool reaches;
    } cases[] = {
        {second, L"2026-11-10", true},  // its first whole record is older than since
        {second, L"2026-11-09", false}, // on since itself: that day may begin before it
        {third, L"2026-11-09", false},
    };
    for (const auto& c : cases) {
        const std::size_t from = c.first_whole - 5;
        EXPECT_EQ(record_tail_reaches(file.data() + from, file.size() - from, false, c.since),
                  c.reaches)
            << from;
    }
    EXPECT_TRUE(record_tail_reaches(file.data(), file.size(), true, L"2026-11-09"));
}

// The toolbox offers the ward's patients newest first; patients of the same time keep the rows'
// order, and no more are written than the caller holds.
TEST(WardOverview, NewestPatientsFirst) {
    static WardOverview overview;
    overview_clear(&overview);
    const wchar_t* latest[] = {L"2026-12-01 08:00:00", L"2026-12-09 10:00:00",
                               L"2026-12-09 09:59:59", L"2026-12-09 10:00:00"};
    for (const wchar_t* time : latest)
        std::wcscpy(overview.patients[overview.count++].latest, time);
    int order[OVERVIEW_MAX_PATIENTS];
    ASSERT_EQ(overview_newest_first(overview, order, OVERVIEW_MAX_PATIENTS), 4);
    EXPECT_EQ(std::vector<int>(order, order + 4), (std::vector<int>{1, 3, 2, 0}));
    EXPECT_EQ(overview_newest_first(overview, order, 2), 2);
    EXPECT_EQ(std::vector<int>(order, order + 2), (std::vector<int>{1, 3})) << "the newest two";
}

TEST(WardOverview, TheColumnsAreProgramsOfTheCatalog) {
    for (const char* name : OVERVIEW_PROGRAMS) {
        const ToolDef& tool = program(name);
        EXPECT_EQ(tool.report_kind, 0) << name << " is an assessment, not a report";
    }
}

} // namespace
