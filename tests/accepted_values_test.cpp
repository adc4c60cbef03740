// The values an input accepts: the check at its limits and steps, the strict reading of a typed
// text, the words that name them, and the reading of a whole window's inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/accepted_values.h"
#include "core/input_text.h"
#include "screen/window_texts.h"
#include "tests/declared_input.h"

namespace {

TEST(AcceptedValues, LimitsStepsAndTolerance) {
    struct Case {
        double lowest, highest, step;
        const wchar_t* typed;
        bool accepted;
    };
    const Case cases[] = {
        {1, 4, 1, L"1", true},
        {1, 4, 1, L"4", true},
        {1, 4, 1, L"0", false},
        {1, 4, 1, L"5", false},
        {1, 4, 1, L"41", false},
        {1, 4, 1, L"11", false},
        {1, 4, 1, L"2.5", false},
        {1, 4, 1, L"3.0", true},
        {1, 4, 1, L"4e0", true},
        {1, 4, 1, L"  ４ ", true},
        {1, 4, 1, L"\u3000３\u3000", true},
        {1, 4, 1, L"", false},
        {1, 4, 1, L"   ", false},
        {1, 4, 1, L"abc", false},
        {1, 4, 1, L"12abc", false},
        {1, 4, 1, L"2,5", false},
        {1, 4, 1, L"四", false},
        {1, 4, 1, L"0x3", false},
        {1, 4, 1, L"inf", false},
        {1, 4, 1, L"nan", false},
        {1, 4, 1, L"3 4", false},
        {1, 4, 1, L"3.", true},
        {1, 4, 1, L".", false},
        {1, 4, 1, L"3e", false},
        {1, 4, 1, L"+3", true},
        {1, 4, 1, L"-3", false},
        // Decimal steps and steps counted from the lowest value.
        {30, 45, 0.1, L"36.6", true},
        {30, 45, 0.1, L"36.65", false},
        {30, 45, 0.1, L"45", true},
        {30, 45, 0.1, L"45.1", false},
        {30, 45, 0.1, L"29.9", false},
        {0, 30, 15, L"30", true},
        {0, 30, 15, L"15", true},
        {0, 30, 15, L"20", false},
        {0, 30, 15, L"45", false},
        {0, 23.75, 0.25, L"7.5", true},
        {0, 23.75, 0.25, L"7.6", false},
        {0, 23.75, 0.25, L"24", false},
        {0.01, 10000, 0.01, L"0.07", true},
        {0.01, 10000, 0.01, L"9999.99", true},
        {0.01, 10000, 0.01, L"0.015", false},
        {0.01, 10000, 0.01, L"0", false},
        // Step 0: any value in between.
        {0.1, 72, 0, L"0.1", true},
        {0.1, 72, 0, L"72", true},
        {0.1, 72, 0, L"0.09", false},
        {0.1, 72, 0, L"72.01", false},
        {0.1, 72, 0, L"2.5", true},
        {-36500, 36500, 1, L"-36500", true},
        {-36500, 36500, 1, L"-36501", false},
    };
    for (const Case& c : cases) {
        const InputDef input = declared_input(c.lowest, c.highest, c.step);
        double value = -777;
        const bool taken = input_value_from_text(input, c.typed, &value);
        EXPECT_EQ(taken, c.accepted) << c.lowest << ".." << c.highest << " step " << c.step << ": "
                                     << std::wstring(c.typed).size() << " characters";
        if (!c.accepted) {
            EXPECT_EQ(value, -777) << "a refused text changed the value";
        }
    }
}

TEST(AcceptedValues, WordsAndTheRefusalMessage) {
    struct Case {
        double lowest, highest, step;
        const wchar_t* words;
    };
    const Case cases[] = {
        {1, 4, 1, L"1 到 4 的整数"},
        {0, 1, 1, L"0 到 1 的整数"},
        {18, 120, 1, L"18 到 120 的整数"},
        {0, 25, 25, L"0 或 25"},
        {0, 30, 15, L"0、15 或 30"},
        {0, 15, 5, L"0、5、10 或 15"},
        {0, 20, 5, L"0 到 20 之间、5 的倍数"},
        {25, 45, 0, L"25 到 45 之间的数值"},
        {0.5, 10000, 0, L"0.5 到 10000 之间的数值"},
        {0, 100, 5, L"0 到 100 之间、5 的倍数"},
        {30, 45, 0.1, L"30 到 45 之间、0.1 的倍数"},
        {0, 0.3, 0.1, L"0、0.1、0.2 或 0.3"},
    };
    for (const Case& c : cases) {
        const InputDef input = declared_input(c.lowest, c.highest, c.step);
        wchar_t words[ACCEPTED_TEXT_CAPACITY];
        build_accepted_text(input, words, ACCEPTED_TEXT_CAPACITY);
        EXPECT_STREQ(words, c.words);
        const ToolDef tool = {.id = 1,
                              .title = L"t",
                              .category = L"c",
                              .reference = L"r",
                              .input_count = 1,
                              .inputs = &input};
        wchar_t message[MESSAGE_TEXT_CAPACITY];
        build_input_error_text(tool, 0, message, MESSAGE_TEXT_CAPACITY);
        EXPECT_EQ(std::wstring(message), std::wstring(L"第 1 项“体温”请输入 ") + c.words + L"。");
    }
    // Nothing declared: the words are empty and the message asks for a number, as it always did.
    const InputDef loose = {"x", L"剂量", L"", 0};
    wchar_t words[ACCEPTED_TEXT_CAPACITY] = L"#";
    build_accepted_text(loose, words, ACCEPTED_TEXT_CAPACITY);
    EXPECT_STREQ(words, L"");
    EXPECT_TRUE(input_accepts(loose, -1e300));
    EXPECT_FALSE(input_accepts(loose, HUGE_VAL));
}

TEST(AcceptedValues, AnInputThatDeclaresNothingStillTakesOnlyANumber) {
    const InputDef loose = {"x", L"剂量", L"", 0};
    struct Case {
        const wchar_t* text;
        bool taken;
        double value;
    };
    const Case cases[] = {{L"-7", true, -7},  {L" ２．５ ", true, 2.5}, {L"1e300", true, 1e300},
                          {L"", false, 0},    {L"abc", false, 0},       {L"12abc", false, 0},
                          {L"2,5", false, 0}, {L"0x1A", false, 0},      {L"1e999", false, 0},
                          {L"nan", false, 0}};
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(input_value_from_text(loose, c.text, &value), c.taken);
        EXPECT_EQ(value, c.taken ? c.value : -1);
    }
}

