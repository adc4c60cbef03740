// End-to-end tests of the real window. Run: window_tests.exe PATH_TO_braden.exe
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/window_driver.h"

namespace {

const wchar_t* const title = L"Braden 压疮风险评估";
const wchar_t* const verdict_start = L"填写左侧参数，点击“计算”";
const wchar_t* const note = L"评分需每班/每日复评，翻身、减压与皮肤护理同步落实。";
const wchar_t* const reference =
    L"参考依据：Braden 评分 6-23 分；≤9 极高危，10-12 高危，13-14 中危，15-18 低危";
const std::vector<std::wstring> defaults = {L"3", L"2", L"2", L"2", L"2", L"2"};
const wchar_t* const level_verdicts[] = {L"低危，常规护理", L"中危，加强观察与营养",
                                         L"高危，落实翻身与皮肤保护",
                                         L"极高危，使用减压床垫并每 2 小时翻身"};

class Window : public ::testing::Test {
  protected:
    ProgramWindow window;
    bool started_blank = false;
    void SetUp() override {
        empty_clipboard();
        ASSERT_TRUE(window.start()) << "braden.exe did not show its window";
        started_blank = window.inputs_blank();
        window.type_inputs(braden_scores);
    }
    void TearDown() override { window.stop(); }

    HWND verdict_label() { return window.verdict_label(); }
    std::wstring result() { return window_text(window.control(ID_RESULT)); }
    std::wstring verdict() { return window_text(verdict_label()); }

    void type_inputs(const std::vector<std::wstring>& texts) { window.type_inputs(texts); }

    // Expects a message box with that caption and text, and closes it.
    void expect_message_box(const std::wstring& caption, const std::wstring& text) {
        const HWND box = window.wait_for_message_box(caption);
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(window.message_box_text(box), text);
        window.close_message_box(box);
    }

