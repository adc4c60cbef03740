// End-to-end tests of the tool window by keyboard alone: Tab order, typing over a default, and
// the shortcuts from wherever the focus is.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"

namespace {

class Keyboard : public ::testing::Test {
  protected:
    ProgramWindow window;
    void SetUp() override {
        set_remembered_assessor(nullptr);
        DeleteFileW((records_folder() + L"\\T138.csv").c_str());
        ASSERT_TRUE(window.start());
        window.type_inputs(braden_scores);
        // Key strokes through the system's input go to the foreground window.
        ASSERT_TRUE(window.to_foreground());
    }
    void TearDown() override { window.stop(); }
    // The controls in Tab order: the patient strip, the six inputs, the seven buttons.
    std::vector<HWND> tab_order() {
        std::vector<HWND> order;
        for (int f = 0; f < 4; ++f) order.push_back(window.control(ID_PATIENT_BED + f));
        for (int j = 0; j < 6; ++j) order.push_back(window.edit(j));
        for (const int id : {ID_CALC, ID_SAVE, ID_COPY, ID_PRINT, ID_RESET, ID_ABOUT, ID_HISTORY})
            order.push_back(window.control(id));
        return order;
    }
    // The selected part of an edit's text, from the result (pointers would not cross processes).
    std::pair<int, int> selection(HWND edit) {
        const auto both = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
        return {LOWORD(both), HIWORD(both)};
    }
};

TEST_F(Keyboard, TabWalksEveryFieldAndButtonAndWraps) {
    const std::vector<HWND> order = tab_order();
    ASSERT_EQ(window.focus(), order[0]) << "the focus starts on 床号, the patient first";
    const std::size_t first = 0; // 床号
    for (std::size_t step = 1; step <= order.size(); ++step) {
        window.press(window.focus(), VK_TAB);
        const HWND expected = order[(first + step) % order.size()];
        ASSERT_TRUE(wait_until([&] { return window.focus() == expected; })) << "step " << step;
        // An edit reached by Tab has its whole text selected.
        wchar_t name[16] = L"";
        GetClassNameW(expected, name, 16);
        if (std::wstring(name) == L"Edit") {
            const int length = static_cast<int>(window_text(expected).size());
            EXPECT_TRUE(wait_until([&] {
                return selection(expected) == std::make_pair(0, length);
            })) << "step "
                << step;
        }
    }
    // Shift+Tab goes back, from the first input to the assessor.
    window.click_into(window.edit(0));
    ASSERT_TRUE(wait_until([&] { return window.focus() == window.edit(0); }));
    chord({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(wait_until([&] { return window.focus() == order[3]; }))
        << "Shift+Tab did not go back";
}

TEST_F(Keyboard, TypingReplacesTheDefaultAndEnterCalculatesAgain) {
    // A click into another input selects its default; a digit typed replaces it.
    window.click_into(window.edit(1));
    ASSERT_TRUE(wait_until([&] { return selection(window.edit(1)) == std::make_pair(0, 1); }));
    PostMessageW(window.edit(1), WM_CHAR, L'1', 1);
    window.sync();
    EXPECT_EQ(window_text(window.edit(1)), L"1") << "the digit was added to the default";
    window.press(window.edit(1), VK_RETURN);
    EXPECT_EQ(window_text(window.control(ID_RESULT)), L"Braden 总分：12 分\r\n");
    // The focus is on the window now; Enter still calculates.
    window.set_text(window.edit(0), L"1");
    window.press(window.main(), VK_RETURN);
    EXPECT_EQ(window_text(window.control(ID_RESULT)), L"Braden 总分：10 分\r\n");
}

TEST_F(Keyboard, CtrlSSavesAndCtrlShiftCCopies) {
    window.press(window.edit(0), VK_F5);
    empty_clipboard();
    chord({VK_CONTROL, VK_SHIFT, 'C'});
    // The clipboard is read once the copy has had its time: reading it meanwhile would hold it
    // while the program tries to open it.
    Sleep(1000);
    EXPECT_NE(clipboard_text().find(L"Braden 总分：13 分"), std::wstring::npos)
        << "Ctrl+Shift+C did not copy";
    chord({VK_CONTROL, 'S'});
    const HWND box = window.wait_for_message_box(L"已保存");
    ASSERT_NE(box, nullptr) << "Ctrl+S did not save";
    window.close_message_box(box);
}

} // namespace
