// The calculation path allocates nothing: the global allocation functions are replaced with
// counting ones; every malloc is counted too, through the sanitizer's hooks natively and through
// the linker's --wrap on Windows.
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "app/selftest.h"
#include "core/civil_date.h"
#include "core/format.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "reports/report.h"
#include "tools/catalog.h"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's allocator interface.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace {

volatile long allocations = 0;

#if defined(__SANITIZE_ADDRESS__)
void count_malloc(const volatile void*, std::size_t) { allocations = allocations + 1; }
void ignore_free(const volatile void*) {}
#endif

} // namespace

#if defined(_WIN32)
// Linked with --wrap for the C allocation functions, so that every call from the statically
// linked C and C++ runtimes and from the code under test comes through here.
extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void* __wrap_malloc(std::size_t size) {
    allocations = allocations + 1;
    return __real_malloc(size);
}
void* __wrap_calloc(std::size_t count, std::size_t size) {
    allocations = allocations + 1;
    return __real_calloc(count, size);
}
void* __wrap_realloc(void* block, std::size_t size) {
    allocations = allocations + 1;
    return __real_realloc(block, size);
}
}
#endif

void* operator new(std::size_t size) {
    allocations = allocations + 1;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Keeps the compiler from removing an allocation whose result is not otherwise used.
void escape(void* pointer) { asm volatile("" : : "g"(pointer) : "memory"); }

class NoAllocation : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_install_malloc_and_free_hooks(count_malloc, ignore_free);
#endif
    }
    long before = 0;
    void start() { before = allocations; }
    long counted() const { return allocations - before; }
};

// The counter itself must see both kinds of allocation, or the tests below prove nothing.
TEST_F(NoAllocation, CounterSeesAllocations) {
    start();
    void* block = std::malloc(64);
    escape(block);
    std::free(block);
    EXPECT_GE(counted(), 1) << "malloc was not counted";
    start();
    int* number = new int(5);
    escape(number);
    delete number;
    EXPECT_GE(counted(), 1) << "operator new was not counted";
}

TEST_F(NoAllocation, CalculationPath) {
    const ToolDef& tool = braden_tool;
    const double values[] = {3, 2, 2, 2, 2, 2};
    const double outputs[16] = {};
    static wchar_t result[4096], verdict[512], kept[8192], text[128];
    static wchar_t report[SELFTEST_REPORT_CAPACITY];
    int error = 0;
    int level = 0;

    start();
    for (int i = 0; i < tool.rule_count; ++i)
        expr_evaluate(tool, tool.rules[i].condition, values, outputs, &error);
    expr_evaluate(tool, tool.outputs[0].formula, values, outputs, &error);
    expr_evaluate(tool, "round(2.5)+0x1A*sqrt(16)^2%7-(1?2:3)+min(1,2)", values, outputs, &error);
    EXPECT_EQ(counted(), 0) << "expr_evaluate";

    start();
    const char* formats[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", nullptr, "other"};
    for (const char* format : formats) format_value(format, 12345.678, text, 128);
    format_value("f0", 1e300, text, 128);
    civil_from_days(-719529, text, 128);
    EXPECT_EQ(counted(), 0) << "format_value";

    start();
    tool_compute(tool, values, result, 4096, verdict, 512, &level, kept, 8192);
    EXPECT_EQ(counted(), 0) << "tool_compute";

    start();
    selftest_report(tool, report, SELFTEST_REPORT_CAPACITY);
    EXPECT_EQ(counted(), 0) << "selftest_report";
}

TEST_F(NoAllocation, EveryReportKind) {
    static InputDef inputs[REPORT_MAX_KEYS];
    static double values[REPORT_MAX_KEYS];
    static wchar_t report[8192], verdict[512];
    // The C library loads the time zone on its first local-time query and keeps it; that one-time
    // set-up is the library's, not the report's.
    report_today();
    for (int kind = 0; kind <= REPORT_KIND_COUNT + 1; ++kind) {
        const ReportKindDef* def = report_kind_def(kind);
        const int key_count = def != nullptr ? def->key_count : 0;
        // Small and large values: the largest rosters, timetables and templates among them.
        for (double value : {1.0, 40.0}) {
            for (int k = 0; k < key_count; ++k) {
                inputs[k] = {def->keys[k], L"x", nullptr, value};
                values[k] = value;
            }
            const ToolDef tool = {1,      L"t", nullptr, L"c", L"r",    nullptr, key_count,
                                  inputs, 0,    nullptr, 0,    nullptr, kind};
            start();
            report_dispatch(kind, tool, values, report, 8192, verdict, 512);
            EXPECT_EQ(counted(), 0) << "report kind " << kind << " at " << value;
        }
    }
}

} // namespace
