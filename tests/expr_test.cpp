#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "expr/expr.h"

namespace {

const InputDef xy_inputs[] = {{"x", L"x", nullptr, 0}, {"y", L"y", nullptr, 3}};
const OutputDef xy_outputs[] = {{"out", L"out", nullptr, "y", nullptr},
                                {"x", L"shadowed", nullptr, "1", nullptr}};
const ToolDef xy_tool = {1,         L"t", nullptr,    L"c", L"r",    nullptr, 2,
                         xy_inputs, 2,    xy_outputs, 0,    nullptr, 0};
const double xy_values[] = {0, 3};
const double xy_outputs_table[16] = {7, 9};

struct Case {
    const char* text;
    double value;
    int error;
};

void expect_cases(const Case* cases, int count) {
    for (int i = 0; i < count; ++i) {
        const Case& c = cases[i];
        int error = -1;
        const double value = expr_evaluate(xy_tool, c.text, xy_values, xy_outputs_table, &error);
        EXPECT_EQ(error, c.error) << '"' << c.text << '"';
        if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isnan(value)) << c.text;
        } else {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
}

#define EXPECT_CASES(cases) expect_cases(cases, static_cast<int>(sizeof(cases) / sizeof(cases[0])))

TEST(Expr, ArithmeticAndPrecedence) {
    const Case cases[] = {
        {"2+3*4", 14, 0}, {"(2+3)*4", 20, 0}, {"2^3^2", 512, 0}, {"-2^2", 4, 0},
        {"2^-1", 0.5, 0}, {"+-+3", -3, 0},    {"10-4-3", 3, 0},  {"2*3/4", 1.5, 0},
        {"7%3", 1, 0},    {"-7%3", -1, 0},    {"7%-3", 1, 0},    {"mod(7.5,2)", 1.5, 0},
        {"y*y-x", 9, 0},  {"2 ^ 3", 8, 0},    {"8/2/2", 2, 0},   {"1-2^2", -3, 0},
    };
    EXPECT_CASES(cases);
}

TEST(Expr, ComparisonsAndLogic) {
    const Case cases[] = {
        {"1<2", 1, 0},         {"2<=2", 1, 0},  {"1==1.0", 1, 0},    {"1!=1", 0, 0},
        {"3>=4", 0, 0},        {"3>2", 1, 0},   {"1<2<3", 1, 1},     {"y=3", 3, 1},
        {"1&&0", 0, 0},        {"0||2", 1, 0},  {"!0", 1, 0},        {"!5", 0, 0},
        {"3?4:5", 4, 0},       {"0?4:5", 5, 0}, {"1?2:0?3:4", 2, 0}, {"0?2:0?3:4", 4, 0},
        {"1 & 1", 1, 1},       {"1 | 1", 1, 1}, {"1<>2", 0, 1},      {"1 < = 2", 0, 1},
        {"2>1&&3>2||0", 1, 0}, {"(1?2)", 2, 1},
    };
    EXPECT_CASES(cases);
}

TEST(Expr, FailuresReturnTheirDefinedValues) {
    const Case cases[] = {
        {"x>0 ? 1/x : 0", 0, 1},
        {"y/x+3", 3, 1},
        {"x%0+1", 1, 1},
        {"1/0+3", 3, 1},
        {"", 0, 1},
        {"   ", 0, 1},
        {"(1", 1, 1},
        {"1)", 1, 1},
        {"2**3", 2, 1},
        {"1e", 1, 1},
        {"2x", 2, 1},
        {".", 0, 1},
        {"1e999", INFINITY, 1},
        {"exp(1000)", INFINITY, 1},
        {"undefined", 0, 1},
        {"z+1", 1, 1},
        {"1+", 1, 1},
        {"*2", 0, 1},
        {"4 5", 4, 1},
        {"1?2 3", 2, 1},
        {"0/0", 0, 1},
        {"1,2", 1, 1},
    };
    EXPECT_CASES(cases);
}

TEST(Expr, NullTextFails) {
    int error = 0;
    EXPECT_EQ(expr_evaluate(xy_tool, nullptr, xy_values, xy_outputs_table, &error), 0.0);
    EXPECT_EQ(error, 1);
}

TEST(Expr, BuiltInFunctions) {
    const Case cases[] = {
        {"sqrt(16)", 4, 0},
        {"sqrt (4)", 2, 0},
        {"sqrt(-1)", 0, 1},
        {"abs(-3)", 3, 0},
        {"log(1)", 0, 0},
        {"log(0)", 0, 1},
        {"log(-1)", 0, 1},
        {"log10(1000)", 3, 0},
        {"log10(0)", 0, 1},
        {"exp(0)", 1, 0},
        {"floor(-1.5)", -2, 0},
        {"ceil(-1.5)", -1, 0},
        {"round(2.5)", 3, 0},
        {"round(-2.5)", -2, 0},
        {"round(-2.6)", -3, 0},
        {"round(0.49999999999999994)", 1, 0},
        {"sign(-4)", -1, 0},
        {"sign(0)", 0, 0},
        {"sign(7)", 1, 0},
        {"pow(2,10)", 1024, 0},
        {"min(1,2)", 1, 0},
        {"max(1,2)", 2, 0},
        {"mod(5,0)", 0, 1},
        {"min(1,2,3)", 1, 1},
        {"min(1)", 0, 1},
        {"sqrt(1,2)", 0, 1},
        {"sqrt()", 0, 1},
        {"Sqrt(4)", 0, 1},
        {"foo(1)", 0, 1},
        {"sqrt(4", 2, 1},
        {"cbrt(-8)", -std::pow(8.0, 0.3333333333333333), 0},
        {"pi", 0, 1},
        {"e", 0, 1},
    };
    EXPECT_CASES(cases);
}

TEST(Expr, NumbersAndWhitespace) {
    const Case cases[] = {
        {".5+.5", 1, 0},      {"0x10", 16, 0}, {"0X1A", 26, 0}, {"1e3", 1000, 0},
        {"2.5E-2", 0.025, 0}, {"5.", 5, 0},    {"12", 12, 0},   {" y + 1 \r\n", 4, 0},
        {"\ty\t*\n2", 6, 0},  {"1\v+1", 1, 1}, {"1+\f1", 1, 1},
    };
    EXPECT_CASES(cases);
}

TEST(Expr, NaNAndInfinityInsideAText) {
    const Case cases[] = {
        {"exp(1000)>1", 1, 0},
        {"sign(0*exp(1000))", 0, 0},
        {"(0*exp(1000))!=(0*exp(1000))", 1, 0},
        {"(0*exp(1000))==(0*exp(1000))", 0, 0},
        {"!(0*exp(1000))", 0, 0},
        {"(0*exp(1000))&&1", 1, 0},
        {"(0*exp(1000))?5:6", 5, 0},
        {"min(0*exp(1000),4)", 4, 0},
        {"max(4,0*exp(1000))", NAN, 1},
        {"sqrt(0*exp(1000))", NAN, 1},
        {"1/(0*exp(1000))", NAN, 1},
    };
    EXPECT_CASES(cases);
}

TEST(Expr, NegativeZeroResults) {
    int error = 1;
    double v = expr_evaluate(xy_tool, "-x", xy_values, xy_outputs_table, &error);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(std::signbit(v));
    v = expr_evaluate(xy_tool, "sqrt(-x)", xy_values, xy_outputs_table, &error);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(std::signbit(v));
    EXPECT_EQ(v, 0.0);
}

TEST(Expr, NamesAndKeys) {
    const Case cases[] = {
        {"out", 7, 0}, // an output reads its slot of the table
        {"x", 0, 0},   // an input hides an output with the same key
        {"out+y", 10, 0},
        {"X", 0, 1}, // case-sensitive
    };
    EXPECT_CASES(cases);

    const InputDef min_inputs[] = {{"min", L"min", nullptr, 5}};
    const ToolDef min_tool = {2,          L"t", nullptr, L"c", L"r",    nullptr, 1,
                              min_inputs, 0,    nullptr, 0,    nullptr, 0};
    const double five[] = {5};
    int error = 1;
    EXPECT_EQ(expr_evaluate(min_tool, "min+1", five, nullptr, &error), 6);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(expr_evaluate(min_tool, "min(1,2)", five, nullptr, &error), 1);
    EXPECT_EQ(error, 0);

    // A name is a key only when it is the whole key: neither a prefix nor a longer name matches.
    const InputDef braden_like[] = {{"sensory", L"感觉", nullptr, 3}};
    const ToolDef prefix_tool = {2,           L"t", nullptr, L"c", L"r",    nullptr, 1,
                                 braden_like, 0,    nullptr, 0,    nullptr, 0};
    const double three[] = {3};
    for (const char* name : {"sens", "sensor", "sensoryx", "Sensory"}) {
        EXPECT_EQ(expr_evaluate(prefix_tool, name, three, nullptr, &error), 0) << name;
        EXPECT_EQ(error, 1) << name;
    }
    EXPECT_EQ(expr_evaluate(prefix_tool, "sensory", three, nullptr, &error), 3);
    EXPECT_EQ(error, 0);
}

TEST(Expr, NamesLongerThanSixtyThreeCharactersFail) {
    const std::string key(63, 'k');
    const InputDef inputs[] = {{key.c_str(), L"k", nullptr, 2}};
    const ToolDef tool = {3,      L"t", nullptr, L"c", L"r",    nullptr, 1,
                          inputs, 0,    nullptr, 0,    nullptr, 0};
    const double two[] = {2};
    int error = 1;
    EXPECT_EQ(expr_evaluate(tool, key.c_str(), two, nullptr, &error), 2);
    EXPECT_EQ(error, 0);
    const std::string longer = key + "k";
    EXPECT_EQ(expr_evaluate(tool, longer.c_str(), two, nullptr, &error), 2);
    EXPECT_EQ(error, 1);
}

TEST(Expr, NestingIsBoundedInsteadOfOverflowingTheStack) {
    struct Case {
        std::string text;
        int error;
        double value;
    };
    auto wrap = [](int depth, const char* open, const char* inner, const char* close) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += open;
        text += inner;
        for (int i = 0; i < depth; ++i) text += close;
        return text;
    };
    const Case cases[] = {
        {wrap(EXPR_MAX_NESTING, "(", "5", ")"), 0, 5},
        {wrap(EXPR_MAX_NESTING + 1, "(", "5", ")"), 1, 0},
        {wrap(100000, "(", "5", ")"), 1, 0},
        {wrap(100000, "-", "5", ""), 1, 0},
        {wrap(100000, "!", "5", ""), 1, 0},
        {wrap(100000, "abs(", "5", ")"), 1, 0},
        {wrap(100000, "1?", "1", ":1"), 1, 0},
        {wrap(100000, "2^", "1", ""), 1, 0},
        {wrap(EXPR_MAX_NESTING, "-", "5", ""), 0, 5},
    };
    for (const Case& c : cases) {
        int error = -1;
        const double value =
            expr_evaluate(xy_tool, c.text.c_str(), xy_values, xy_outputs_table, &error);
        EXPECT_EQ(error, c.error) << c.text.substr(0, 20);
        EXPECT_EQ(value, c.value) << c.text.substr(0, 20);
    }
}

TEST(Expr, ApplyFunctionWithOneArgumentRejectsTwoArgumentNames) {
    int error = 0;
    EXPECT_EQ(apply_function("min", 1, 3, 0, &error), 0);
    EXPECT_EQ(error, 1);
    error = 0;
    EXPECT_EQ(apply_function("abs", 1, -2.5, 0, &error), 2.5);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(std::isnan(apply_function("sqrt", 1, std::nan(""), 0, &error)));
    EXPECT_EQ(error, 0);
}

} // namespace
