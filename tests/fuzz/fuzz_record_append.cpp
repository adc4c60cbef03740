// The sealing writer after a torn record: whole records as the writer writes them, the last cut
// at any byte (as a crash or a full disk leaves it), then one more Save. The file keeps every
// byte it had, gains only the seal and the record, and every reader reads the new record as the
// last saved, with the torn one skipped.
#include <cstring>
#include <cwchar>
#include <string>

#include "core/text.h"
#include "core/utf8.h"
#include "records/record_append.h"
#include "records/record_history.h"
#include "records/record_lines.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/memory_record_file.h"

namespace {

const InputDef inputs[] = {{"a", L"甲", L"", 0}, {"b", L"乙", L"", 0}};
const OutputDef outputs[] = {{"total", L"总分", L"分", "a+b", "f0"}};
const ToolDef tool = {.id = 1,
                      .title = L"t",
                      .category = L"c",
                      .reference = L"r",
                      .input_count = 2,
                      .inputs = inputs,
                      .output_count = 1,
                      .outputs = outputs,
                      .headline = "total"};

// A result or verdict as the engine writes it: lines that never start like a record's time stamp.
void result_text(FuzzInput& input, wchar_t* dest, int capacity) {
    input.wide_text(dest, static_cast<std::size_t>(capacity), 1 + input.byte() % 60u);
    for (int i = 0; dest[i] != L'\0'; ++i)
        if (dest[i] >= L'0' && dest[i] <= L'9') dest[i] = L'x';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    static wchar_t header[RECORD_HEADER_CAPACITY];
    static wchar_t line[RECORD_LINE_CAPACITY];
    static char utf8[RECORD_UTF8_CAPACITY];
    build_record_header(tool, header, RECORD_HEADER_CAPACITY);
    PatientFields patient;
    patient_fields_clear(&patient);
    text_copy(patient.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, L"Z1");
    const double values[] = {1, 2};
    MemoryRecordFile file;
    const int records = 1 + input.byte() % 4;
    for (int r = 0; r <= records; ++r) {
        wchar_t result[128];
        result_text(input, result, 128);
        wchar_t verdict[32];
        result_text(input, verdict, 32);
        const RecordEntry entry = {
            {2026, 12, 9, 8, r, 0}, values, result, r % 4, verdict, &patient, L"id",
            static_cast<double>(r)};
        FUZZ_CHECK(build_record(tool, entry, line, RECORD_LINE_CAPACITY));
        const int length = utf8_from_wide(line, utf8, RECORD_UTF8_CAPACITY);
        FUZZ_CHECK(length > 0);
        if (r < records) {
            FUZZ_CHECK(record_append(file.ops(), header, line));
        } else {
            // The last one torn anywhere inside, its line end included.
            const int cut = (input.byte() | (input.byte() << 8)) % length;
            file.bytes.append(utf8, static_cast<std::size_t>(cut));
        }
    }
    const std::string before = file.bytes;
    const RecordEntry last = {
        {2026, 12, 9, 9, 0, 0}, values, L"总分：7 分\r\n", 2, L"v", &patient, L"last",
        static_cast<double>(7)};
    FUZZ_CHECK(build_record(tool, last, line, RECORD_LINE_CAPACITY));
    const int length = utf8_from_wide(line, utf8, RECORD_UTF8_CAPACITY);
    FUZZ_CHECK(record_append(file.ops(), header, line));
    // The bytes it had, a seal of at most a quote and CR LF, and the record.
    FUZZ_CHECK(file.bytes.compare(0, before.size(), before) == 0);
    const std::size_t seal = file.bytes.size() - before.size() - static_cast<std::size_t>(length);
    FUZZ_CHECK(seal <= 3);
    FUZZ_CHECK(file.bytes.compare(file.bytes.size() - length, length, utf8, length) == 0);
    static History history;
    history_read(tool, patient, file.bytes.data(), file.bytes.size(), true, &history);
    // The torn record is skipped, or, cut only in its last cell or line end, read as one more.
    FUZZ_CHECK(history.count == records + 1 + (history.skipped == 0 ? 1 : 0) ||
               (history.count == records + 1 && history.skipped == 0));
    FUZZ_CHECK(history.skipped <= 1);
    FUZZ_CHECK(std::wcscmp(history.records[0].first_line, L"总分：7 分") == 0);
    FUZZ_CHECK(history.records[0].has_value && history.records[0].value == 7);
    return 0;
}
