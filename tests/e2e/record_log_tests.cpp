// End-to-end tests of Save: the per-user CSV record file written by the real program.
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"

namespace {

std::wstring record_path() { return records_folder() + L"\\T138.csv"; }

const wchar_t* const header = L"时间,工具,感觉 1-4,潮湿 1-4,活动 1-4,移动 1-4,营养 1-4,摩擦力 1-3,"
                              L"结果,等级,结论,床号,住院号,姓名,评估者,记录号,主要结果\r\n";
const wchar_t* const saved_text = L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";

// A record's tail after its time stamp, without a patient: the result's line break dropped, then
// the level and verdict of the result, four empty patient cells, the record id (masked) and the
// total.
std::wstring record_tail(const std::vector<std::wstring>& values, const std::wstring& result) {
    const wchar_t* labels[] = {L"感觉 1-4", L"潮湿 1-4", L"活动 1-4",
                               L"移动 1-4", L"营养 1-4", L"摩擦力 1-3"};
    std::wstring tail = L",Braden 压疮风险评估";
    for (int j = 0; j < 6; ++j) tail += std::wstring(L",") + labels[j] + L"=" + values[j];
    const std::wstring shown = result.substr(0, result.find(L"\r\n"));
    const bool twelve = shown == L"Braden 总分：12 分";
    const std::wstring total = shown.substr(shown.find(L'：') + 1, 2);
    return tail + L"," + shown +
           (twelve ? L",2,高危，落实翻身与皮肤保护" : L",1,中危，加强观察与营养") + L",,,,,<id>," +
           total + L"\r\n";
}

const std::vector<std::wstring> defaults = {L"3", L"2", L"2", L"2", L"2", L"2"};
const wchar_t* const default_result = L"Braden 总分：13 分\r\n";

// Splits the file after the byte-order mark and header into its records, checking each one's
// time stamp "YYYY-MM-DD hh:mm:ss".
std::vector<std::wstring> records_of(const std::wstring& body) {
    std::vector<std::wstring> records;
    std::size_t at = 0;
    while (at < body.size()) {
        const std::wstring stamp = body.substr(at, 19);
        bool stamp_ok = stamp.size() == 19;
        for (int i = 0; stamp_ok && i < 19; ++i) {
            const wchar_t c = stamp[i];
            const bool digit = c >= L'0' && c <= L'9';
            stamp_ok = (i == 4 || i == 7)     ? c == L'-'
                       : i == 10              ? c == L' '
                       : (i == 13 || i == 16) ? c == L':'
                                              : digit;
        }
        if (!stamp_ok) {
            records.push_back(L"<bad time stamp>" + body.substr(at));
            break;
        }
        // Each Braden record is one line.
        const std::size_t end = body.find(L"\r\n", at);
        if (end == std::wstring::npos) {
            records.push_back(L"<unterminated>" + body.substr(at));
            break;
        }
        records.push_back(masked_record_ids(body.substr(at + 19, end + 2 - at - 19)));
        at = end + 2;
    }
    return records;
}

class RecordLog : public ::testing::Test {
  protected:
    ProgramWindow window;
    void SetUp() override {
        set_remembered_assessor(nullptr);
        DeleteFileW(record_path().c_str());
        RemoveDirectoryW(records_folder().c_str());
        RemoveDirectoryW((records_folder() + L"\\..").c_str());
        ASSERT_TRUE(window.start());
        window.type_inputs(braden_scores);
    }
    void TearDown() override { window.stop(); }

    void save_expecting(const std::wstring& caption, const std::wstring& text) {
        window.click(ID_SAVE);
        const HWND box = window.wait_for_message_box(caption);
        ASSERT_NE(box, nullptr) << "no message box after Save";
        EXPECT_EQ(window.message_box_text(box), text);
        window.close_message_box(box);
    }
    void save() { save_expecting(L"已保存", saved_text); }

    // The file's records, after checking its byte-order mark and single header.
    std::vector<std::wstring> file_records() {
        const std::string bytes = read_bytes(record_path());
        EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
        const std::wstring text = from_utf8(bytes.substr(3));
        EXPECT_EQ(text.substr(0, std::wstring(header).size()), header);
        EXPECT_EQ(text.find(L"\xFEFF"), std::wstring::npos) << "a second byte-order mark";
        EXPECT_EQ(text.find(header, 1), std::wstring::npos) << "a second header";
        return records_of(text.substr(std::wstring(header).size()));
    }
};

TEST_F(RecordLog, FirstAndSecondSave) {
    window.click(ID_CALC);
    save();
    std::vector<std::wstring> records = file_records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], record_tail(defaults, default_result));

    window.set_text(window.edit(1), L"1"); // edited but not calculated
    save_expecting(L"提示", L"输入已修改，请先点击“计算”。");
    EXPECT_EQ(file_records().size(), 1u);

    window.click(ID_CALC); // now 12
    save();
    records = file_records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1],
              record_tail({L"3", L"1", L"2", L"2", L"2", L"2"}, L"Braden 总分：12 分\r\n"));
}

