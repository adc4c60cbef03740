// End-to-end tests of a window opened for a patient (--patient BED NUMBER NAME, as the toolbox
// opens it) and of closing a window whose result was not saved.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/toolbox_layout.h"
#include "tests/e2e/window_driver.h"
#include "toolbox_window/toolbox_window.h"
#include "toolbox_window/ward_overview_window.h"

namespace {

const wchar_t* const braden_title = L"Braden 压疮风险评估";
const wchar_t* const close_question = L"本次计算结果尚未保存。仍要关闭吗？";

class PatientOpen : public ::testing::Test {
  protected:
    ProgramWindow window;
    void SetUp() override { DeleteFileW((records_folder() + L"\\T138.csv").c_str()); }
    void TearDown() override { window.stop(); }
    std::wstring strip(int field) { return window_text(window.control(ID_PATIENT_BED + field)); }
};

// The strip and the caption name the patient, the focus is on the first input, and an edit of
// the strip takes the patient out of the caption.
TEST_F(PatientOpen, TheStripAndTheCaptionNameThePatient) {
    const struct {
        const wchar_t* arguments;
        const wchar_t* bed;
        const wchar_t* number;
        const wchar_t* name;
        const wchar_t* caption;
    } cases[] = {
        {L"--patient 12 Z2001 \"张 三\"", L"12", L"Z2001", L"张 三",
         L"Braden 压疮风险评估 — 12床 张 三 Z2001"},
        {L"--patient \"\" Z2002 \"\"", L"", L"Z2002", L"", L"Braden 压疮风险评估 — Z2002"},
        {L"--patient 加1 \"\" 赵强", L"加1", L"", L"赵强", L"Braden 压疮风险评估 — 加1床 赵强"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        ASSERT_TRUE(window.start(program_folder() + L"\\braden.exe", L"HalviMedToolWnd", ID_RESULT,
                                 c.arguments));
        EXPECT_EQ(strip(0), c.bed);
        EXPECT_EQ(strip(1), c.number);
        EXPECT_EQ(strip(2), c.name);
        EXPECT_EQ(strip(3), L"") << "the assessor is the nurse's, never the command line's";
        EXPECT_EQ(window_text(window.main()), c.caption);
        EXPECT_EQ(window.focus(), window.edit(0)) << "opened for a patient: the first input";
        window.set_text(window.control(ID_PATIENT_NAME), L"李四");
        EXPECT_EQ(window_text(window.main()), braden_title) << "the caption named another patient";
        window.stop();
    }
}

// A patient argument that fails the typed text's checks is said, and the strip stays empty; a
// missing field leaves it empty too.
TEST_F(PatientOpen, ARefusedPatientLeavesTheStripEmpty) {
    const struct {
        const wchar_t* arguments;
        const wchar_t* warning; // null: none
    } cases[] = {
        {L"--patient 12 Z20\x200B"
         L"01 张三",
         L"“住院号”不能包含控制字符。"},
        {L"--patient 12 Z200123456789012345678901 张三", L"“住院号”最多 20 个字符。"},
        {L"--patient 12 Z2001", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        ASSERT_TRUE(window.start(program_folder() + L"\\braden.exe", L"HalviMedToolWnd", ID_RESULT,
                                 c.arguments));
        if (c.warning != nullptr) {
            const HWND box = window.wait_for_message_box(L"输入有误");
            ASSERT_NE(box, nullptr) << "the refused patient was not said";
            EXPECT_EQ(window.message_box_text(box), c.warning);
            window.close_message_box(box);
        }
        for (int f = 0; f < 4; ++f) EXPECT_EQ(strip(f), L"") << "field " << f;
        EXPECT_EQ(window_text(window.main()), braden_title);
        EXPECT_EQ(window.focus(), window.control(ID_PATIENT_BED));
        window.stop();
    }
}

// Alt+F4 after a Calculate asks; 否 keeps the window and its result. After a Save it closes at
// once.
TEST_F(PatientOpen, ClosingAnUnsavedResultAsksFirst) {
    ASSERT_TRUE(window.start(program_folder() + L"\\braden.exe", L"HalviMedToolWnd", ID_RESULT,
                             L"--patient 3 Z3001 王五"));
    window.type_inputs(braden_scores);
    window.set_text(window.control(ID_ASSESSOR), L"护士甲");
    window.click(ID_CALC);
    const std::wstring result = window_text(window.control(ID_RESULT));
    ASSERT_TRUE(window.to_foreground());
    chord({VK_MENU, VK_F4});
    HWND box = window.wait_for_message_box(L"提示");
    ASSERT_NE(box, nullptr) << (IsWindow(window.main()) ? "no question" : "closed without asking");
    EXPECT_EQ(window.message_box_text(box), close_question);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(box); }));
    window.sync();
    EXPECT_TRUE(IsWindow(window.main()));
    EXPECT_EQ(window_text(window.control(ID_RESULT)), result);

