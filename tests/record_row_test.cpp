// The record as data: a record saved through the real writer is read back by every reader with its
// headline value, whatever header the file began with; the record id; and the tail reader with a
// fault at every step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/text.h"
#include "records/record_append.h"
#include "records/record_history.h"
#include "records/record_id.h"
#include "records/record_lines.h"
#include "records/record_scan.h"
#include "records/record_tail.h"
#include "screen/calc_session.h"
#include "screen/record_texts.h"
#include "tests/memory_record_file.h"
#include "tests/tool_programs.h"
#include "toolbox/ward_overview.h"

namespace {

PatientFields who(const wchar_t* bed, const wchar_t* number, const wchar_t* name) {
    PatientFields fields;
    patient_fields_clear(&fields);
    text_copy(fields.text[PATIENT_BED], PATIENT_FIELD_CAPACITY, bed);
    text_copy(fields.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, number);
    text_copy(fields.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, name);
    text_copy(fields.text[PATIENT_ASSESSOR], PATIENT_FIELD_CAPACITY, L"李护士");
    return fields;
}

// Calculates the tool on the typed texts and saves the record as the window does. The outcome is
// the session's.
const CalcOutcome& save(MemoryRecordFile* file, const ToolDef& tool,
                        const std::vector<const wchar_t*>& texts, const PatientFields& patient,
                        const wchar_t* id, int minute = 0) {
    static CalcSession session;
    session_start(&session, &tool);
    EXPECT_EQ(session_calculate(&session, texts.data()), -1);
    static wchar_t header[RECORD_HEADER_CAPACITY];
    static wchar_t line[RECORD_LINE_CAPACITY];
    build_record_header(tool, header, RECORD_HEADER_CAPACITY);
    EXPECT_TRUE(session_record_line(session, {2026, 12, 9, 8, minute, 0}, patient, id, line,
                                    RECORD_LINE_CAPACITY));
    EXPECT_TRUE(record_append(file->ops(), header, line));
    return session.outcome;
}

const History& history_of(const ToolDef& tool, const std::string& bytes,
                          const PatientFields& patient) {
    static History history;
    history_read(tool, patient, bytes.data(), bytes.size(), true, &history);
    return history;
}

const OverviewEntry& overview_entry(const ToolDef& tool, const std::string& bytes) {
    static WardOverview overview;
    overview_clear(&overview);
    overview_add(&overview, 0, tool, bytes.data(), bytes.size(), true, L"2026-11-09");
    EXPECT_EQ(overview.count, 1);
    return overview.patients[0].entries[0];
}

// The number a record stands for is its headline, never the result's first line: NEWS2's first
// line is its breathing sub-score.
TEST(RecordRow, EveryReaderShowsTheHeadline) {
    struct Case {
        const char* program;
        std::vector<const wchar_t*> texts;
        const wchar_t* shown;
        int level;
    };
    const Case cases[] = {
        {"news2", {L"25", L"95", L"0", L"1", L"105", L"115", L"0", L"39.5"}, L"9 分", 3},
        {"braden", {L"2", L"2", L"2", L"2", L"2", L"2"}, L"12 分", 2},
        {"gcs", {L"2", L"2", L"4"}, L"8 分", 3},
        {"bmi", {L"170", L"53.3"}, L"18.4 kg/m²", 1},
    };
    for (const Case& c : cases) {
        const ToolDef& tool = program(c.program);
        MemoryRecordFile file;
        const PatientFields patient = who(L"12", L"Z0012", L"张三");
        const CalcOutcome& outcome =
            save(&file, tool, c.texts, patient, L"11111111-2222-4333-8444-555555555555");
        const double headline = outcome.headline;
        EXPECT_EQ(outcome.level, c.level) << c.program;
        const History& history = history_of(tool, file.bytes, patient);
        ASSERT_EQ(history.count, 1) << c.program;
        EXPECT_TRUE(history.records[0].has_value) << c.program;
        EXPECT_EQ(history.records[0].value, headline) << c.program;
        const OverviewEntry& entry = overview_entry(tool, file.bytes);
        EXPECT_STREQ(entry.value, c.shown) << c.program;
        EXPECT_EQ(entry.level, c.level) << c.program;
    }
}

// Headers of every earlier version, with today's records appended by the writer (which never
// rewrites a header): each cell is found by its name, those past the header's end in today's
// order. A record of the version before carries no headline: it is calculated again from its
// inputs, and one whose inputs cannot be read shows its result's first line and no number.
TEST(RecordRow, FilesOfEarlierVersionsAreReadByTheirHeader) {
    const ToolDef& braden = program("braden");
    const std::string labels = "感觉 1-4,潮湿 1-4,活动 1-4,移动 1-4,营养 1-4,摩擦力 1-3";
    const std::string old_record =
        "2026-12-01 08:00:00,Braden 压疮风险评估,感觉 1-4=1,潮湿 1-4=2,活动 1-4=2,移动 1-4=2,"
        "营养 1-4=2,摩擦力 1-3=1,Braden 总分：10 分,2,高危,12,Z0012,张三,王护士\r\n";
    const std::string unreadable =
        "2026-12-02 08:00:00,Braden 压疮风险评估,感觉 1-4=--,潮湿 1-4=2,活动 1-4=2,移动 1-4=2,"
        "营养 1-4=2,摩擦力 1-3=1,Braden 总分：-- 分,2,高危,12,Z0012,张三,王护士\r\n";
    const struct {
        std::string header;
        std::string before; // records of the version the header belongs to
        int older_count;
    } files[] = {
        {"时间,工具," + labels + ",结果\r\n", "", 0},
        {"时间,工具," + labels + ",结果,等级,结论,床号,住院号,姓名,评估者\r\n",
         old_record + unreadable, 2},
        {"时间,工具," + labels + ",结果,等级,结论,床号,住院号,姓名,评估者,记录号,主要结果\r\n", "",
         0},
    };
    for (const auto& f : files) {
        MemoryRecordFile file;
        file.bytes = "\xEF\xBB\xBF" + f.header + f.before;
        const PatientFields patient = who(L"12", L"Z0012", L"张三");
        const wchar_t* id = L"aaaaaaaa-bbbb-4ccc-9ddd-eeeeeeeeeeee";
        save(&file, braden, {L"1", L"1", L"2", L"2", L"2", L"1"}, patient, id, 30);
        EXPECT_EQ(file.bytes.rfind("\xEF\xBB\xBF" + f.header, 0), 0u) << "the header stays";

        const History& history = history_of(braden, file.bytes, patient);
        ASSERT_EQ(history.count, 1 + f.older_count) << f.header;
        EXPECT_EQ(history.skipped, 0);
        const HistoryRecord& today = history.records[0];
        EXPECT_STREQ(today.time, L"2026-12-09 08:30:00");
        EXPECT_EQ(today.level, 3);
        EXPECT_STREQ(today.verdict, L"极高危，使用减压床垫并每 2 小时翻身");
        EXPECT_STREQ(today.assessor, L"李护士");
        EXPECT_EQ(today.value, 9);
        if (f.older_count > 0) {
            EXPECT_TRUE(history.records[2].has_value) << "calculated again from its inputs";
            EXPECT_EQ(history.records[2].value, 10);
            EXPECT_STREQ(history.records[2].assessor, L"王护士");
            EXPECT_FALSE(history.records[1].has_value) << "a -- input is no number";
            EXPECT_STREQ(history.records[1].first_line, L"Braden 总分：-- 分");
        }

        // Every named cell of today's record, read through a tail that does not start at the
        // header: the header comes from the file's head.
        RecordScan scan;
        const std::size_t from = file.bytes.rfind("\n2026-12-09") - 3;
        record_scan_start(&scan, braden, file.bytes.data() + from, file.bytes.size() - from, false,
                          file.bytes.data(), f.header.size() + 3);
        RecordRow row;
        ASSERT_TRUE(record_scan_next(&scan, &row));
        const struct {
            RecordColumn column;
            const wchar_t* text;
        } cells[] = {
            {COLUMN_TOOL, L"Braden 压疮风险评估"},
            {COLUMN_BED, L"12"},
            {COLUMN_NUMBER, L"Z0012"},
            {COLUMN_NAME, L"张三"},
            {COLUMN_RECORD_ID, id},
            {COLUMN_HEADLINE, L"9"},
        };
        for (const auto& c : cells) {
            wchar_t text[64];
            record_row_text(row, c.column, false, text, 64);
            EXPECT_STREQ(text, c.text) << f.header << " column " << c.column;
        }
        EXPECT_EQ(row.input_count, 6);
        EXPECT_FALSE(record_scan_next(&scan, &row));
    }
}

// What is no record is skipped and counted: more cells than the file's records have, a headline
// that is no number, a grade out of range. A "--" is never plotted as 0.
TEST(RecordRow, WhatIsNoRecordOrNoNumber) {
    const ToolDef& braden = program("braden");
    MemoryRecordFile file;
    const PatientFields patient = who(L"12", L"Z0012", L"张三");
    save(&file, braden, {L"2", L"2", L"2", L"2", L"2", L"2"}, patient, L"id-1");
    const std::string good = file.bytes.substr(file.bytes.find("2026-12-09"));
    const std::string body = good.substr(0, good.size() - 2); // without CR LF
    const std::string no_number = body.substr(0, body.rfind(',') + 1);
    file.bytes += body + ",extra\r\n";  // one cell more than a record has
    file.bytes += no_number + "--\r\n"; // a headline that is no number
    file.bytes += no_number + "\r\n";   // none at all
    const History& history = history_of(braden, file.bytes, patient);
    EXPECT_EQ(history.skipped, 1);
    ASSERT_EQ(history.count, 3);
    EXPECT_FALSE(history.records[0].has_value);
    EXPECT_FALSE(history.records[1].has_value);
    EXPECT_TRUE(history.records[2].has_value);
    EXPECT_EQ(history.records[2].value, 12);
    EXPECT_STREQ(overview_entry(braden, file.bytes).value, L"Braden 总分：12 分")
        << "the latest has no number: its result's first line";
}

// A record cut inside its quoted result, then four Saves: each lands whole after the sealed
// fragment, which every reader skips and counts.
TEST(RecordRow, SavesAfterATornRecordAreRead) {
    const ToolDef& news2 = program("news2");
    MemoryRecordFile file;
    const PatientFields patient = who(L"12", L"Z0012", L"张三");
    const std::vector<const wchar_t*> scores = {L"25",  L"95",  L"0", L"1",
                                                L"105", L"115", L"0", L"39.5"};
    save(&file, news2, scores, patient, L"first");
    const std::size_t result = file.bytes.rfind(",\"");
    ASSERT_NE(result, std::string::npos);
    file.bytes.resize(result + 12); // inside the quoted result
    for (int minute = 1; minute <= 4; ++minute)
        save(&file, news2, scores, patient, L"next", minute);
    const History& history = history_of(news2, file.bytes, patient);
    EXPECT_EQ(history.count, 4);
    EXPECT_EQ(history.skipped, 1) << "the sealed fragment";
    for (int i = 0; i < history.count; ++i) EXPECT_EQ(history.records[i].value, 9);
}

// Latest means last saved: the file's order, which the lock makes the order of saving. A record
// from a PC whose clock runs ahead (2099) or behind is flagged and never hides the records saved
// after it; a record after a flagged one is measured against the last good one.
TEST(RecordRow, OrderByTheFileAndFlagTheClock) {
    const ToolDef& braden = program("braden");
    const PatientFields patient = who(L"12", L"Z0012", L"张三");
    struct Save {
        int year, month, day, hour, minute;
        std::vector<const wchar_t*> scores;
        bool anomalous;
    };
    const std::vector<const wchar_t*> high = {L"4", L"4", L"4", L"4", L"4", L"3"};
    const std::vector<const wchar_t*> low = {L"1", L"1", L"1", L"2", L"2", L"2"};
    const Save saves[] = {
        {2026, 12, 9, 8, 0, high, false},
        {2099, 1, 1, 0, 0, high, true},   // far ahead of the reading PC's clock
        {2026, 12, 9, 9, 0, low, false},  // after the 2099 record: measured against 08:00
        {2026, 12, 9, 8, 30, high, true}, // before the record saved above it
        {2026, 12, 9, 10, 5, low, false}, // within the ten minutes' slack
    };
    MemoryRecordFile file;
    for (const Save& s : saves) {
        static CalcSession session;
        session_start(&session, &braden);
        ASSERT_EQ(session_calculate(&session, s.scores.data()), -1);
        static wchar_t header[RECORD_HEADER_CAPACITY];
        static wchar_t line[RECORD_LINE_CAPACITY];
        build_record_header(braden, header, RECORD_HEADER_CAPACITY);
        ASSERT_TRUE(session_record_line(session, {s.year, s.month, s.day, s.hour, s.minute, 0},
                                        patient, L"id", line, RECORD_LINE_CAPACITY));
        ASSERT_TRUE(record_append(file.ops(), header, line));
    }
    wchar_t latest_valid[RECORD_TIME_CAPACITY];
    record_latest_valid_time(2026, 12, 9, 9, 55, 0, latest_valid, RECORD_TIME_CAPACITY);
    EXPECT_STREQ(latest_valid, L"2026-12-09 10:05:00");
    static History history;
    history_read(braden, patient, file.bytes.data(), file.bytes.size(), true, &history, nullptr, 0,
                 latest_valid);
    ASSERT_EQ(history.count, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(history.records[i].time_anomalous, saves[4 - i].anomalous) << i;
    EXPECT_EQ(history.records[0].value, 9) << "the last saved is the newest";
    static WardOverview overview;
    overview_clear(&overview);
    overview_add(&overview, 0, braden, file.bytes.data(), file.bytes.size(), true, L"2026-11-09",
                 nullptr, 0, latest_valid);
    ASSERT_EQ(overview.count, 1);
    EXPECT_STREQ(overview.patients[0].entries[0].value, L"9 分");
    EXPECT_EQ(overview.patients[0].entries[0].level, 3);
    EXPECT_FALSE(overview.patients[0].entries[0].time_anomalous);
    // Midnight and the year's end roll over.
    record_latest_valid_time(2026, 12, 31, 23, 55, 30, latest_valid, RECORD_TIME_CAPACITY);
    EXPECT_STREQ(latest_valid, L"2027-01-01 00:05:30");
}

// A patient without an inpatient number is the bed and the name together, never merged into the
// row of a numbered patient in the same bed with the same name.
TEST(RecordRow, ABedAndANameAreNotANumberedPatient) {
    const ToolDef& braden = program("braden");
    MemoryRecordFile file;
    save(&file, braden, {L"2", L"2", L"2", L"2", L"2", L"2"}, who(L"12", L"Z0012", L"张三"), L"a");
    save(&file, braden, {L"4", L"4", L"4", L"4", L"4", L"3"}, who(L"12", L"", L"张三"), L"b", 1);
    static WardOverview overview;
    overview_clear(&overview);
    overview_add(&overview, 0, braden, file.bytes.data(), file.bytes.size(), true, L"2026-11-09");
    ASSERT_EQ(overview.count, 2);
    EXPECT_STREQ(overview.patients[0].number, L"Z0012");
    EXPECT_STREQ(overview.patients[0].entries[0].value, L"12 分");
    EXPECT_STREQ(overview.patients[1].number, L"");
    EXPECT_STREQ(overview.patients[1].entries[0].value, L"23 分");
}

bool fixed_bytes(unsigned char* bytes, int count) {
    for (int i = 0; i < count; ++i) bytes[i] = static_cast<unsigned char>(i * 17);
    return true;
}
bool all_ones(unsigned char* bytes, int count) {
    for (int i = 0; i < count; ++i) bytes[i] = 0xFF;
    return true;
}
bool no_bytes(unsigned char*, int) { return false; }

TEST(RecordId, VersionFourFromTheSource) {
    const struct {
        RandomFill fill;
        int capacity;
        const wchar_t* id; // empty: refused
    } cases[] = {
        {fixed_bytes, RECORD_ID_CAPACITY, L"00112233-4455-4677-8899-aabbccddeeff"},
        {all_ones, RECORD_ID_CAPACITY, L"ffffffff-ffff-4fff-bfff-ffffffffffff"},
        {no_bytes, RECORD_ID_CAPACITY, L""},
        {fixed_bytes, RECORD_ID_CAPACITY - 1, L""},
    };
    for (const auto& c : cases) {
        wchar_t id[RECORD_ID_CAPACITY + 8];
        EXPECT_EQ(record_id_make(c.fill, id, c.capacity), c.id[0] != L'\0');
        EXPECT_STREQ(id, c.id);
    }
}

TEST(RecordId, TenThousandFromTheSystemAreAllDifferent) {
    std::set<std::wstring> ids;
    for (int i = 0; i < 10000; ++i) {
        wchar_t id[RECORD_ID_CAPACITY];
        ASSERT_TRUE(record_id_make(system_random_fill, id, RECORD_ID_CAPACITY));
        const std::wstring text = id;
        ASSERT_EQ(text.size(), 36u);
        EXPECT_EQ(text[14], L'4');
        EXPECT_NE(std::wstring(L"89ab").find(text[19]), std::wstring::npos) << text;
        for (int dash : {8, 13, 18, 23}) EXPECT_EQ(text[static_cast<std::size_t>(dash)], L'-');
        ids.insert(text);
    }
    EXPECT_EQ(ids.size(), 10000u);
}

// A file read through the port, with a read that fails at any step, or a file that shrinks while
// it is read.
struct ReadFile {
    std::string bytes;
    int fail_at = -1; // the call (size first, then each read) that fails; -1: none
    std::size_t shrink_to = std::string::npos; // the size the file has after the size was taken
    int calls = 0;

    static ReadFile& of(void* file) { return *static_cast<ReadFile*>(file); }
    static bool size(void* file, std::int64_t* size) {
        ReadFile& f = of(file);
        if (f.calls++ == f.fail_at) return false;
        *size = static_cast<std::int64_t>(f.bytes.size());
        if (f.shrink_to != std::string::npos) f.bytes.resize(f.shrink_to);
        return true;
    }
    static bool read(void* file, std::int64_t offset, char* dest, int count, int* got) {
        ReadFile& f = of(file);
        *got = 0;
        if (f.calls++ == f.fail_at) return false;
        const auto at = static_cast<std::size_t>(offset);
        if (at >= f.bytes.size()) return true;
        const std::size_t n = std::min(static_cast<std::size_t>(count), f.bytes.size() - at);
        f.bytes.copy(dest, n, at);
        *got = static_cast<int>(n);
        return true;
    }
    RecordReadOps ops() { return {this, size, read}; }
};

TEST(RecordTail, EveryFaultIsAFailureAndAShrunkFileGivesWhatThereWas) {
    std::string big = "\xEF\xBB\xBF\xE6\x97\xB6\xE9\x97\xB4,header\r\n";
    while (big.size() < RECORD_TAIL_BYTES + 5000) big += "2026-12-09 08:00:00,some record\r\n";
    RecordTail tail;
    int calls = 0;
    {
        ReadFile file{big};
        ASSERT_TRUE(record_tail_load(file.ops(), RECORD_TAIL_BYTES, &tail));
        EXPECT_FALSE(tail.whole);
        EXPECT_EQ(tail.length, RECORD_TAIL_BYTES + 1);
        EXPECT_EQ(std::string(tail.bytes, tail.length), big.substr(big.size() - tail.length));
        EXPECT_EQ(std::string(tail.head, tail.head_length), big.substr(0, RECORD_HEAD_BYTES));
        calls = file.calls;
    }
    for (int fail = 0; fail < calls; ++fail) {
        ReadFile file{big, fail};
        EXPECT_FALSE(record_tail_load(file.ops(), RECORD_TAIL_BYTES, &tail)) << fail;
    }
    ReadFile small{"\xEF\xBB\xBFhead\r\n2026"};
    ASSERT_TRUE(record_tail_load(small.ops(), RECORD_TAIL_BYTES, &tail));
    EXPECT_TRUE(tail.whole);
    EXPECT_EQ(std::string(tail.bytes, tail.length), small.bytes);
    EXPECT_EQ(tail.head_length, small.bytes.size());
    ReadFile shrinking{big, -1, 100};
    ASSERT_TRUE(record_tail_load(shrinking.ops(), RECORD_TAIL_BYTES, &tail));
    EXPECT_EQ(tail.length, 0u) << "the end that was asked for is gone";
    EXPECT_EQ(tail.head_length, 100u);
}

// The windows a read gives, kept as bytes.
void keep_window(void* context, const RecordTail& window) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(window.bytes, window.length);
}

// The whole records of a window as the scanner takes them: the lines after its first line break
// that begin with a time and end with CR LF.
std::vector<std::string> window_records(const std::string& window) {
    std::vector<std::string> records;
    std::size_t at = window.find('\n');
    while (at != std::string::npos && at + 1 < window.size()) {
        const std::size_t end = window.find("\r\n", at + 1);
        if (end == std::string::npos) break;
        const std::string line = window.substr(at + 1, end - at - 1);
        if (record_starts_with_time(line.c_str(), line.size(), 0)) records.push_back(line);
        at = end + 1;
    }
    return records;
}

// Read back in growing steps until the tail reaches before the day asked for, through the port;
// a fault on any step of any round fails the whole read.
TEST(RecordTail, GrowsUntilItReachesTheDay) {
    std::string file_bytes = "\xEF\xBB\xBF\xE6\x97\xB6\xE9\x97\xB4,h\r\n";
    const std::string old_day = "2026-11-01 08:00:00,x\r\n";
    const std::string new_day = "2026-12-09 08:00:00,y\r\n";
    while (file_bytes.size() < (std::size_t{600} << 10)) file_bytes += old_day;
    while (file_bytes.size() < (std::size_t{1100} << 10)) file_bytes += new_day;
    std::vector<std::string> windows;
    ReadFile file{file_bytes};
    ASSERT_TRUE(record_load_since(file.ops(), L"2026-12-01", keep_window, &windows));
    ASSERT_EQ(windows.size(), 1u) << "the tail reaches the day";
    EXPECT_GE(windows[0].size(), std::size_t{1} << 20) << "256 KB did not reach, 1 MB did";
    EXPECT_TRUE(record_tail_reaches(windows[0].data(), windows[0].size(), false, L"2026-12-01"));
    const int calls = file.calls;
    for (int fail = 0; fail < calls; ++fail) {
        ReadFile faulty{file_bytes, fail};
        EXPECT_FALSE(record_load_since(faulty.ops(), L"2026-12-01", keep_window, &windows)) << fail;
    }
}

// Days that reach back further than one window are read forward in windows: every record of the
// days asked for exactly once, whole, in the file's order, at every window size and day (the
// records' lengths vary, so the windows are cut everywhere); a fault at any call fails the read.
TEST(RecordTail, ReadsEveryRecordOfTheDaysWhateverTheFileSize) {
    std::string file_bytes = "\xEF\xBB\xBF\xE6\x97\xB6\xE9\x97\xB4,h\r\n";
    std::vector<std::string> all;
    for (int day = 1; day <= 28; ++day)
        for (int i = 0; i < 7; ++i) {
            char line[96];
            std::snprintf(line, sizeof line, "2026-11-%02d %02d:00:00,%.*s", day, 8 + i,
                          (day * 7 + i) % 23, "abcdefghijklmnopqrstuvwxyz");
            all.emplace_back(line);
            file_bytes += all.back() + "\r\n";
        }
    for (const wchar_t* since :
         {L"2026-11-01", L"2026-11-02", L"2026-11-15", L"2026-11-28", L"2026-11-29", L"2026-10-01"})
        for (std::size_t window : {48u, 61u, 100u, 333u, 1024u, 100000u}) {
            std::vector<std::string> windows;
            ReadFile file{file_bytes};
            ASSERT_TRUE(record_load_since(file.ops(), since, keep_window, &windows, window));
            std::vector<std::string> read;
            for (const std::string& piece : windows) {
                EXPECT_LE(piece.size(), window + 1) << "at most a window and the byte before";
                for (const std::string& record : window_records(piece))
                    if (std::wstring(record.begin(), record.begin() + 10) >= since)
                        read.push_back(record);
            }
            std::vector<std::string> wanted;
            for (const std::string& record : all)
                if (std::wstring(record.begin(), record.begin() + 10) >= since)
                    wanted.push_back(record);
            EXPECT_EQ(read, wanted)
                << "since " << std::string(since, since + 10) << ", window " << window;
            if (window >= 1024) continue;
            const int calls = file.calls;
            for (int fail = 0; fail < calls; ++fail) {
                ReadFile faulty{file_bytes, fail};
                EXPECT_FALSE(record_load_since(faulty.ops(), since, keep_window, &windows, window))
                    << fail;
            }
        }
}

// The last assessment beside the new one: the change as the headline shows both values, so that a
// change too small to show is "+0", and a fall gets the minus sign, at each format.
TEST(PreviousAssessment, TheChangeAtEachFormat) {
    const struct {
        const char* program;
        double last;
        double now;
        const wchar_t* change; // the line's end after the verdict
    } cases[] = {
        {"braden", 14, 12, L"  较上次 \u22122"}, {"braden", 12, 14, L"  较上次 +2"},
        {"braden", 13, 13, L"  较上次 +0"},      {"bmi", 22.04, 22.06, L"  较上次 +0.1"},
        {"bmi", 22.01, 22.04, L"  较上次 +0.0"}, {"bmi", 27.96, 18.4, L"  较上次 \u22129.6"},
        {"drip-rate", 42, 41.6, L"  较上次 +0"},
    };
    for (const auto& c : cases) {
        const ToolDef& tool = program(c.program);
        HistoryRecord last = {};
        text_copy(last.time, HISTORY_TIME_CAPACITY, L"2026-12-09 08:30:05");
        text_copy(last.verdict, HISTORY_TEXT_CAPACITY, L"结论");
        last.has_value = true;
        last.value = c.last;
        wchar_t line[PREVIOUS_LINE_CAPACITY];
        build_previous_line(tool, last, nullptr, line, PREVIOUS_LINE_CAPACITY);
        wchar_t value[64];
        headline_value_text(tool, c.last, value, 64);
        const std::wstring before = std::wstring(L"上次：2026-12-09 08:30:05 ") +
                                    tool.outputs[tool_headline_index(tool)].label + L" " + value +
                                    L" 结论";
        EXPECT_EQ(std::wstring(line), before) << c.program;
        build_previous_line(tool, last, &c.now, line, PREVIOUS_LINE_CAPACITY);
        EXPECT_EQ(std::wstring(line), before + c.change) << c.program << " " << c.now;
    }
    // No line without a value, or for a tool without a headline; a time that cannot be right is
    // flagged.
    HistoryRecord last = {};
    text_copy(last.time, HISTORY_TIME_CAPACITY, L"2031-01-01 00:00:00");
    wchar_t line[PREVIOUS_LINE_CAPACITY];
    build_previous_line(program("braden"), last, nullptr, line, PREVIOUS_LINE_CAPACITY);
    EXPECT_STREQ(line, L"");
    last.has_value = true;
    last.value = 9;
    build_previous_line(program("shift-rotation"), last, nullptr, line, PREVIOUS_LINE_CAPACITY);
    EXPECT_STREQ(line, L"");
    last.time_anomalous = true;
    build_previous_line(program("braden"), last, nullptr, line, PREVIOUS_LINE_CAPACITY);
    EXPECT_EQ(std::wstring(line).rfind(L"上次：2031-01-01 00:00:00 时间异常 Braden 总分 9 分", 0),
              0u)
        << std::wstring(line).size();
}

} // namespace
