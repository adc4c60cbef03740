// The history reader on any bytes, as a damaged or foreign record file may hold: it reads only
// within them, keeps at most its 20 records with every text terminated and every level 0 to 3,
// and finds a record that the writer appended after them.
#include <cstring>
#include <cwchar>
#include <string>

#include "core/text.h"
#include "core/utf8.h"
#include "records/record_history.h"
#include "records/record_lines.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

const InputDef inputs[] = {{"a", L"甲", L"", 0}, {"b", L"乙", L"", 0}};
const ToolDef tool = {.id = 1,
                      .title = L"t",
                      .category = L"c",
                      .reference = L"r",
                      .input_count = 2,
                      .inputs = inputs};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const bool whole = input.byte() & 1;
    PatientFields patient;
    patient_fields_clear(&patient);
    input.wide_text(patient.text[PATIENT_BED], PATIENT_FIELD_CAPACITY, 8);
    text_copy(patient.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, L"张三");
    const std::string bytes(reinterpret_cast<const char*>(data) + (size - input.remaining()),
                            input.remaining());
    static History history;
    history_read(tool, patient, bytes.data(), bytes.size(), whole, &history);
    FUZZ_CHECK(history.count >= 0 && history.count <= HISTORY_MAX_RECORDS);
    FUZZ_CHECK(history.skipped >= 0);
    for (int i = 0; i < history.count; ++i) {
        const HistoryRecord& r = history.records[i];
        FUZZ_CHECK(r.level >= 0 && r.level <= 3);
        FUZZ_CHECK(terminated_within(r.time, HISTORY_TIME_CAPACITY));
        FUZZ_CHECK(terminated_within(r.verdict, HISTORY_TEXT_CAPACITY));
        FUZZ_CHECK(terminated_within(r.first_line, HISTORY_TEXT_CAPACITY));
        FUZZ_CHECK(terminated_within(r.assessor, PATIENT_FIELD_CAPACITY));
    }

    // A record written after the bytes, on a line of its own, is read back as the newest.
    const PatientText taken = patient_field_take(PATIENT_BED, patient.text[PATIENT_BED],
                                                 patient.text[PATIENT_BED], PATIENT_FIELD_CAPACITY);
    if (taken != PatientText::taken || !history_has_key(patient)) return 0;
    const double values[] = {1, 2};
    const RecordEntry entry = {
        {2026, 12, 9, 8, 0, 0}, values, L"总分：7 分\r\n", 2, L"v", &patient};
    static wchar_t line[RECORD_LINE_CAPACITY];
    FUZZ_CHECK(build_record(tool, entry, line, RECORD_LINE_CAPACITY));
    static char record[RECORD_UTF8_CAPACITY];
    FUZZ_CHECK(utf8_from_wide(line, record, RECORD_UTF8_CAPACITY) >= 0);
    // A quote that the bytes leave open takes everything after it, by the rule of CSV: only bytes
    // without quotes are sure to leave the record its own line.
    const std::string file = bytes + "\r\n" + record;
    history_read(tool, patient, file.data(), file.size(), whole, &history);
    if (bytes.find('"') == std::string::npos) {
        FUZZ_CHECK(history.count >= 1);
        FUZZ_CHECK(std::wcscmp(history.records[0].first_line, L"总分：7 分") == 0);
    }
    return 0;
}