    int count_colour(DWORD colour, int left, int top, int right, int bottom) {
        return window.count_colour(colour, left, top, right, bottom);
    }
    DWORD pixel(int x, int y) {
        int width = 0, height = 0;
        const std::vector<DWORD> pixels = window.capture_client(&width, &height);
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
    bool verdict_drawn_in(DWORD colour) { return window.verdict_drawn_in(colour); }
};

TEST_F(Window, StartState) {
    EXPECT_EQ(window_text(window.main()), title);
    RECT client;
    GetClientRect(window.main(), &client);
    EXPECT_EQ(client.right, layout::CLIENT_WIDTH);
    EXPECT_EQ(client.bottom, layout::CLIENT_HEIGHT);
    const LONG style = GetWindowLongW(window.main(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);

    const wchar_t* labels[] = {L"感觉 1-4", L"潮湿 1-4", L"活动 1-4",
                               L"移动 1-4", L"营养 1-4", L"摩擦力 1-3"};
    // Braden opens blank, so that nothing is recorded that the nurse has not typed.
    EXPECT_TRUE(started_blank);
    const wchar_t* values[] = {L"3", L"2", L"2", L"2", L"2", L"2"};
    std::vector<std::wstring> static_texts;
    for (HWND label : window.statics()) static_texts.push_back(window_text(label));
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(window_text(window.edit(j)), values[j]);
        EXPECT_NE(std::find(static_texts.begin(), static_texts.end(), labels[j]),
                  static_texts.end());
        RECT rect;
        GetWindowRect(window.edit(j), &rect);
        POINT corner = {rect.left, rect.top};
        ScreenToClient(window.main(), &corner);
        EXPECT_EQ(corner.x, layout::ROW_EDIT.x);
        EXPECT_EQ(corner.y, layout::row_base(j) + layout::ROW_EDIT.y);
    }
    EXPECT_EQ(window.edit(6), nullptr);
    // Six labels, the verdict, the note, the reference and the four of the patient strip: no unit
    // labels.
    EXPECT_EQ(static_texts.size(), 13u);
    EXPECT_EQ(verdict(), verdict_start);
    EXPECT_NE(std::find(static_texts.begin(), static_texts.end(), note), static_texts.end());
    EXPECT_NE(std::find(static_texts.begin(), static_texts.end(), reference), static_texts.end());
    EXPECT_EQ(result(), L"");

    const std::pair<int, const wchar_t*> buttons[] = {
        {ID_CALC, L"计算 (F5)"},  {ID_SAVE, L"保存记录"},  {ID_COPY, L"复制结果"},
        {ID_PRINT, L"打印"},      {ID_RESET, L"清空重填"}, {ID_ABOUT, L"关于"},
        {ID_HISTORY, L"历史记录"}};
    for (const auto& button : buttons)
        EXPECT_EQ(window_text(window.control(button.first)), button.second);
    // Opened without a patient: the patient first.
    EXPECT_EQ(window.focus(), window.control(ID_PATIENT_BED));
}

TEST_F(Window, CannotBeResized) {
    RECT frame;
    GetWindowRect(window.main(), &frame);
    SetWindowPos(window.main(), nullptr, 0, 0, frame.right - frame.left + 200,
                 frame.bottom - frame.top + 150, SWP_NOMOVE | SWP_NOZORDER);
    window.sync();
    RECT client;
    GetClientRect(window.main(), &client);
    EXPECT_EQ(client.right, 1020);
    EXPECT_EQ(client.bottom, 720);
}

TEST_F(Window, CalculateByButtonF5AndEnter) {
    window.click(ID_CALC);
    EXPECT_EQ(result(), L"Braden 总分：13 分\r\n");
    EXPECT_EQ(verdict(), L"中危，加强观察与营养");
    EXPECT_EQ(window.focus(), window.main());

    window.set_text(window.edit(0), L"1"); // sum 11
    window.press(window.edit(0), VK_F5);
    EXPECT_EQ(result(), L"Braden 总分：11 分\r\n");
    EXPECT_EQ(verdict(), L"高危，落实翻身与皮肤保护");

    window.set_text(window.edit(5), L"3"); // sum 12
    window.press(window.edit(5), VK_RETURN);
    EXPECT_EQ(result(), L"Braden 总分：12 分\r\n");

    // The focus is on the main window now: F5 and Enter there calculate too.
    ASSERT_EQ(window.focus(), window.main());
    window.set_text(window.edit(0), L"4");
    window.press(window.main(), VK_F5);
    EXPECT_EQ(result(), L"Braden 总分：15 分\r\n");
    window.set_text(window.edit(0), L"1");
    window.press(window.main(), VK_RETURN);
    EXPECT_EQ(result(), L"Braden 总分：12 分\r\n");

    // F5 on a focused button and in the result box calculates as well.
    window.set_text(window.edit(0), L"4");
    window.press(window.control(ID_ABOUT), VK_F5);
    EXPECT_EQ(result(), L"Braden 总分：15 分\r\n");
    EXPECT_TRUE(window.open_message_boxes().empty());
    window.set_text(window.edit(0), L"3");
    window.press(window.control(ID_RESULT), VK_RETURN);
    EXPECT_EQ(result(), L"Braden 总分：14 分\r\n");
}

TEST_F(Window, GradesBySum) {
    struct Case {
        std::vector<std::wstring> inputs;
        const wchar_t* result;
        int level;
    };
    const Case cases[] = {
        {{L"1", L"1", L"1", L"2", L"2", L"2"}, L"Braden 总分：9 分\r\n", 3},
        {{L"2", L"2", L"2", L"2", L"2", L"2"}, L"Braden 总分：12 分\r\n", 2},
        {{L"3", L"3", L"2", L"2", L"2", L"2"}, L"Braden 总分：14 分\r\n", 1},
        {{L"3", L"3", L"3", L"2", L"2", L"2"}, L"Braden 总分：15 分\r\n", 0},
        {{L"4", L"4", L"4", L"4", L"4", L"3"}, L"Braden 总分：23 分\r\n", 0},
        {{L"1", L"1", L"1", L"1", L"1", L"1"}, L"Braden 总分：6 分\r\n", 3},
    };
    for (const Case& c : cases) {
        type_inputs(c.inputs);
        window.click(ID_CALC);
        EXPECT_EQ(result(), c.result);
        EXPECT_EQ(verdict(), level_verdicts[c.level]);
    }
}

// A slip of the hand (a key typed twice, a missed key, a fraction, a word) is refused with the
// values the input accepts, the focus goes to it, and the last result stays as it was.
TEST_F(Window, SlipsAreRefusedWithWhatTheInputAccepts) {
    window.click(ID_CALC);
    const std::wstring before = result();
    struct Case {
        int input;
        const wchar_t* text;
        const wchar_t* message;
    };
    const wchar_t* first = L"第 1 项“感觉 1-4”请输入 1 到 4 的整数。";
    const wchar_t* sixth = L"第 6 项“摩擦力 1-3”请输入 1 到 3 的整数。";
    const Case cases[] = {
        {5, L"11", sixth},     {0, L"41", first},  {0, L"0", first},    {0, L"2.5", first},
        {0, L"2.4", first},    {0, L"", first},    {0, L"abc", first},  {0, L"12abc", first},
        {0, L"2,5", first},    {0, L"   ", first}, {0, L" 0x3", first}, {0, L"-1", first},
        {0, L"1e1", first},    {0, L"四", first},  {5, L"4", sixth},    {0, L"－１", first},
        {0, L"２．５", first},
    };
    for (const Case& c : cases) {
        type_inputs(defaults);
        window.set_text(window.edit(c.input), c.text);
        window.click(ID_CALC);
        expect_message_box(L"输入有误", c.message);
        EXPECT_EQ(window.focus(), window.edit(c.input)) << "focus after refusing";
        EXPECT_EQ(result(), before);
        EXPECT_EQ(verdict(), L"中危，加强观察与营养");
    }
    // Every accepted value of the first input, typed plainly or in full width.
    const wchar_t* accepted[] = {L"1", L"2", L"3", L"4", L"４", L" 3 ", L"３\u3000"};
    const wchar_t* sums[] = {L"11", L"12", L"13", L"14", L"14", L"13", L"13"};
    for (int i = 0; i < 7; ++i) {
        type_inputs(defaults);
        window.set_text(window.edit(0), accepted[i]);
        window.click(ID_CALC);
        EXPECT_TRUE(window.open_message_boxes().empty()) << "refused";
        EXPECT_EQ(result(), std::wstring(L"Braden 总分：") + sums[i] + L" 分\r\n");
    }
}

TEST_F(Window, RefusedInputsChangeNothing) {
    window.click(ID_CALC);
    const std::wstring before = result();
    for (const wchar_t* text : {L"1e999", L"inf", L"nan", L"-INF", L"  nan(0x1)"}) {
        window.set_text(window.edit(0), text);
        window.click(ID_CALC);
        expect_message_box(L"输入有误", L"第 1 项“感觉 1-4”请输入 1 到 4 的整数。");
        EXPECT_EQ(window.focus(), window.edit(0)) << "focus after refusing";
        EXPECT_EQ(result(), before);
        EXPECT_EQ(verdict(), L"中危，加强观察与营养");
    }
    window.set_text(window.edit(0), L"3");
    window.set_text(window.edit(3), L"1e400");
    window.click(ID_CALC);
    expect_message_box(L"输入有误", L"第 4 项“移动 1-4”请输入 1 到 4 的整数。");
    EXPECT_EQ(window.focus(), window.edit(3));
}

// A Chinese input method in full-width mode types the digits, the point and the signs in their
// full-width forms; they read as the numbers they show.
TEST_F(Window, FullWidthDigitsReadAsTheirNumbers) {
    struct Case {
        const wchar_t* first;
        const wchar_t* result;
        const wchar_t* verdict;
    };
    const Case cases[] = {
        {L"３", L"Braden 总分：13 分\r\n", L"中危，加强观察与营养"},
        {L"\u3000４。０", L"Braden 总分：14 分\r\n", L"中危，加强观察与营养"},
        {L"２ｅ０", L"Braden 总分：12 分\r\n", L"高危，落实翻身与皮肤保护"},
        {L"＋１", L"Braden 总分：11 分\r\n", L"高危，落实翻身与皮肤保护"},
    };
    for (const Case& c : cases) {
        window.set_text(window.edit(0), c.first);
        window.click(ID_CALC);
        EXPECT_TRUE(window.open_message_boxes().empty()) << "refused";
        EXPECT_EQ(result(), c.result);
        EXPECT_EQ(verdict(), c.verdict);
    }
    for (const wchar_t* refused : {L"１ｅ９９９", L"２．５", L"－１", L"１，５"}) {
        window.set_text(window.edit(0), refused);
        window.click(ID_CALC);
        expect_message_box(L"输入有误", L"第 1 项“感觉 1-4”请输入 1 到 4 的整数。");
    }
}

// The guide shows what the input whose edit last got the focus means, and stays when the focus
// moves on to the window or a button.
TEST_F(Window, GuideFollowsTheFocusedInput) {
    ASSERT_NE(window.guide(), nullptr);
    const auto guide_starts = [&](const std::wstring& start) {
        return window_text(window.guide()).compare(0, start.size(), start) == 0;
    };
    EXPECT_TRUE(guide_starts(L"感觉 1-4\r\n可填：1 到 4 的整数\r\n1 完全受限："))
        << "the first input's guide at start";
    window.click_into(window.edit(3));
    EXPECT_EQ(window.focus(), window.edit(3));
    EXPECT_TRUE(guide_starts(L"移动 1-4\r\n可填：1 到 4 的整数\r\n1 完全不能："))
        << "after a click into the fourth";
    window.click(ID_CALC);
    EXPECT_EQ(window.focus(), window.main());
    EXPECT_TRUE(guide_starts(L"移动 1-4\r\n")) << "after Calculate";
    const std::wstring text = window_text(window.guide());
    EXPECT_NE(text.find(L"\r\n4 不受限："), std::wstring::npos);
    window.click_into(window.edit(5));
    EXPECT_TRUE(guide_starts(L"摩擦力 1-3\r\n可填：1 到 3 的整数\r\n1 存在问题："));
}

TEST_F(Window, CopyNeedsAResult) {
    window.click(ID_COPY);
    expect_message_box(L"提示", L"请先点击“计算”生成结果。");
    EXPECT_EQ(clipboard_text(), L"<empty clipboard>");

    window.click(ID_CALC);
    window.click(ID_COPY);
    EXPECT_TRUE(window.open_message_boxes().empty());
    EXPECT_EQ(clipboard_text(),
              L"Braden 压疮风险评估\r\n"
              L"感觉 1-4=3，潮湿 1-4=2，活动 1-4=2，移动 1-4=2，营养 1-4=2，摩擦力 1-3=2\r\n"
              L"Braden 总分：13 分\r\n—— 中危，加强观察与营养");

    // Once an input is edited, the result shown no longer matches it: Copy refuses until the
    // next Calculate, even when the text typed is the one it had.
    for (const wchar_t* edited : {L"1", L"3"}) {
        window.set_text(window.edit(0), edited);
        empty_clipboard();
        window.click(ID_COPY);
        expect_message_box(L"提示", L"输入已修改，请先点击“计算”。");
        EXPECT_EQ(clipboard_text(), L"<empty clipboard>");
        EXPECT_EQ(result(), L"Braden 总分：13 分\r\n") << "the result stays visible";
    }
    // A refused Calculate does not make it current either.
    window.set_text(window.edit(0), L"5");
    window.click(ID_CALC);
    expect_message_box(L"输入有误", L"第 1 项“感觉 1-4”请输入 1 到 4 的整数。");
    window.click(ID_COPY);
    expect_message_box(L"提示", L"输入已修改，请先点击“计算”。");
    window.set_text(window.edit(0), L"1");
    window.click(ID_CALC);
    window.click(ID_COPY);
    EXPECT_TRUE(window.open_message_boxes().empty());
    EXPECT_EQ(clipboard_text(),
              L"Braden 压疮风险评估\r\n"
              L"感觉 1-4=1，潮湿 1-4=2，活动 1-4=2，移动 1-4=2，营养 1-4=2，摩擦力 1-3=2\r\n"
              L"Braden 总分：11 分\r\n—— 高危，落实翻身与皮肤保护");

    window.click(ID_RESET);
    empty_clipboard();
    window.click(ID_COPY);
    expect_message_box(L"提示", L"请先点击“计算”生成结果。");
    EXPECT_EQ(clipboard_text(), L"<empty clipboard>");
}

// The status line's pixels, where the window draws its status text.
std::vector<DWORD> status_pixels(const ProgramWindow& window) {
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = window.capture_client(&width, &height);
    std::vector<DWORD> line;
    const LayoutRect& r = layout::STATUS_LINE;
    for (int y = r.y; y < r.bottom() && y < height; ++y)
        for (int x = r.x; x < r.right() && x < width; ++x)
            line.push_back(pixels[static_cast<std::size_t>(y) * width + x]);
    return line;
}

// A Copy while another program holds the clipboard says so on the status line, and claims
// nothing: the other program's text stays.
TEST_F(Window, ACopyThatCannotOpenTheClipboardSaysSo) {
    window.click(ID_CALC);
    const std::vector<DWORD> calculated = status_pixels(window);
    ASSERT_TRUE(OpenClipboard(nullptr));
    window.click(ID_COPY);
    EXPECT_TRUE(wait_until([&] { return status_pixels(window) != calculated; }))
        << "the status line did not change";
    const std::vector<DWORD> failed = status_pixels(window);
    CloseClipboard();
    EXPECT_EQ(clipboard_text(), L"<empty clipboard>");
    EXPECT_TRUE(window.open_message_boxes().empty());
    window.click(ID_COPY);
    EXPECT_EQ(clipboard_text(),
              L"Braden 压疮风险评估\r\n"
              L"感觉 1-4=3，潮湿 1-4=2，活动 1-4=2，移动 1-4=2，营养 1-4=2，摩擦力 1-3=2\r\n"
              L"Braden 总分：13 分\r\n—— 中危，加强观察与营养");
    EXPECT_TRUE(wait_until([&] { return status_pixels(window) != failed; }))
        << "a copy that worked shows the same status as one that failed";
}

TEST_F(Window, ResetRestoresTheStart) {
    type_inputs({L"1", L"4", L"1", L"2", L"4", L"1"});
    window.click(ID_CALC);
    ASSERT_NE(result(), L"");
    window.click(ID_RESET);
    EXPECT_TRUE(window.inputs_blank()) << "Reset empties a scale's inputs";
    EXPECT_EQ(result(), L"");
    EXPECT_EQ(verdict(), verdict_start);
    EXPECT_TRUE(verdict_drawn_in(0x008060)); // level 0 colour again
}

TEST_F(Window, AboutShowsNineLines) {
    window.click(ID_ABOUT);
    expect_message_box(L"关于本工具",
                       L"Braden 压疮风险评估\r\n"
                       L"\r\n"
                       L"分类：护理\r\n"
                       L"参考依据：Braden 评分 6-23 分；≤9 极高危，10-12 高危，13-14 中危，15-18 "
                       L"低危\r\n"
                       L"\r\n"
                       L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
                       L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
                       L"\r\n"
                       L"版本 " +
                           version_string(program_path, L"ProductVersion") +
                           L"    官网：www.halvimed.example");
}

TEST_F(Window, ColoursOnTheScreen) {
    ASSERT_TRUE(wait_until([&] { return pixel(540, 82) == 0x006C96; })) << "never painted";
    struct Spot {
        int x, y;
        DWORD colour;
        const char* what;
    };
    const Spot spots[] = {
        {540, 82, 0x006C96, "header, left of the patient strip"},
        {1012, 50, 0x006C96, "header, right of the patient strip"},
        {4, 44, 0x0084B0, "accent strip"},
        {10, 300, 0xF4F7F9, "window background"},
        {440, 600, 0xFFFFFF, "input panel"},
        {990, 640, 0xFFFFFF, "result panel"},
        {20, 300, 0xDAE2E8, "input panel outline"},
        {999, 300, 0xDAE2E8, "result panel outline"},
        {200, 133, 0xE4EAEE, "caption rule"},
        {(layout::BUTTONS[5].right() + layout::BUTTONS[6].x) / 2, 670, 0xECF1F4,
         "footer between two buttons"},
        {25, 672, 0x007AA8, "calculate face"},
        {20, 690, 0x006A94, "calculate outline"},
        {layout::BUTTONS[1].x + 5, 672, 0xFFFFFF, "secondary face"},
        {layout::BUTTONS[1].x, 690, 0xCED8E0, "secondary outline"},
        {735, 715, 0xECF1F4, "footer beside the status line"},
    };
    for (const Spot& spot : spots) EXPECT_EQ(pixel(spot.x, spot.y), spot.colour) << spot.what;
    EXPECT_GT(count_colour(0xFFFFFF, 26, 12, layout::TITLE_CLIP_RIGHT, 50), 50) << "title text";
    EXPECT_GT(count_colour(0x006C96, 36, 104, 336, 134), 10) << "panel caption";
    const LayoutRect& status = layout::STATUS_LINE;
    EXPECT_GT(count_colour(0x78848E, status.x, status.y, status.right(), status.bottom()), 5)
        << "status line";

    // The verdict in the colour of its level: 0 at the start, then 1, 2, 3 and 0 after Reset.
    EXPECT_TRUE(verdict_drawn_in(0x008060)) << "level 0";
    window.click(ID_CALC);
    EXPECT_TRUE(verdict_drawn_in(0xB08400)) << "level 1";
    EXPECT_TRUE(window.save_screenshot(L"braden_window.bmp"));
    type_inputs({L"2", L"2", L"2", L"2", L"2", L"2"});
    window.click(ID_CALC);
    EXPECT_TRUE(verdict_drawn_in(0xD66C00)) << "level 2";
    type_inputs({L"1", L"1", L"1", L"2", L"2", L"2"});
    window.click(ID_CALC);
    EXPECT_TRUE(verdict_drawn_in(0xBE1E2D)) << "level 3";
    window.click(ID_RESET);
    EXPECT_TRUE(verdict_drawn_in(0x008060)) << "level 0 after Reset";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fputws(L"usage: window_tests.exe PATH_TO_braden.exe\n", stderr);
        return 2;
    }
    program_path = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--small-disk") small_disk = true;
        if (option == L"--small-screen") small_screen = true;
        if (option.rfind(L"--dpi=", 0) == 0) display_dpi = std::stoi(option.substr(6));
        if (option.rfind(L"--print-folder=", 0) == 0) print_folder = option.substr(15);
        if (option == L"--print-stalled") print_stalled = true;
        if (option.rfind(L"--ward=", 0) == 0) ward_pc = option.substr(7);
        if (option == L"--ward-checks") ward_checks = true;
        if (option == L"--ward-large") ward_large = true;
        if (option == L"--ward-invalid") ward_invalid = true;
        if (option.rfind(L"--fhir=", 0) == 0) fhir_control = option.substr(7);
        if (option.rfind(L"--fhir-https=", 0) == 0) fhir_https = option.substr(13);
        if (option.rfind(L"--ward-offline=", 0) == 0) {
            ward_offline = true;
            ward_offline_folder = option.substr(15);
        }
    }
    return RUN_ALL_TESTS();
}