TEST_F(RecordLog, RefusedWithoutAResult) {
    save_expecting(L"提示", L"请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(read_bytes(record_path()), "<missing>");
    window.click(ID_CALC);
    window.click(ID_RESET);
    save_expecting(L"提示", L"请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(read_bytes(record_path()), "<missing>");
}

// A refused Calculate never reaches the record: Save refuses while the inputs differ from the
// last result, and the next good Calculate saves its own values.
TEST_F(RecordLog, ARefusedCalculateIsNeverSaved) {
    window.click(ID_CALC);
    for (const wchar_t* refused : {L"inf", L"-1e999", L"nan", L"2.5", L"0"}) {
        window.set_text(window.edit(0), L"2");
        window.set_text(window.edit(2), refused);
        window.click(ID_CALC);
        const HWND box = window.wait_for_message_box(L"输入有误");
        ASSERT_NE(box, nullptr);
        window.close_message_box(box);
        save_expecting(L"提示", L"输入已修改，请先点击“计算”。");
    }
    EXPECT_EQ(read_bytes(record_path()), "<missing>");
    window.set_text(window.edit(2), L"4");
    window.click(ID_CALC);
    save();
    const std::vector<std::wstring> records = file_records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0],
              record_tail({L"2", L"2", L"4", L"2", L"2", L"2"}, L"Braden 总分：14 分\r\n"));
}

TEST_F(RecordLog, DeletedFileIsRecreatedWithItsHeader) {
    window.click(ID_CALC);
    save();
    ASSERT_TRUE(DeleteFileW(record_path().c_str()));
    save();
    EXPECT_EQ(file_records().size(), 1u);
}

