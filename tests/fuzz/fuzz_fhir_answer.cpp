// What a FHIR server answers, and what the outbox's files hold, are read from bytes that anyone on
// the network path or the PC could have written: any body of any length is read without a crash
// or a read past its end, its verdict is one of the three, and every text comes back terminated
// within its capacity.
#include <cstring>
#include <cwchar>

#include "fhir/outbox.h"
#include "fhir/outbox_entry.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const int statuses[] = {200, 201, 400, 404, 408, 422, 429, 500};
    const int status = statuses[data[0] % 8];
    static char body[70 * 1024];
    const std::size_t length = size - 1 < sizeof body - 1 ? size - 1 : sizeof body - 1;
    std::memcpy(body, data + 1, length);
    body[length] = '\0';
    const int capacity = 1 + data[0] % FHIR_REASON_CAPACITY;
    static wchar_t reason[FHIR_REASON_CAPACITY + 16];
    for (wchar_t& c : reason) c = 0x5A5A;
    const FhirAnswer answer = fhir_read_answer(status, body, length, reason, capacity);
    FUZZ_CHECK(answer == FhirAnswer::sent || answer == FhirAnswer::refused ||
               answer == FhirAnswer::not_known);
    FUZZ_CHECK(terminated_within(reason, capacity));
    for (int i = capacity; i < FHIR_REASON_CAPACITY + 16; ++i) FUZZ_CHECK(reason[i] == 0x5A5A);
    // Only a 200 whose entry says so is ever counted sent.
    FUZZ_CHECK(answer != FhirAnswer::sent || status == 200);

    std::memcpy(body, data + 1, length);
    body[length] = '\0';
    OutboxEntry entry;
    outbox_entry_read(body, length, &entry);
    FUZZ_CHECK(terminated_within(entry.time, OUTBOX_ENTRY_TEXT_CAPACITY));
    FUZZ_CHECK(terminated_within(entry.tool, OUTBOX_ENTRY_TEXT_CAPACITY));
    FUZZ_CHECK(terminated_within(entry.patient, OUTBOX_ENTRY_TEXT_CAPACITY));
    static wchar_t line[256];
    outbox_reason_line(reinterpret_cast<const char*>(data), size, line, 256);
    FUZZ_CHECK(terminated_within(line, 256));
    return 0;
}