    window.click(ID_SAVE);
    box = window.wait_for_message_box(L"已保存");
    ASSERT_NE(box, nullptr);
    window.close_message_box(box);
    const HWND main = window.main();
    ASSERT_TRUE(window.to_foreground());
    chord({VK_MENU, VK_F4});
    EXPECT_TRUE(wait_until([&] { return !IsWindow(main); })) << "a saved result still asked";
    EXPECT_TRUE(window.open_message_boxes().empty());
}

// Braden 14 saved, then the window opened again for the patient: the panel shows the last
// assessment, and after a Calculate of 12 its change; Copy carries the line.
TEST_F(PatientOpen, TheLastAssessmentBesideTheNewOne) {
    const std::wstring arguments = L"--patient 5 Z3101 王五";
    const std::wstring braden = program_folder() + L"\\braden.exe";
    ASSERT_TRUE(window.start(braden, L"HalviMedToolWnd", ID_RESULT, arguments));
    EXPECT_EQ(window_text(window.control(ID_RESULT)), L"") << "no earlier record, no line";
    window.type_inputs({L"3", L"3", L"2", L"2", L"2", L"2"});
    window.set_text(window.control(ID_ASSESSOR), L"护士甲");
    window.click(ID_CALC);
    EXPECT_EQ(window_text(window.control(ID_RESULT)).find(L"上次"), std::wstring::npos);
    window.click(ID_SAVE);
    const HWND box = window.wait_for_message_box(L"已保存");
    ASSERT_NE(box, nullptr);
    window.close_message_box(box);
    window.stop();

    ASSERT_TRUE(window.start(braden, L"HalviMedToolWnd", ID_RESULT, arguments));
    const std::wstring opened = window_text(window.control(ID_RESULT));
    EXPECT_EQ(opened.rfind(L"上次：", 0), 0u) << to_utf8(opened);
    EXPECT_NE(opened.find(L" Braden 总分 14 分 "), std::wstring::npos) << to_utf8(opened);
    EXPECT_EQ(opened.find(L"较上次"), std::wstring::npos) << "no change before a Calculate";
    window.type_inputs({L"3", L"2", L"2", L"2", L"2", L"1"});
    window.set_text(window.control(ID_ASSESSOR), L"护士甲");
    window.click(ID_CALC);
    const std::wstring shown = window_text(window.control(ID_RESULT));
    EXPECT_EQ(shown.rfind(L"Braden 总分：12 分\r\n上次：", 0), 0u) << to_utf8(shown);
    EXPECT_NE(shown.find(L" Braden 总分 14 分 "), std::wstring::npos) << to_utf8(shown);
    const std::wstring change = L"较上次 \u22122";
    EXPECT_EQ(shown.substr(shown.size() - change.size()), change) << to_utf8(shown);
    EXPECT_TRUE(window.save_screenshot(L"braden_for_patient.bmp"));
    empty_clipboard();
    window.click(ID_COPY);
    const std::wstring copied = clipboard_text();
    EXPECT_EQ(copied.substr(copied.size() - change.size()), change) << to_utf8(copied);
}

