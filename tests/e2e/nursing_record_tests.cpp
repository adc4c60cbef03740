// End-to-end tests of the nursing record: the patient and assessor in the header strip, records
// that a spreadsheet reads as one row each, Copy with the patient line, and the history dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"

namespace {

std::wstring record_path() { return records_folder() + L"\\T138.csv"; }

class NursingRecord : public ::testing::Test {
  protected:
    ProgramWindow window;
    void SetUp() override {
        set_remembered_assessor(nullptr);
        DeleteFileW(record_path().c_str());
        ASSERT_TRUE(window.start());
        window.type_inputs(braden_scores);
        window.type_inputs(braden_scores);
    }
    void TearDown() override {
        window.stop();
        set_remembered_assessor(nullptr);
    }
    HWND patient(int field) { return window.control(ID_PATIENT_BED + field); }
    void type_patient(const wchar_t* bed, const wchar_t* number, const wchar_t* name,
                      const wchar_t* assessor) {
        const wchar_t* texts[] = {bed, number, name, assessor};
        for (int f = 0; f < 4; ++f) window.set_text(patient(f), texts[f]);
    }
    // Clicks the button and closes the box of that caption, returning its text.
    std::wstring answer(int button, const wchar_t* caption) {
        window.click(button);
        const HWND box = window.wait_for_message_box(caption);
        if (box == nullptr) return L"<no box " + std::wstring(caption) + L">";
        const std::wstring text = window.message_box_text(box);
        window.close_message_box(box);
        return text;
    }
    std::wstring file_text() {
        const std::string bytes = read_bytes(record_path());
        return bytes.size() > 3 ? from_utf8(bytes.substr(3)) : L"";
    }
};

// Two saves of one patient: two records in the file, each one line with its grade and patient;
// the file is also left beside the programs for the CSV reader of the test runner.
TEST_F(NursingRecord, APatientSavedTwiceIsTwoRows) {
    type_patient(L" 12 ", L"Z001,\"A\"", L"张三", L"=HYPERLINK(1)");
    window.click(ID_CALC);
    EXPECT_EQ(answer(ID_SAVE, L"已保存"),
              L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。");
    window.set_text(window.edit(1), L"1");
    window.click(ID_CALC);
    EXPECT_EQ(answer(ID_SAVE, L"已保存"),
              L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。");
    const std::wstring text = file_text();
    const std::wstring tail = L",12,\"Z001,\"\"A\"\"\",张三,'=HYPERLINK(1),<id>,";
    std::vector<std::wstring> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find(L"\r\n", at);
        ASSERT_NE(end, std::wstring::npos);
        lines.push_back(masked_record_ids(text.substr(at, end + 2 - at)));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(19),
              L",Braden 压疮风险评估,感觉 1-4=3,潮湿 1-4=2,活动 1-4=2,移动 1-4=2,"
              L"营养 1-4=2,摩擦力 1-3=2,Braden 总分：13 分,1,"
              L"中危，加强观察与营养" +
                  tail + L"13\r\n");
    EXPECT_EQ(lines[2].substr(lines[2].size() - tail.size() - 4), tail + L"12\r\n");
    EXPECT_NE(lines[2].find(L"Braden 总分：12 分,2,高危，落实翻身与皮肤保护,"), std::wstring::npos);
    CopyFileW(record_path().c_str(), (program_folder() + L"\\patient_records.csv").c_str(), FALSE);

    // The assessor is remembered for the next start; the patient is not.
    window.stop();
    ASSERT_TRUE(window.start());
    window.type_inputs(braden_scores);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(window_text(patient(f)), L"") << f;
    EXPECT_EQ(window_text(patient(3)), L"=HYPERLINK(1)");
}

// The history lists the patient's records newest first, found by the inpatient number; the
// dialog's last line counts what it could not show.
TEST_F(NursingRecord, TheHistoryListsThePatientNewestFirst) {
    type_patient(L"12", L"Z001", L"张三", L"李护士");
    window.click(ID_CALC);
    answer(ID_SAVE, L"已保存");
    window.set_text(window.edit(0), L"1");
    window.click(ID_CALC);
    answer(ID_SAVE, L"已保存");
    type_patient(L"12", L"Z002", L"王五", L"李护士"); // the same bed, another patient
    window.click(ID_CALC);
    answer(ID_SAVE, L"已保存");
    // An old record that a spreadsheet would split: skipped and counted.
    const HANDLE file = CreateFileW(record_path().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char old_record[] = "2026-12-01 08:00:00,Braden,a=1,old\r\n\r\n";
    DWORD written = 0;
    WriteFile(file, old_record, sizeof old_record - 1, &written, nullptr);
    CloseHandle(file);

    window.set_text(patient(1), L"Z001");
    window.press(window.edit(0), VK_F3);
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until([&] {
        return (dialog = find_window(L"HalviMedHistory", L"历史记录 — 12床 王五 Z001"));
    })) << "the caption names the patient";
    const HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
    const std::vector<std::wstring> rows = list_box_texts(list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].find(L"\t等级 2\t高危，落实翻身与皮肤保护\tBraden 总分：11 分\t李护士"),
              std::wstring::npos)
        << rows[0].c_str();
    EXPECT_NE(rows[1].find(L"\t等级 1\t中危，加强观察与营养\tBraden 总分：13 分\t李护士"),
              std::wstring::npos);
    const HWND last = FindWindowExW(dialog, nullptr, L"Static", nullptr);
    EXPECT_NE(window_text(last).find(L"另有 1 条旧格式或无法读取的记录未显示"), std::wstring::npos)
        << window_text(last).c_str();
    Sleep(300);
    EXPECT_TRUE(window.save_screenshot(L"braden_history.bmp"));
    EXPECT_FALSE(IsWindowEnabled(window.main())) << "the history is modal";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(window.main()) != FALSE; }));
}

