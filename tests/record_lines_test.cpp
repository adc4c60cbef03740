#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/text.h"
#include "core/utf8.h"
#include "records/record_lines.h"
#include "screen/window_texts.h"
#include "tools/catalog.h"

namespace {

const LocalTime save_time = {2026, 12, 7, 9, 30, 5};
const wchar_t* const braden_result = L"Braden 总分：13 分\r\n";

// A record without a grade, a patient, an id or a headline.
std::wstring record(const double* values, const wchar_t* result,
                    const LocalTime& time = save_time) {
    static wchar_t line[RECORD_LINE_CAPACITY];
    const RecordEntry entry = {time, values, result, 0, L"v", nullptr};
    EXPECT_TRUE(build_record(braden_tool, entry, line, RECORD_LINE_CAPACITY));
    return line;
}

std::string utf8(const std::wstring& text) {
    static char bytes[RECORD_UTF8_CAPACITY];
    EXPECT_GE(utf8_from_wide(text.c_str(), bytes, RECORD_UTF8_CAPACITY), 0);
    return bytes;
}

TEST(RecordLines, BradenHeader) {
    wchar_t header[RECORD_HEADER_CAPACITY];
    build_record_header(braden_tool, header, RECORD_HEADER_CAPACITY);
    EXPECT_STREQ(header, L"时间,工具,感觉 1-4,潮湿 1-4,活动 1-4,移动 1-4,营养 1-4,摩擦力 1-3,结果,"
                         L"等级,结论,床号,住院号,姓名,评估者,记录号,主要结果\r\n");
    EXPECT_EQ(utf8(header).substr(0, 14), "\xE6\x97\xB6\xE9\x97\xB4,\xE5\xB7\xA5\xE5\x85\xB7,");
}

TEST(RecordLines, RecordWithTheDefaultInputs) {
    const double values[] = {3, 2, 2, 2, 2, 2};
    // Nothing but the calculation: the result's line break dropped, every later cell empty.
    EXPECT_EQ(record(values, braden_result),
              L"2026-12-07 09:30:05,Braden 压疮风险评估,感觉 1-4=3,潮湿 1-4=2,活动 1-4=2,"
              L"移动 1-4=2,营养 1-4=2,摩擦力 1-3=2,Braden 总分：13 分,0,v,,,,,,\r\n");
    PatientFields patient;
    patient_fields_clear(&patient);
    text_copy(patient.text[PATIENT_BED], PATIENT_FIELD_CAPACITY, L"12");
    text_copy(patient.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, L"张三");
    text_copy(patient.text[PATIENT_ASSESSOR], PATIENT_FIELD_CAPACITY, L"李护士");
    const RecordEntry entry = {save_time,
                               values,
                               braden_result,
                               1,
                               L"中危，加强观察与营养",
                               &patient,
                               L"7c9e6679-7425-40de-944b-e07fc1f90ae7",
                               13};
    wchar_t line[RECORD_LINE_CAPACITY];
    ASSERT_TRUE(build_record(braden_tool, entry, line, RECORD_LINE_CAPACITY));
    EXPECT_STREQ(line, L"2026-12-07 09:30:05,Braden 压疮风险评估,感觉 1-4=3,潮湿 1-4=2,活动 1-4=2,"
                       L"移动 1-4=2,营养 1-4=2,摩擦力 1-3=2,Braden 总分：13 分,1,"
                       L"中危，加强观察与营养,12,,张三,李护士,"
                       L"7c9e6679-7425-40de-944b-e07fc1f90ae7,13\r\n");
}

// Each value in the shortest text that reads back to it: what %g wrote whole stays, nothing is
// rounded away.
TEST(RecordLines, ValuesAreWrittenInTheirShortestText) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double first;
        const wchar_t* cell;
    };
    const Case cases[] = {
        {inf, L",感觉 1-4=inf,"},
        {-inf, L",感觉 1-4=-inf,"},
        {std::numeric_limits<double>::quiet_NaN(), L",感觉 1-4=nan,"},
        {2.5, L",感觉 1-4=2.5,"},
        {3, L",感觉 1-4=3,"},
        {36.5, L",感觉 1-4=36.5,"},
        {0.25, L",感觉 1-4=0.25,"},
        {1234.5678, L",感觉 1-4=1234.5678,"},
        {1234567, L",感觉 1-4=1234567,"},
        {9999.99, L",感觉 1-4=9999.99,"},
        {-36500, L",感觉 1-4=-36500,"},
        {-0.0, L",感觉 1-4=-0,"},
        {0.1 + 0.2, L",感觉 1-4=0.30000000000000004,"},
    };
    for (const Case& c : cases) {
        const double values[] = {c.first, 2, 2, 2, 2, 2};
        EXPECT_NE(record(values, braden_result).find(c.cell), std::wstring::npos) << c.cell;
    }
}

