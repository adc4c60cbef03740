// End-to-end tests of the toolbox: the list the window shows, the filter, the keys, starting a
// program from the toolbox's folder, and a program file that is missing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"
#include "tests/toolbox_rows.h"
#include "toolbox/toolbox_list.h"
#include "toolbox_window/toolbox_window.h"

namespace {

class Toolbox : public ::testing::Test {
  protected:
    ProgramWindow window;
    void SetUp() override {
        ASSERT_TRUE(window.start(program_folder() + L"\\toolbox.exe", TOOLBOX_CLASS_NAME,
                                 ID_TOOLBOX_FILTER))
            << "toolbox.exe did not show its window";
    }
    void TearDown() override { window.stop(); }

    HWND filter() { return window.control(ID_TOOLBOX_FILTER); }
    HWND list() { return window.control(ID_TOOLBOX_LIST); }
    std::vector<std::wstring> rows() { return list_box_texts(list()); }
    std::wstring selected() {
        const LRESULT row = SendMessageW(list(), LB_GETCURSEL, 0, 0);
        const std::vector<std::wstring> texts = rows();
        return row >= 0 && row < static_cast<LRESULT>(texts.size()) ? texts[row] : L"<none>";
    }
    void type_filter(const std::wstring& text) {
        window.set_text(filter(), text);
        window.sync();
    }
};

// The rows the window should show for a filter: headings and titles, as the list builds them.
std::vector<std::wstring> expected_rows(const wchar_t* filter) {
    return toolbox_row_texts(TOOL_PROGRAMS, TOOL_PROGRAM_COUNT, filter, L"");
}

TEST_F(Toolbox, ListsEveryProgramUnderItsCategory) {
    EXPECT_EQ(window_text(window.main()), L"HalviMed 护理工具箱");
    const std::vector<std::wstring> shown = rows();
    EXPECT_EQ(shown, expected_rows(L""));
    ASSERT_EQ(static_cast<int>(shown.size()), TOOL_PROGRAM_COUNT + 4);
    EXPECT_EQ(shown.front(), L"护理");
    EXPECT_EQ(selected(), L"Braden 压疮风险评估") << "the first program is selected";
    EXPECT_EQ(window.focus(), filter()) << "the focus starts in the filter";
    EXPECT_TRUE(window.save_screenshot(L"toolbox_window.bmp"));
}

TEST_F(Toolbox, TypingNarrowsTheListAndEnterOpensTheSelection) {
    type_filter(L"跌倒");
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"护理", L"Morse 跌倒风险评估"}));
    EXPECT_EQ(selected(), L"Morse 跌倒风险评估");
    window.press(filter(), VK_RETURN);
    HWND opened = nullptr;
    ASSERT_TRUE(wait_until([&] {
        opened = find_window(L"HalviMedToolWnd", L"Morse 跌倒风险评估");
        return opened != nullptr;
    })) << "the fall-risk window did not open";
    EXPECT_EQ(window_text(window.main()), L"HalviMed 护理工具箱") << "the toolbox stays open";
    EXPECT_TRUE(IsWindow(window.main()));
    PostMessageW(opened, WM_CLOSE, 0, 0);
    wait_until([&] { return !IsWindow(opened); });

    // Up and Down move the selection from the filter, over the headings.
    type_filter(L"");
    EXPECT_EQ(selected(), L"Braden 压疮风险评估");
    window.press(filter(), VK_DOWN);
    EXPECT_EQ(selected(), L"Morse 跌倒风险评估");
    window.press(filter(), VK_UP);
    window.press(filter(), VK_UP);
    EXPECT_EQ(selected(), L"Braden 压疮风险评估");
    // ASCII in either case and full width find the program by its file name too.
    for (const wchar_t* typed : {L"NEWS", L"news2", L"ＮＥＷＳ２"}) {
        type_filter(typed);
        EXPECT_EQ(selected(), L"NEWS2 早期预警评分") << std::wstring(typed).size();
    }
    type_filter(L"没有这个程序");
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(selected(), L"<none>");
    window.press(filter(), VK_RETURN); // nothing selected: nothing happens
    EXPECT_TRUE(window.open_message_boxes().empty());
}

TEST_F(Toolbox, EscapeRestoresTheWholeList) {
    type_filter(L"VTE");
    EXPECT_EQ(rows().size(), 3u);
    window.press(filter(), VK_ESCAPE);
    EXPECT_EQ(window_text(filter()), L"");
    EXPECT_EQ(rows(), expected_rows(L""));
}

TEST_F(Toolbox, AMissingProgramFileIsReportedAndTheToolboxKeepsRunning) {
    const std::wstring program = program_folder() + L"\\pain-nrs.exe";
    const std::wstring moved = program + L".moved";
    ASSERT_TRUE(MoveFileW(program.c_str(), moved.c_str()));
    type_filter(L"疼痛");
    window.click(ID_TOOLBOX_OPEN);
    const HWND box = window.wait_for_any_message_box();
    ASSERT_NE(box, nullptr) << "no warning";
    EXPECT_EQ(window.message_box_text(box),
              L"无法启动“疼痛数字评分”：找不到程序文件 " + program + L"。");
    window.close_message_box(box);
    MoveFileW(moved.c_str(), program.c_str());
    EXPECT_TRUE(IsWindow(window.main()));
    EXPECT_EQ(find_window(L"HalviMedToolWnd", L"疼痛数字评分"), nullptr);
    // Back in place, it starts: Enter on the focused button.
    window.press(window.control(ID_TOOLBOX_OPEN), VK_RETURN);
    HWND opened = nullptr;
    EXPECT_TRUE(wait_until([&] {
        opened = find_window(L"HalviMedToolWnd", L"疼痛数字评分");
        return opened != nullptr;
    }));
    if (opened != nullptr) {
        PostMessageW(opened, WM_CLOSE, 0, 0);
        wait_until([&] { return !IsWindow(opened); });
    }
}

} // namespace