// A record file of 100 MB, other patients' records but the last: the history opens from the
// file's last 8 MB and says so; the time it took is printed for the performance notes.
TEST_F(NursingRecord, AHundredMegabyteFileOpensFromItsTail) {
    const std::string other = "2026-12-01 08:00:00,Braden 压疮风险评估,感觉 1-4=3,潮湿 1-4=2,"
                              "活动 1-4=2,移动 1-4=2,营养 1-4=2,摩擦力 1-3=2,"
                              "Braden 总分：13 分,1,中危，加强观察与营养,9,Z999,某某,护士\r\n";
    std::string chunk;
    while (chunk.size() < (1u << 20)) chunk += other;
    CreateDirectoryW((records_folder() + L"\\..").c_str(), nullptr);
    CreateDirectoryW(records_folder().c_str(), nullptr);
    const HANDLE file =
        CreateFileW(record_path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    for (int i = 0; i < 100; ++i)
        WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
    const std::string mine = "2026-12-09 08:00:00,Braden 压疮风险评估,感觉 1-4=3,潮湿 1-4=2,"
                             "活动 1-4=2,移动 1-4=2,营养 1-4=2,摩擦力 1-3=2,"
                             "Braden 总分：13 分,1,中危，加强观察与营养,12,Z001,张三,护士\r\n";
    WriteFile(file, mine.data(), static_cast<DWORD>(mine.size()), &written, nullptr);
    CloseHandle(file);

    type_patient(L"12", L"Z001", L"", L"");
    const DWORD start = GetTickCount();
    window.post_click(ID_HISTORY);
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until(
        [&] { return (dialog = find_window(L"HalviMedHistory", L"历史记录 — 12床 Z001")); }));
    const HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
    ASSERT_TRUE(wait_until([&] { return list_box_texts(list).size() == 1; }));
    const DWORD elapsed = GetTickCount() - start;
    // How fast is measured and said, never asserted: a loaded machine may take longer.
    std::printf("history of a 100 MB file shown in %lu ms\n", static_cast<unsigned long>(elapsed));
    EXPECT_NE(
        window_text(FindWindowExW(dialog, nullptr, L"Static", nullptr)).find(L"只读取了最后 8 MB"),
        std::wstring::npos);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    DeleteFileW(record_path().c_str());
}