// The visible tool windows with exactly this caption.
int windows_captioned(const std::wstring& caption) {
    struct Count {
        const std::wstring* caption;
        int count;
    } count = {&caption, 0};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* c = reinterpret_cast<Count*>(context);
            if (IsWindowVisible(window) && window_text(window) == *c->caption) ++c->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}

// Closes the windows of these captions and waits until they are gone.
void close_windows(const std::vector<std::wstring>& captions) {
    for (const std::wstring& caption : captions) {
        const HWND window = find_window(L"HalviMedToolWnd", caption.c_str());
        if (window == nullptr) continue;
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(window); })) << to_utf8(caption);
    }
}

class ToolboxPatient : public ::testing::Test {
  protected:
    ProgramWindow toolbox;
    std::vector<std::wstring> opened; // captions to close after the test
    void SetUp() override {
        ASSERT_TRUE(toolbox.start(program_folder() + L"\\toolbox.exe", TOOLBOX_CLASS_NAME,
                                  ID_TOOLBOX_FILTER));
    }
    void TearDown() override {
        close_windows(opened);
        toolbox.stop();
    }
    void choose(const wchar_t* bed, const wchar_t* number, const wchar_t* name) {
        const wchar_t* fields[] = {bed, number, name};
        for (int f = 0; f < 3; ++f)
            toolbox.set_text(toolbox.control(ID_TOOLBOX_PATIENT_BASE + f), fields[f]);
    }
    std::wstring strip(int field) {
        return window_text(toolbox.control(ID_TOOLBOX_PATIENT_BASE + field));
    }
    HWND open_overview() {
        toolbox.post_click(ID_TOOLBOX_OVERVIEW);
        HWND overview = nullptr;
        wait_until([&] { return (overview = find_window(L"HalviMedWardOverview", L"病区一览")); });
        return overview;
    }
    // The list's row of that text; -1 when there is none.
    static int row_of(HWND list, const std::wstring& text) {
        const std::vector<std::wstring> rows = list_box_texts(list);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            if (rows[r] == text) return r;
        return -1;
    }
    // Opens the program the filter finds first, and waits for its window of that caption.
    HWND open(const wchar_t* filter, const std::wstring& caption) {
        toolbox.set_text(toolbox.control(ID_TOOLBOX_FILTER), filter);
        toolbox.press(toolbox.control(ID_TOOLBOX_FILTER), VK_RETURN);
        HWND window = nullptr;
        wait_until([&] { return (window = find_window(L"HalviMedToolWnd", caption.c_str())); });
        if (window != nullptr) opened.push_back(caption);
        return window;
    }
};

std::wstring strip_of(HWND window, int field) {
    return window_text(GetDlgItem(window, ID_PATIENT_BED + field));
}

// The patient chosen once in the toolbox: Braden and NEWS2 open for that patient; Braden again
// brings its window forward; another patient's Braden opens beside it, one caption lower.
TEST_F(ToolboxPatient, EachToolOpensForTheChosenPatientOnce) {
    choose(L"12", L"Z4001", L"张三");
    const std::wstring braden = L"Braden 压疮风险评估 — 12床 张三 Z4001";
    const std::wstring news2 = L"NEWS2 早期预警评分 — 12床 张三 Z4001";
    const HWND first = open(L"Braden", braden);
    ASSERT_NE(first, nullptr) << "Braden did not open for the patient";
    const HWND second = open(L"NEWS2", news2);
    ASSERT_NE(second, nullptr) << "NEWS2 did not open for the patient";
    for (const HWND window : {first, second}) {
        EXPECT_EQ(strip_of(window, 0), L"12");
        EXPECT_EQ(strip_of(window, 1), L"Z4001");
        EXPECT_EQ(strip_of(window, 2), L"张三");
    }
    open(L"Braden", braden);
    Sleep(2000); // a second window would have had the time to show
    EXPECT_EQ(windows_captioned(braden), 1) << "a second Braden for the same patient";
    choose(L"13", L"Z4002", L"李四");
    const HWND other = open(L"Braden", L"Braden 压疮风险评估 — 13床 李四 Z4002");
    ASSERT_NE(other, nullptr);
    RECT a;
    RECT b;
    GetWindowRect(first, &a);
    GetWindowRect(other, &b);
    EXPECT_GT(b.top, a.top) << "the other patient's window lies on the first";
    EXPECT_EQ(b.top - a.top, b.left - a.left);
}

