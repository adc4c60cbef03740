// report_dispatch with any kind, any values (NaN and infinities included) and any capacities:
// nothing is written past a buffer, texts are terminated, a cut report is the start of the whole
// one, and the level is 0 to 3.
#include <cwchar>

#include "reports/report.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int MAX_KEYS = REPORT_KIND_COUNT * REPORT_MAX_KEYS;
constexpr int GUARD = 32;
constexpr wchar_t CANARY = 0x5A5A;

// Every key of the report registry; a key that two reports read comes twice, which is harmless.
int registry_keys(const char** keys) {
    int count = 0;
    for (const ReportKindDef& def : REPORT_KINDS)
        for (int k = 0; k < def.key_count; ++k) keys[count++] = def.keys[k];
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* keys[MAX_KEYS];
    static const int key_count = registry_keys(keys);
    FuzzInput input(data, size);
    const int kind = static_cast<int>(input.byte() % 15) - 1;
    InputDef inputs[MAX_KEYS];
    double values[MAX_KEYS];
    int count = 0;
    for (int i = 0; i < key_count; ++i) {
        if (input.byte() % 4 == 0) continue; // some keys missing
        inputs[count] = {keys[i], L"x", nullptr, 0};
        values[count++] = input.interesting_number();
    }
    const ToolDef tool = {1,      L"t", nullptr, L"c", L"r",    nullptr, count,
                          inputs, 0,    nullptr, 0,    nullptr, kind};
    const int report_capacity = 1 + (input.byte() | (input.byte() << 8)) % 8192;
    const int verdict_capacity = 1 + input.byte() % 40;

    static wchar_t whole[8192], whole_verdict[64];
    const int whole_level = report_dispatch(kind, tool, values, whole, 8192, whole_verdict, 64);
    FUZZ_CHECK(whole_level >= 0 && whole_level <= 3);

    static wchar_t report[8192 + GUARD];
    wchar_t verdict[40 + GUARD];
    for (wchar_t& c : report) c = CANARY;
    for (wchar_t& c : verdict) c = CANARY;
    // The follow-up plan reads the clock: across midnight the two calls may differ in dates.
    const int level =
        report_dispatch(kind, tool, values, report, report_capacity, verdict, verdict_capacity);
    FUZZ_CHECK(level == whole_level);
    FUZZ_CHECK(terminated_within(report, report_capacity));
    FUZZ_CHECK(terminated_within(verdict, verdict_capacity));
    for (int i = report_capacity; i < 8192 + GUARD; ++i) FUZZ_CHECK(report[i] == CANARY);
    for (int i = verdict_capacity; i < 40 + GUARD; ++i) FUZZ_CHECK(verdict[i] == CANARY);
    if (kind != 7) {
        FUZZ_CHECK(std::wcsncmp(report, whole, std::wcslen(report)) == 0);
        FUZZ_CHECK(std::wcsncmp(verdict, whole_verdict, std::wcslen(verdict)) == 0);
    }
    return 0;
}
