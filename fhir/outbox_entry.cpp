#include "fhir/outbox_entry.h"

#include <cstdio>
#include <cstring>

#include <rapidjson/document.h>

#include "core/text.h"
#include "core/text_sink.h"
#include "core/utf8.h"
#include "fhir/json_bounds.h"

namespace {

constexpr std::size_t BODY_PARSED_MAX = 64 * 1024;

using EntryDocument = rapidjson::GenericDocument<rapidjson::UTF8<>, JsonPool, JsonPool>;
using EntryValue = rapidjson::GenericValue<rapidjson::UTF8<>, JsonPool>;

const EntryValue* at(const EntryValue* object, const char* name) {
    if (object == nullptr || !object->IsObject()) return nullptr;
    const auto found = object->FindMember(name);
    return found != object->MemberEnd() ? &found->value : nullptr;
}

const EntryValue* first(const EntryValue* array) {
    return array != nullptr && array->IsArray() && array->Size() > 0 ? &(*array)[0] : nullptr;
}

const char* text_of(const EntryValue* value) {
    return value != nullptr && value->IsString() ? value->GetString() : "";
}

void take(const char* utf8, wchar_t* dest) {
    if (wide_from_utf8(utf8, dest, OUTBOX_ENTRY_TEXT_CAPACITY) < 0) dest[0] = L'\0';
}

} // namespace

bool outbox_entry_read(char* body, std::size_t length, OutboxEntry* entry) {
    *entry = {};
    if (body == nullptr || length == 0 || length > BODY_PARSED_MAX || body[length] != '\0')
        return false;
    alignas(8) static char value_memory[4 * BODY_PARSED_MAX];
    alignas(8) static char stack_memory[BODY_PARSED_MAX];
    NoHeapAllocator none;
    JsonPool values(value_memory, sizeof value_memory, sizeof value_memory, &none);
    JsonPool stack(stack_memory, sizeof stack_memory, sizeof stack_memory, &none);
    EntryDocument bundle(&values, sizeof stack_memory / 2, &stack);
    if (bundle.ParseInsitu(body).HasParseError()) return false;
    const EntryValue* observation = at(first(at(&bundle, "entry")), "resource");
    if (std::strcmp(text_of(at(observation, "resourceType")), "Observation") != 0) return false;
    // "2026-12-09T08:30:05+08:00" as the record wrote it: "2026-12-09 08:30:05".
    char time[20] = "";
    std::strncpy(time, text_of(at(observation, "effectiveDateTime")), sizeof time - 1);
    if (time[10] == 'T') time[10] = ' ';
    take(time, entry->time);
    take(text_of(at(at(observation, "code"), "text")), entry->tool);
    const EntryValue* subject = at(observation, "subject");
    const char* name = text_of(at(subject, "display"));
    char patient[OUTBOX_ENTRY_TEXT_CAPACITY * 4];
    std::snprintf(patient, sizeof patient, name[0] != '\0' ? "%s %s" : "%s",
                  text_of(at(at(subject, "identifier"), "value")), name);
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