// The ward overview opens assessments: a double click on a patient's Braden cell opens Braden for
// that patient, and Enter on the row makes the patient the toolbox's.
TEST_F(ToolboxPatient, TheOverviewOpensAToolForItsPatient) {
    DeleteFileW((records_folder() + L"\\T138.csv").c_str());
    ProgramWindow tool;
    ASSERT_TRUE(tool.start(program_folder() + L"\\braden.exe", L"HalviMedToolWnd", ID_RESULT,
                           L"--patient 31 Z4031 周六"));
    tool.type_inputs(braden_scores);
    tool.set_text(tool.control(ID_ASSESSOR), L"护士甲");
    tool.click(ID_CALC);
    tool.click(ID_SAVE);
    const HWND saved = tool.wait_for_message_box(L"已保存");
    ASSERT_NE(saved, nullptr);
    tool.close_message_box(saved);
    tool.stop();

    // The drop-down list offers the ward's patients, newest first: this one leads.
    const HWND ward = toolbox.control(ID_TOOLBOX_WARD_PATIENTS);
    SendMessageW(ward, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(wait_until([&] { return SendMessageW(ward, CB_GETCOUNT, 0, 0) > 0; }));
    wchar_t first[64] = L"";
    SendMessageW(ward, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"31床 周六 Z4031");
    SendMessageW(ward, CB_SETCURSEL, 0, 0);
    SendMessageW(toolbox.main(), WM_COMMAND, MAKEWPARAM(ID_TOOLBOX_WARD_PATIENTS, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(ward));
    SendMessageW(ward, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(strip(1), L"Z4031") << "the chosen patient is not the strip's";
    choose(L"", L"", L"");

    // Enter on the patient's row: the patient becomes the toolbox's, and the overview closes.
    HWND overview = open_overview();
    ASSERT_NE(overview, nullptr);
    HWND list = GetDlgItem(overview, ID_OVERVIEW_LIST);
    const int row = row_of(list, L"31\t周六\tZ4031");
    ASSERT_GE(row, 0) << "the saved patient is not in the overview";
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    toolbox.press(list, VK_RETURN);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(overview); })) << "Enter kept the overview open";
    EXPECT_EQ(strip(0), L"31");
    EXPECT_EQ(strip(1), L"Z4031");
    EXPECT_EQ(strip(2), L"周六");

    // A double click in the middle of the row's Braden cell, the overview's first tool.
    choose(L"", L"", L"");
    overview = open_overview();
    ASSERT_NE(overview, nullptr);
    list = GetDlgItem(overview, ID_OVERVIEW_LIST);
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const double scale = height / static_cast<double>(overview_layout::ROW_HEIGHT);
    const POINT cell = {
        static_cast<int>((overview_layout::TOOLS_X + overview_layout::TOOL_WIDTH / 2) * scale),
        height / 2};
    double_click_at(list, cell);
    const std::wstring caption = L"Braden 压疮风险评估 — 31床 周六 Z4031";
    EXPECT_TRUE(wait_until([&] { return find_window(L"HalviMedToolWnd", caption.c_str()); }))
        << "the double click did not open Braden for the row's patient";
    opened.push_back(caption);
    EXPECT_EQ(strip(1), L"Z4031") << "the cell's patient is the toolbox's too";
    PostMessageW(overview, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(overview); }));
}

} // namespace