TEST_F(NursingRecord, TheHistoryNeedsANumberOrABedAndAName) {
    type_patient(L"", L"", L"张三", L"李护士");
    EXPECT_EQ(answer(ID_HISTORY, L"提示"), L"请填写住院号，或床号和姓名。");
    type_patient(L"7", L"", L"", L"李护士");
    EXPECT_EQ(answer(ID_HISTORY, L"提示"), L"请填写住院号，或床号和姓名。") << "a bed alone";
    // With a bed and a name but no file yet: an empty list, and why.
    window.set_text(patient(2), L"张三");
    window.click(ID_HISTORY);
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until(
        [&] { return (dialog = find_window(L"HalviMedHistory", L"历史记录 — 7床 张三")); }));
    EXPECT_TRUE(list_box_texts(FindWindowExW(dialog, nullptr, L"ListBox", nullptr)).empty());
    EXPECT_NE(window_text(FindWindowExW(dialog, nullptr, L"Static", nullptr)).find(L"尚无记录文件"),
              std::wstring::npos);
    EXPECT_EQ(GetFileAttributesW(record_path().c_str()), INVALID_FILE_ATTRIBUTES)
        << "reading created the file";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
}

// Editing the bed after Calculate makes the result stale; a text with a control or invisible
// format character, or longer than its field even when pasted, is refused whole at Calculate, with
// the focus on the field, and nothing is written.
TEST_F(NursingRecord, APatientEditIsStaleAndAHiddenOrLongTextIsRefused) {
    type_patient(L"12", L"", L"", L"");
    window.click(ID_CALC);
    window.set_text(patient(0), L"13");
    EXPECT_EQ(answer(ID_SAVE, L"提示"), L"输入已修改，请先点击“计算”。");
    EXPECT_EQ(answer(ID_COPY, L"提示"), L"输入已修改，请先点击“计算”。");
    window.click(ID_CALC);
    const struct {
        int field;
        std::wstring typed;
        const wchar_t* refusal;
    } cases[] = {
        {2, L"张\t三", L"“姓名”不能包含控制字符。"},
        {1, L"Z001\x200B", L"“住院号”不能包含控制字符。"},
        {1, L"\xFEFFZ001", L"“住院号”不能包含控制字符。"},
        {1, std::wstring(30, L'7'), L"“住院号”最多 20 个字符。"},
    };
    for (const auto& c : cases) {
        type_patient(L"12", L"", L"", L"");
        window.set_text(patient(c.field), c.typed);
        EXPECT_EQ(window_text(patient(c.field)), c.typed) << "the edit cut the pasted text";
        EXPECT_EQ(answer(ID_CALC, L"输入有误"), c.refusal);
        EXPECT_EQ(window.focus(), patient(c.field));
    }
    EXPECT_EQ(answer(ID_SAVE, L"提示"), L"输入已修改，请先点击“计算”。");
    EXPECT_EQ(GetFileAttributesW(record_path().c_str()), INVALID_FILE_ATTRIBUTES);
}

// Copy puts the patient line and the inputs above the result.
TEST_F(NursingRecord, CopyCarriesThePatientAndTheInputs) {
    type_patient(L"12", L"", L"张三", L"李护士");
    window.click(ID_CALC);
    empty_clipboard();
    window.click(ID_COPY);
    EXPECT_EQ(clipboard_text(),
              L"Braden 压疮风险评估\r\n床号 12  姓名 张三\r\n"
              L"感觉 1-4=3，潮湿 1-4=2，活动 1-4=2，移动 1-4=2，营养 1-4=2，摩擦力 1-3=2\r\n"
              L"Braden 总分：13 分\r\n—— 中危，加强观察与营养");
}

} // namespace