TEST_F(RecordLog, LockedFileIsReportedAsAFailure) {
    window.click(ID_CALC);
    save();
    const std::string before = read_bytes(record_path());
    const HANDLE locked = CreateFileW(record_path().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    window.click(ID_SAVE);
    const HWND box = window.wait_for_message_box(L"保存失败");
    ASSERT_NE(box, nullptr) << "no message box after Save";
    // The path, then the system's reason.
    const std::wstring text = window.message_box_text(box);
    const std::wstring start = L"记录保存失败：无法写入 " + record_path() + L"（";
    EXPECT_EQ(text.substr(0, start.size()), start) << to_utf8(text);
    EXPECT_GT(text.size(), start.size() + 1) << "no reason given";
    EXPECT_EQ(text.back(), L'）');
    window.close_message_box(box);
    EXPECT_TRUE(window.open_message_boxes().empty()) << "something claimed a save";
    CloseHandle(locked);
    EXPECT_EQ(read_bytes(record_path()), before);
    save();
    EXPECT_EQ(file_records().size(), 2u);
}

// A record cut inside a quoted cell, as a crash or a full disk leaves it, then four Saves: each
// lands whole after the sealed fragment, whose bytes stay. A spreadsheet's reader checks the file
// (torn_records.csv beside the programs, read by the main pass with Python's csv module).
TEST_F(RecordLog, SavesAfterATornRecordAreWhole) {
    const std::string header_bytes = "\xEF\xBB\xBF" + to_utf8(header);
    const std::string torn = "2026-12-09 07:00:00,Braden 压疮风险评估,感觉 1-4=3,\"Braden 总分：1";
    CreateDirectoryW((records_folder() + L"\\..").c_str(), nullptr);
    CreateDirectoryW(records_folder().c_str(), nullptr);
    ASSERT_TRUE(write_bytes(record_path(), header_bytes + torn));
    window.click(ID_CALC);
    for (int i = 0; i < 4; ++i) save();
    const std::string bytes = read_bytes(record_path());
    ASSERT_EQ(bytes.rfind(header_bytes + torn + "\"\r\n", 0), 0u) << "the fragment is sealed";
    const std::vector<std::wstring> records =
        records_of(from_utf8(bytes.substr(header_bytes.size() + torn.size() + 3)));
    ASSERT_EQ(records.size(), 4u);
    for (const std::wstring& record : records)
        EXPECT_EQ(record, record_tail(defaults, default_result));
    CopyFileW(record_path().c_str(), (program_folder() + L"\\torn_records.csv").c_str(), FALSE);
    DeleteFileW(record_path().c_str());
}

TEST_F(RecordLog, FiveHundredSavesInARow) {
    window.click(ID_CALC);
    for (int i = 0; i < 500; ++i) {
        window.click(ID_SAVE);
        const HWND box = window.wait_for_message_box(L"已保存");
        ASSERT_NE(box, nullptr) << "save " << i;
        window.close_message_box(box);
    }
    const std::vector<std::wstring> records = file_records();
    ASSERT_EQ(records.size(), 500u);
    for (const std::wstring& record : records)
        ASSERT_EQ(record, record_tail(defaults, default_result));
}

// Four running copies of the program save at the same time, 250 times each: every record
// arrives whole, under one byte-order mark and one header.
TEST_F(RecordLog, FourCopiesSavingAtOnceLoseNothing) {
    constexpr int copies = 4;
    constexpr int rounds = 250;
    ProgramWindow others[copies - 1];
    ProgramWindow* windows[copies] = {&window, &others[0], &others[1], &others[2]};
    for (ProgramWindow& copy : others) {
        ASSERT_TRUE(copy.start());
        copy.type_inputs(braden_scores);
    }
    for (ProgramWindow* copy : windows) copy->click(ID_CALC);
    for (int round = 0; round < rounds; ++round) {
        for (ProgramWindow* copy : windows) copy->post_click(ID_SAVE);
        for (ProgramWindow* copy : windows) {
            const HWND box = copy->wait_for_message_box(L"已保存");
            ASSERT_NE(box, nullptr) << "round " << round;
            copy->close_message_box(box);
        }
    }
    for (ProgramWindow& copy : others) copy.stop();
    const std::vector<std::wstring> records = file_records();
    ASSERT_EQ(records.size(), static_cast<std::size_t>(copies * rounds));
    for (const std::wstring& record : records)
        ASSERT_EQ(record, record_tail(defaults, default_result));
}

// Saves on a really full disk. The runner mounts a 64 KB file system over the records folder and
// passes --small-disk; elsewhere it says why it cannot, and this test is skipped.
class FullDisk : public RecordLog {
  protected:
    std::wstring filler() { return records_folder() + L"\\filler.bin"; }

    // Fills the disk with a file of its own until a write fails.
    void fill_disk() {
        const HANDLE file =
            CreateFileW(filler().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const std::string chunk(4096, 'f');
        DWORD written = 0;
        for (int i = 0; i < 64; ++i) {
            if (!WriteFile(file, chunk.data(), 4096, &written, nullptr) || written < 4096) break;
        }
        CloseHandle(file);
    }
    // Frees some room by shortening the filler.
    void free_room(LONG bytes) {
        const HANDLE file =
            CreateFileW(filler().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size;
        GetFileSizeEx(file, &size);
        LARGE_INTEGER end;
        end.QuadPart = size.QuadPart > bytes ? size.QuadPart - bytes : 0;
        SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    // Saves once; true when it was reported saved, false when reported failed.
    bool save_reported_saved() {
        window.click(ID_SAVE);
        const HWND box = window.wait_for_any_message_box();
        EXPECT_NE(box, nullptr);
        if (box == nullptr) return false;
        const std::wstring caption = window_text(box);
        EXPECT_TRUE(caption == L"已保存" || caption == L"保存失败")
            << "caption " << caption.c_str();
        window.close_message_box(box);
        return caption == L"已保存";
    }
};

TEST_F(FullDisk, RecordsStayWholeAndTheNextSaveStartsClean) {
    if (!small_disk) GTEST_SKIP() << "runs in its own pass, with the records on a small disk";
    window.click(ID_CALC);
    fill_disk();
    // The first save finds no room at all: it fails and leaves at most an empty file.
    EXPECT_FALSE(save_reported_saved());
    const std::string first = read_bytes(record_path());
    EXPECT_TRUE(first == "<missing>" || first.empty()) << first;

    // Room for a few records: saves succeed until the disk is full again, then one fails.
    free_room(8192);
    int saved = 0;
    while (saved < 500 && save_reported_saved()) ++saved;
    EXPECT_GT(saved, 0);
    EXPECT_LT(saved, 500) << "the disk never filled";
    std::vector<std::wstring> records = file_records();
    EXPECT_EQ(records.size(), static_cast<std::size_t>(saved));
    for (const std::wstring& record : records)
        EXPECT_EQ(record, record_tail(defaults, default_result));

    // Space freed: the next save appends a whole record right after the last whole one.
    ASSERT_TRUE(DeleteFileW(filler().c_str()));
    EXPECT_TRUE(save_reported_saved());
    records = file_records();
    EXPECT_EQ(records.size(), static_cast<std::size_t>(saved + 1));
    for (const std::wstring& record : records)
        EXPECT_EQ(record, record_tail(defaults, default_result));
    DeleteFileW(record_path().c_str());
}

} // namespace
