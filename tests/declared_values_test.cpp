// A typed value is the declared value it was accepted as: over every stepped or listed input of
// every program, the texts at and just beside each declared value are either refused, or read as
// exactly that value and give exactly its result.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/accepted_values.h"
#include "core/format.h"
#include "core/input_text.h"
#include "engine/engine.h"
#include "tests/declared_input.h"
#include "tests/tool_programs.h"

namespace {

constexpr int RESULT_CAPACITY = 8192;
// Inputs with more values than this are tried at both ends and at an even spread between.
constexpr int VALUES_TRIED_MAX = 240;

struct Outcome {
    std::wstring result;
    std::wstring verdict;
    int level;
};

Outcome compute(const ToolDef& tool, const double* values) {
    static wchar_t result[RESULT_CAPACITY];
    static wchar_t verdict[512];
    static wchar_t kept[RESULT_CAPACITY];
    int level = -1;
    tool_compute(tool, values, result, RESULT_CAPACITY, verdict, 512, &level, kept,
                 RESULT_CAPACITY);
    return {result, verdict, level};
}

std::wstring wide(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring shortest(double value) {
    wchar_t text[64];
    format_shortest(value, text, 64);
    return text;
}

TEST(DeclaredValues, EveryTextBesideADeclaredValueIsRefusedOrIsThatValue) {
    int cases = 0;
    int refused = 0;
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const char* name = TOOL_PROGRAMS[p].name;
        double values[TOOL_MAX_INPUTS] = {};
        for (int j = 0; j < tool_input_count(tool); ++j) values[j] = tool.inputs[j].default_value;
        for (int j = 0; j < tool_input_count(tool); ++j) {
            const InputDef& input = tool.inputs[j];
            const bool listed = input_choice_count(input) > 0;
            const int count = input_declared_count(input);
            const int stride = count > VALUES_TRIED_MAX ? count / (VALUES_TRIED_MAX / 2) : 1;
            for (int k = 0; k < count; ++k) {
                if (stride > 1 && k >= 60 && k < count - 60 && k % stride != 0) continue;
                double declared = 0;
                const double nominal =
                    listed ? input.choices.values[k] : input.lowest + k * input.step;
                ASSERT_TRUE(input_value_from_text(input, shortest(nominal).c_str(), &declared))
                    << name << " " << input.key << " " << nominal;
                values[j] = declared;
                const Outcome expected = compute(tool, values);
                const double unit = listed ? 1.0 : input.step;
                const double beside[] = {1e-9, -1e-9, 1e-7, -1e-7, 1e-12, -1e-12};
                for (const double offset : beside) {
                    char text[64];
                    std::snprintf(text, sizeof text, "%.17g", declared + offset * unit);
                    const std::wstring typed = wide(text);
                    double read = -12345;
                    ++cases;
                    if (!input_value_from_text(input, typed.c_str(), &read)) {
                        ++refused;
                        EXPECT_EQ(read, -12345);
                        continue;
                    }
                    // Only a slack far below what any digit a nurse types can show is taken.
                    EXPECT_LT(std::fabs(offset), 1e-8) << name << " " << input.key << " " << text;
                    EXPECT_EQ(read, declared) << name << " " << input.key << " " << text;
                    values[j] = read;
                    const Outcome got = compute(tool, values);
                    EXPECT_EQ(got.result, expected.result)
                        << name << " " << input.key << " " << text;
                    EXPECT_EQ(got.verdict, expected.verdict)
                        << name << " " << input.key << " " << text;
                    EXPECT_EQ(got.level, expected.level) << name << " " << input.key << " " << text;
                }
                // The value written with extra digits, and as the descriptor's decimals give it.
                for (const char* format : {"%.10f", "%.3f", "%.12g"}) {
                    char text[64];
                    std::snprintf(text, sizeof text, format, nominal);
                    double read = -12345;
                    ++cases;
                    if (!input_value_from_text(input, wide(text).c_str(), &read)) {
                        ++refused;
                        continue;
                    }
                    EXPECT_EQ(read, declared) << name << " " << input.key << " " << text;
                }
                values[j] = input.default_value;
            }
        }
    }
    std::printf("declared-value property: %d texts tried, %d refused\n", cases, refused);
    EXPECT_GT(cases, 10000);
}

// The slack is one fraction of a step at every step: at the first and last values of a long range
// the same offsets are taken and refused. Minus zero is zero.
TEST(DeclaredValues, SlackIsTheSameAtEveryStepAndMinusZeroIsZero) {
    const InputDef gap = declared_input(1, 3650, 1);
    const InputDef temperature = declared_input(25, 45, 0.1);
    struct Case {
        const InputDef* input;
        const wchar_t* typed;
        bool taken;
        double value;
    };
    const Case cases[] = {
        {&gap, L"1", true, 1},
        {&gap, L"1.0000000009", true, 1},
        {&gap, L"0.9999999991", true, 1},
        {&gap, L"1.000000002", false, 0},
        {&gap, L"3650.0000000009", true, 3650},
        {&gap, L"3649.9999999991", true, 3650},
        {&gap, L"3650.000000002", false, 0},
        {&gap, L"3649.999999998", false, 0},
        {&gap, L"3650.00007", false, 0},
        {&gap, L"3651", false, 0},
        {&gap, L"0", false, 0},
        {&temperature, L"36.6", true, 36.6},
        {&temperature, L"36.600000000", true, 36.6},
        {&temperature, L"36.60000000001", true, 36.6},
        {&temperature, L"36.60000001", false, 0},
        {&temperature, L"45.00000000001", true, 45},
        {&temperature, L"24.99999999999", true, 25},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(input_value_from_text(*c.input, c.typed, &value), c.taken)
            << std::wstring(c.typed).size() << " characters";
        if (c.taken) {
            EXPECT_EQ(value, c.value);
        }
    }
    for (const InputDef& input :
         {declared_input(0, 2, 2), declared_input(-36500, 36500, 1), declared_input(-5, 300, 0),
          declared_input(-1, 1, 0, {-1, 0, 1})}) {
        for (const wchar_t* typed : {L"-0", L"-0.0", L"-0e5", L"－０"}) {
            double value = -1;
            ASSERT_TRUE(input_value_from_text(input, typed, &value)) << input.lowest;
            EXPECT_EQ(value, 0.0);
            EXPECT_FALSE(std::signbit(value)) << input.lowest;
        }
    }
}

} // namespace