// The whole result is kept; a record that does not fit is not built at all, never cut.
TEST(RecordLines, TheWholeResultOrNothing) {
    const double values[] = {3, 2, 2, 2, 2, 2};
    const std::wstring long_result(300, L'长');
    EXPECT_EQ(record(values, long_result.c_str()),
              L"2026-12-07 09:30:05,Braden 压疮风险评估,感觉 1-4=3,潮湿 1-4=2,活动 1-4=2,"
              L"移动 1-4=2,营养 1-4=2,摩擦力 1-3=2," +
                  long_result + L",0,v,,,,,,\r\n");
    const std::wstring quotes(OUTCOME_RESULT_CAPACITY - 1, L'"'); // each doubled, and two more
    const RecordEntry entry = {save_time, values, quotes.c_str(), 0, L"v", nullptr};
    static wchar_t line[RECORD_LINE_CAPACITY];
    ASSERT_TRUE(build_record(braden_tool, entry, line, RECORD_LINE_CAPACITY));
    EXPECT_NE(
        std::wstring(line).find(L"=2,\"" + std::wstring(2 * quotes.size(), L'"') + L"\",0,v,"),
        std::wstring::npos);
    const int needed = text_length(line) + 1;
    EXPECT_FALSE(build_record(braden_tool, entry, line, needed - 1));
    EXPECT_STREQ(line, L"");
    EXPECT_TRUE(build_record(braden_tool, entry, line, needed));
}

TEST(RecordLines, TimeStampsArePadded) {
    const double values[] = {3, 2, 2, 2, 2, 2};
    const LocalTime early = {987, 1, 2, 3, 4, 5};
    EXPECT_EQ(record(values, L"", early).substr(0, 20), L"0987-01-02 03:04:05,");
}

TEST(RecordLines, LongestLineConvertsWhole) {
    // A record line of Chinese characters to its capacity needs three bytes each: it fits.
    const std::wstring line(RECORD_LINE_CAPACITY - 1, L'字');
    static char bytes[RECORD_UTF8_CAPACITY];
    EXPECT_EQ(utf8_from_wide(line.c_str(), bytes, RECORD_UTF8_CAPACITY),
              3 * (RECORD_LINE_CAPACITY - 1));
}

TEST(RecordLines, FolderPathAndMessages) {
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    build_record_folder(L"C:\\Users\\nurse\\AppData\\Local", folder, RECORD_FOLDER_CAPACITY);
    EXPECT_STREQ(folder, L"C:\\Users\\nurse\\AppData\\Local\\HalviMedSuite\\records");
    wchar_t path[RECORD_PATH_CAPACITY];
    build_record_path(folder, 138, path, RECORD_PATH_CAPACITY);
    EXPECT_STREQ(path, L"C:\\Users\\nurse\\AppData\\Local\\HalviMedSuite\\records\\T138.csv");
    build_record_path(L"D:", 7, path, RECORD_PATH_CAPACITY);
    EXPECT_STREQ(path, L"D:\\T007.csv");
    build_record_path(L"D:", 1234, path, RECORD_PATH_CAPACITY);
    EXPECT_STREQ(path, L"D:\\T1234.csv");
    wchar_t text[256];
    build_save_status(L"D:\\T007.csv", text, 256);
    EXPECT_STREQ(text, L"记录已保存：D:\\T007.csv");
    build_save_failure_text(L"D:\\T007.csv", text, 256);
    EXPECT_STREQ(text, L"记录保存失败：无法写入 D:\\T007.csv");
}

// A path that does not fit its buffer is refused whole, never cut to another folder or file.
TEST(RecordLines, PathsThatDoNotFitAreRefused) {
    const std::wstring subfolder = L"\\HalviMedSuite\\records";
    struct Case {
        int folder_length; // of the records folder built
        bool fits;
    };
    for (const Case c : {Case{259, true}, Case{260, false}, Case{238, true}, Case{300, false}}) {
        const std::wstring app_data =
            L"C:\\" +
            std::wstring(static_cast<std::size_t>(c.folder_length) - 3 - subfolder.size(), L'x');
        wchar_t folder[RECORD_FOLDER_CAPACITY];
        EXPECT_EQ(build_record_folder(app_data.c_str(), folder, RECORD_FOLDER_CAPACITY), c.fits)
            << c.folder_length;
        if (c.fits) {
            EXPECT_EQ(std::wstring(folder), app_data + subfolder);
        }
    }
    // The file: 519 characters fit, 520 do not.
    for (const Case c : {Case{519, true}, Case{520, false}}) {
        const std::wstring folder(static_cast<std::size_t>(c.folder_length) - 9, L'f');
        wchar_t path[RECORD_PATH_CAPACITY];
        EXPECT_EQ(build_record_path(folder.c_str(), 138, path, RECORD_PATH_CAPACITY), c.fits)
            << c.folder_length;
        if (c.fits) {
            EXPECT_EQ(std::wstring(path), folder + L"\\T138.csv");
        }
    }
}

} // namespace