TEST(AcceptedValues, ATextTooLongToReadWholeIsRefused) {
    const InputDef input = declared_input(1, 4, 1);
    std::wstring text(INPUT_TEXT_CAPACITY - 2, L' ');
    text += L"4"; // 127 characters: read whole
    double value = 0;
    EXPECT_TRUE(input_value_from_text(input, text.c_str(), &value));
    text.insert(0, L" "); // 128: its end is beyond what is read
    EXPECT_FALSE(input_value_from_text(input, text.c_str(), &value));
}

TEST(AcceptedValues, ARefusedReadingKeepsTheValuesOfTheLastGoodOne) {
    InputDef inputs[3] = {
        declared_input(1, 4, 1), declared_input(1, 4, 1), {"free", L"备注", L"", 0}};
    const ToolDef tool = {.id = 1,
                          .title = L"t",
                          .category = L"c",
                          .reference = L"r",
                          .input_count = 3,
                          .inputs = inputs};
    double values[TOOL_MAX_INPUTS] = {};
    const wchar_t* good[] = {L"2", L"３", L"0"};
    EXPECT_EQ(input_values_from_texts(tool, good, values), -1);
    EXPECT_EQ(values[0], 2);
    EXPECT_EQ(values[1], 3);
    EXPECT_EQ(values[2], 0);
    const wchar_t* refused[][3] = {{L"1", L"41", L"5"}, {L"", L"1", L"5"}, {L"4", L"1", L"inf"}};
    const int index[] = {1, 0, 2};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(input_values_from_texts(tool, refused[r], values), index[r]);
        EXPECT_EQ(values[0], 2);
        EXPECT_EQ(values[1], 3);
        EXPECT_EQ(values[2], 0);
    }
}

// A list of choices is all that an input accepts: each listed value (as typed in any form that
// reads as it), nothing between or beside them, and its words list them.
TEST(AcceptedValues, AListOfChoices) {
    const InputDef factor = declared_input(10, 60, 0, {10, 15, 20, 60});
    struct Case {
        const wchar_t* typed;
        bool accepted;
        double value;
    };
    const Case cases[] = {
        {L"10", true, 10},         {L"15", true, 15},
        {L"20.0", true, 20},       {L"６０", true, 60},
        {L"6e1", true, 60},        {L"29", false, 0},
        {L"12", false, 0},         {L"17.5", false, 0},
        {L"40", false, 0},         {L"61", false, 0},
        {L"9", false, 0},          {L"0", false, 0},
        {L"", false, 0},           {L"二十", false, 0},
        {L"20.0000001", false, 0}, {L"19.99999999999", true, 20},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(input_value_from_text(factor, c.typed, &value), c.accepted)
            << std::wstring(c.typed).size() << " characters";
        EXPECT_EQ(value, c.accepted ? c.value : -1);
    }
    wchar_t words[ACCEPTED_TEXT_CAPACITY];
    build_accepted_text(factor, words, ACCEPTED_TEXT_CAPACITY);
    EXPECT_STREQ(words, L"10、15、20 或 60");
    InputDef two = declared_input(1, 2, 0, {1, 2});
    build_accepted_text(two, words, ACCEPTED_TEXT_CAPACITY);
    EXPECT_STREQ(words, L"1 或 2");
    // A list longer than it holds is seen, never silently cut.
    two.choices = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(two.choices.count, 9);
    EXPECT_EQ(input_choice_count(two), INPUT_MAX_CHOICES);
}

} // namespace
