// Timings of the calculation path: the formula language, value formats, the engine, the
// self-test report and the largest report.
#include <benchmark/benchmark.h>

#include "app/selftest.h"
#include "core/format.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "reports/report.h"
#include "tools/catalog.h"

namespace {

const double braden_defaults[] = {3, 2, 2, 2, 2, 2};

void evaluate(benchmark::State& state, const char* text) {
    const ToolDef& tool = braden_tool;
    const double outputs[16] = {};
    int error = 0;
    for (auto _ : state) {
        double value = expr_evaluate(tool, text, braden_defaults, outputs, &error);
        benchmark::DoNotOptimize(value);
    }
}

void BM_ExprBradenFormula(benchmark::State& state) {
    evaluate(state, braden_tool.outputs[0].formula);
}
void BM_ExprBradenCondition(benchmark::State& state) {
    evaluate(state, braden_tool.rules[0].condition);
}

void format(benchmark::State& state, const char* name, double value) {
    wchar_t text[128];
    for (auto _ : state) {
        format_value(name, value, text, 128);
        benchmark::DoNotOptimize(text);
    }
}

void BM_FormatF0(benchmark::State& state) { format(state, "f0", 13.0); }
void BM_FormatDate(benchmark::State& state) { format(state, "date", 20794.0); }

void BM_ToolComputeBraden(benchmark::State& state) {
    static wchar_t result[4096], verdict[512], kept[8192];
    int level = 0;
    for (auto _ : state) {
        tool_compute(braden_tool, braden_defaults, result, 4096, verdict, 512, &level, kept, 8192);
        benchmark::DoNotOptimize(result);
    }
}

void BM_SelftestReport(benchmark::State& state) {
    static wchar_t report[SELFTEST_REPORT_CAPACITY];
    for (auto _ : state) {
        selftest_report(braden_tool, report, SELFTEST_REPORT_CAPACITY);
        benchmark::DoNotOptimize(report);
    }
}

void BM_RosterFortyNursesThirtyOneDays(benchmark::State& state) {
    static const InputDef inputs[] = {{"nurses", L"n", nullptr, 40}, {"days", L"d", nullptr, 31}};
    static const ToolDef tool = {1,      L"t", nullptr, L"c", L"r",    nullptr, 2,
                                 inputs, 0,    nullptr, 0,    nullptr, 1};
    const double values[] = {40, 31};
    static wchar_t report[8192], verdict[512];
    for (auto _ : state) {
        report_dispatch(1, tool, values, report, 8192, verdict, 512);
        benchmark::DoNotOptimize(report);
    }
}

} // namespace

BENCHMARK(BM_ExprBradenFormula);
BENCHMARK(BM_ExprBradenCondition);
BENCHMARK(BM_FormatF0);
BENCHMARK(BM_FormatDate);
BENCHMARK(BM_ToolComputeBraden);
BENCHMARK(BM_SelftestReport);
BENCHMARK(BM_RosterFortyNursesThirtyOneDays);
