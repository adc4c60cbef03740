// The CSV header and records with any labels, times, values, result and patient texts, at any
// capacity: terminated, never past the buffer, whole or empty, and convertible to UTF-8 whole.
#include "records/record_id.h"
#include "records/record_lines.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int GUARD = 32;
constexpr wchar_t CANARY = 0x5A5A;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int count = input.byte() % (TOOL_MAX_INPUTS + 1);
    static wchar_t labels[TOOL_MAX_INPUTS][200];
    InputDef inputs[TOOL_MAX_INPUTS];
    double values[TOOL_MAX_INPUTS];
    for (int i = 0; i < count; ++i) {
        input.wide_text(labels[i], 200, 1 + input.byte() % 199);
        inputs[i] = {"k", labels[i], nullptr, 0};
        values[i] = input.interesting_number();
    }
    static wchar_t title[300];
    input.wide_text(title, 300, input.byte());
    const ToolDef tool = {input.integer(), title, nullptr, L"c", L"r",    nullptr, count,
                          inputs,          0,     nullptr, 0,    nullptr, 0};
    const LocalTime time = {input.integer(), input.integer(), input.integer(),
                            input.integer(), input.integer(), input.integer()};
    static wchar_t result[8192];
    input.wide_text(result, 8192, 8192);

    const int capacity = 1 + (input.byte() | (input.byte() << 8)) % RECORD_LINE_CAPACITY;
    static wchar_t line[RECORD_LINE_CAPACITY + GUARD];
    for (wchar_t& c : line) c = CANARY;
    PatientFields patient;
    for (auto& text : patient.text)
        input.wide_text(text, PATIENT_FIELD_CAPACITY, PATIENT_FIELD_CAPACITY);
    wchar_t id[RECORD_ID_CAPACITY];
    input.wide_text(id, RECORD_ID_CAPACITY, RECORD_ID_CAPACITY);
    const double headline = input.interesting_number();
    const RecordEntry entry = {time,  values,   result, input.byte() % 4,
                               title, &patient, id,     headline};
    const bool built = build_record(tool, entry, line, capacity);
    FUZZ_CHECK(terminated_within(line, capacity));
    FUZZ_CHECK(built || line[0] == L'\0');
    for (int i = capacity; i < RECORD_LINE_CAPACITY + GUARD; ++i) FUZZ_CHECK(line[i] == CANARY);
    static char bytes[RECORD_UTF8_CAPACITY];
    FUZZ_CHECK(utf8_from_wide(line, bytes, RECORD_UTF8_CAPACITY) >= 0);

    const int header_capacity = 1 + input.byte() % RECORD_HEADER_CAPACITY;
    wchar_t header[RECORD_HEADER_CAPACITY + GUARD];
    for (wchar_t& c : header) c = CANARY;
    build_record_header(tool, header, header_capacity);
    FUZZ_CHECK(terminated_within(header, header_capacity));
    for (int i = header_capacity; i < RECORD_HEADER_CAPACITY + GUARD; ++i)
        FUZZ_CHECK(header[i] == CANARY);
    return 0;
}
