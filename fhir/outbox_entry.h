// A queued or refused record as the toolbox's list of uploads shows it, read back from the
// request body in its outbox file: when, which tool, which patient.
#pragma once

#include <cstddef>

constexpr int OUTBOX_ENTRY_TEXT_CAPACITY = 64;

struct OutboxEntry {
    wchar_t time[OUTBOX_ENTRY_TEXT_CAPACITY];    // "2026-12-09 08:30:05", as the record's
    wchar_t tool[OUTBOX_ENTRY_TEXT_CAPACITY];    // the tool's title
    wchar_t patient[OUTBOX_ENTRY_TEXT_CAPACITY]; // the inpatient number and the name
};

// Reads the body (terminated after length bytes; read in place, so changed). False, with every
// text empty, when it is not an outbox file's Bundle.
bool outbox_entry_read(char* body, std::size_t length, OutboxEntry* entry);

// The reason beside a refused record (its ".txt": "HTTP <status>" CR LF the server's text), as
// one line: "HTTP 422：<text>".
void outbox_reason_line(const char* text, std::size_t length, wchar_t* dest, int capacity);
