#include "fhir/outbox_entry.h"

#include <cstdio>
#include <cstring>

#include "core/text.h"
#include "core/text_sink.h"
#include "core/utf8.h"
#include "fhir/json_read.h"

namespace {

void take(const char* utf8, wchar_t* dest) {
    if (wide_from_utf8(utf8, dest, OUTBOX_ENTRY_TEXT_CAPACITY) < 0) dest[0] = L'\0';
}

} // namespace

bool outbox_entry_read(char* body, std::size_t length, OutboxEntry* entry) {
    *entry = {};
    const JsonReadValue* observation =
        json_member(json_first(json_member(json_read(body, length), "entry")), "resource");
    if (std::strcmp(json_text(json_member(observation, "resourceType")), "Observation") != 0)
        return false;
    // "2026-12-09T08:30:05+08:00" as the record wrote it: "2026-12-09 08:30:05".
    char time[20] = "";
    std::strncpy(time, json_text(json_member(observation, "effectiveDateTime")), sizeof time - 1);
    if (time[10] == 'T') time[10] = ' ';
    take(time, entry->time);
    take(json_text(json_member(json_member(observation, "code"), "text")), entry->tool);
    const JsonReadValue* subject = json_member(observation, "subject");
    const char* name = json_text(json_member(subject, "display"));
    char patient[OUTBOX_ENTRY_TEXT_CAPACITY * 4];
    (void)std::snprintf(patient, sizeof patient, name[0] != '\0' ? "%s %s" : "%s",
                        json_text(json_member(json_member(subject, "identifier"), "value")), name);
    take(patient, entry->patient);
    return true;
}

void outbox_reason_line(const char* text, std::size_t length, wchar_t* dest, int capacity) {
    static wchar_t wide[1024];
    static char bytes[4096];
    const std::size_t n = length < sizeof bytes - 1 ? length : sizeof bytes - 1;
    std::memcpy(bytes, text, n);
    bytes[n] = '\0';
    const char* start = std::strncmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? bytes + 3 : bytes;
    if (wide_from_utf8(start, wide, 1024) < 0) wide[0] = L'\0';
    // "HTTP 422" CR LF "text" CR LF: one line, the status before the text.
    TextSink sink = {dest, capacity, 0};
    dest[0] = L'\0';
    bool broke = false;
    for (const wchar_t* p = wide; *p != L'\0'; ++p) {
        if (*p == L'\r' || *p == L'\n') {
            broke = true;
            continue;
        }
        if (broke && sink.length > 0) text_sink_append(sink, L"：");
        broke = false;
        text_sink_put(sink, *p);
    }
}
