#include "fhir/outbox.h"

#include <cstdlib>
#include <cstring>

#include "core/text.h"
#include "core/utf8.h"
#include "fhir/json_read.h"

namespace {

constexpr int RECORD_ID_LENGTH = 36; // a UUID: 8-4-4-4-12 hexadecimal digits

bool hex(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// The OperationOutcome's first issue: its diagnostics, else its details' text.
bool outcome_text(const JsonReadValue* outcome, wchar_t* reason, int capacity) {
    const JsonReadValue* issue = json_first(json_member(outcome, "issue"));
    const char* text = json_text(json_member(issue, "diagnostics"));
    if (text[0] == '\0') text = json_text(json_member(json_member(issue, "details"), "text"));
    return text[0] != '\0' && wide_from_utf8(text, reason, capacity) >= 0;
}

bool refusing(int status) {
    return status >= 400 && status < 500 && status != 408 && status != 429;
}

} // namespace

bool outbox_path(const wchar_t* folder, const wchar_t* record_id, OutboxFile what, wchar_t* dest,
                 int capacity) {
    switch (what) {
    case OutboxFile::queued:
        return text_format_whole(dest, capacity, L"%ls\\%ls.json", folder, record_id);
    case OutboxFile::rejected:
        return text_format_whole(dest, capacity, L"%ls\\rejected\\%ls.json", folder, record_id);
    case OutboxFile::rejected_reason:
        return text_format_whole(dest, capacity, L"%ls\\rejected\\%ls.txt", folder, record_id);
    }
    return false;
}

bool outbox_file_name(const wchar_t* name) {
    for (int i = 0; i < RECORD_ID_LENGTH; ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? name[i] != L'-' : !hex(name[i])) return false;
    }
    return text_equal(name + RECORD_ID_LENGTH, L".json");
}

bool outbox_queue(const FileReplaceOps& ops, const wchar_t* folder, const wchar_t* record_id,
                  const char* body, std::size_t length) {
    wchar_t path[OUTBOX_PATH_CAPACITY];
    return outbox_path(folder, record_id, OutboxFile::queued, path, OUTBOX_PATH_CAPACITY) &&
           file_replace(ops, path, body, length);
}

FhirAnswer fhir_read_answer(int http_status, char* body, std::size_t length, wchar_t* reason,
                            int capacity) {
    text_format(reason, capacity, L"HTTP %d", http_status);
    if (http_status != 200 && !refusing(http_status)) return FhirAnswer::not_known;
    const JsonReadValue* answer = json_read(body, length);
    if (http_status != 200) {
        if (!outcome_text(answer, reason, capacity))
            text_format(reason, capacity, L"HTTP %d", http_status);
        return FhirAnswer::refused;
    }
    // A transaction-response: its one entry's status, "201 Created" or "200 OK".
    const JsonReadValue* response =
        json_member(json_first(json_member(answer, "entry")), "response");
    const JsonReadValue* status = json_member(response, "status");
    if (status == nullptr || !status->IsString()) return FhirAnswer::not_known;
    const long entry_status = std::strtol(status->GetString(), nullptr, 10);
    if (entry_status == 200 || entry_status == 201) {
        reason[0] = L'\0';
        return FhirAnswer::sent;
    }
    text_format(reason, capacity, L"HTTP %ld", entry_status);
    if (!refusing(static_cast<int>(entry_status))) return FhirAnswer::not_known;
    if (!outcome_text(json_member(response, "outcome"), reason, capacity))
        text_format(reason, capacity, L"HTTP %ld", entry_status);
    return FhirAnswer::refused;
}

bool outbox_settle(const FileReplaceOps& ops, const wchar_t* folder, const wchar_t* record_id,
                   FhirAnswer answer, int http_status, const wchar_t* reason) {
    wchar_t queued[OUTBOX_PATH_CAPACITY];
    if (!outbox_path(folder, record_id, OutboxFile::queued, queued, OUTBOX_PATH_CAPACITY))
        return false;
    if (answer == FhirAnswer::not_known) return true;
    if (answer == FhirAnswer::sent) return ops.remove(ops.context, queued);
    wchar_t rejected[OUTBOX_PATH_CAPACITY];
    wchar_t why[OUTBOX_PATH_CAPACITY];
    if (!outbox_path(folder, record_id, OutboxFile::rejected, rejected, OUTBOX_PATH_CAPACITY) ||
        !outbox_path(folder, record_id, OutboxFile::rejected_reason, why, OUTBOX_PATH_CAPACITY))
        return false;
    // The reason first: a refused record is never in rejected\ without saying why.
    wchar_t text[FHIR_REASON_CAPACITY + 32];
    text_format(text, FHIR_REASON_CAPACITY + 32, L"HTTP %d\r\n%ls\r\n", http_status, reason);
    static char bytes[(FHIR_REASON_CAPACITY + 32) * UTF8_MAX_BYTES_PER_WIDE_UNIT + 3];
    // The byte-order mark, then the text.
    bytes[0] = '\xEF';
    bytes[1] = '\xBB';
    bytes[2] = '\xBF';
    const int length = utf8_from_wide(text, bytes + 3, static_cast<int>(sizeof bytes) - 3);
    return length >= 0 && file_replace(ops, why, bytes, static_cast<std::size_t>(length) + 3) &&
           ops.rename(ops.context, queued, rejected);
}
