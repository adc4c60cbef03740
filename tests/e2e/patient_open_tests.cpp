// End-to-end tests of a window opened for a patient (--patient BED NUMBER NAME, as the toolbox
// opens it) and of closing a window whose result was not saved.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/window_driver.h"

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
    empty_clipboard();
    window.click(ID_COPY);
    const std::wstring copied = clipboard_text();
    EXPECT_EQ(copied.substr(copied.size() - change.size()), change) << to_utf8(copied);
}

} // namespace
