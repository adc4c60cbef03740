// The outbox of exported records: one file per record, "<record id>.json", holding the exact
// request body, written whole or not at all; and what becomes of it after the server's answer.
// Portable: the files are reached through the file-replace operations, so that a test injects a
// fault at every step.
#pragma once

#include <cstddef>

#include "records/file_replace.h"

constexpr int OUTBOX_PATH_CAPACITY = 600;
constexpr int FHIR_REASON_CAPACITY = 512;

// "<folder>\<record id>.json", or, for what, "<folder>\rejected\<record id>.json" or ".txt".
enum class OutboxFile { queued, rejected, rejected_reason };
bool outbox_path(const wchar_t* folder, const wchar_t* record_id, OutboxFile what, wchar_t* dest,
                 int capacity);

// True when the name is a queued record's file: a record id (a UUID) and ".json".
bool outbox_file_name(const wchar_t* name);

// Queues the body under the record's id. True only when the file holds exactly the body; on
// failure nothing is left under its name.
bool outbox_queue(const FileReplaceOps& ops, const wchar_t* folder, const wchar_t* record_id,
                  const char* body, std::size_t length);

// What the server's answer means for a record.
enum class FhirAnswer {
    sent,      // stored: the file is deleted
    refused,   // the server will not take it as it is: the file moves to rejected\, never resent
    not_known, // nothing is known: the file stays and is sent again
};

// Reads the answer to a transaction of one entry: its HTTP status and body, terminated after its
// length bytes (read in place, so changed). Sent: HTTP 200 and the entry's status 200 or 201.
// Refused: any other 4xx but 408 and 429, or an entry refused so; reason is then the
// OperationOutcome's diagnostics or text, or "HTTP <status>". Everything else is not known, reason
// "HTTP <status>".
FhirAnswer fhir_read_answer(int http_status, char* body, std::size_t length, wchar_t* reason,
                            int capacity);

// Settles a record's file after an answer. Sent: the file is removed. Refused: beside it in
// rejected\ a "<id>.txt" with the status and the reason (UTF-8), then the file is moved there.
// Not known: nothing changes. False when a step failed: the file then stays queued, and is sent
// again (a conditional create makes that harmless).
bool outbox_settle(const FileReplaceOps& ops, const wchar_t* folder, const wchar_t* record_id,
                   FhirAnswer answer, int http_status, const wchar_t* reason);
