#include "fhir/observation.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include <rapidjson/writer.h>

#include "core/format.h"
#include "core/text.h"
#include "core/utf8.h"
#include "fhir/json_bounds.h"
#include "fhir/observation_codes.h"

const char* const FHIR_DEFAULT_PATIENT_SYSTEM = "urn:halvimed:inpatient";

namespace {

using JsonWriter = rapidjson::Writer<BoundedJsonStream, rapidjson::UTF8<>, rapidjson::UTF8<>,
                                     JsonPool, rapidjson::kWriteValidateEncodingFlag>;

constexpr int TEXT_CAPACITY = 4 * 1024;

// One Observation being written; ok turns false at the first text that cannot be written.
struct Body {
    JsonWriter& json;
    bool ok;
};

void key(Body& body, const char* name) { body.ok = body.json.Key(name) && body.ok; }

void string(Body& body, const char* text) { body.ok = body.json.String(text) && body.ok; }

// A wide text as a JSON string, through UTF-8: the writer escapes quotes, backslashes and control
// characters, and refuses what is not valid Unicode.
void wide(Body& body, const wchar_t* text) {
    static char utf8[TEXT_CAPACITY * UTF8_MAX_BYTES_PER_WIDE_UNIT];
    const int length = utf8_from_wide(text != nullptr ? text : L"", utf8, sizeof utf8);
    body.ok =
        length >= 0 && body.json.String(utf8, static_cast<rapidjson::SizeType>(length)) && body.ok;
}

void member(Body& body, const char* name, const char* text) {
    key(body, name);
    string(body, text);
}

void wide_member(Body& body, const char* name, const wchar_t* text) {
    key(body, name);
    wide(body, text);
}

// {"system": system, "code": code[, "display": display]}
void coding(Body& body, const char* system, const char* code, const wchar_t* display = nullptr) {
    body.json.StartObject();
    member(body, "system", system);
    member(body, "code", code);
    if (display != nullptr) wide_member(body, "display", display);
    body.json.EndObject();
}

// A concept of one coding: {"coding": [{"system": system, "code": code}][, "text": text]}.
void coded(Body& body, const char* system, const char* code, const wchar_t* text = nullptr) {
    body.json.StartObject();
    key(body, "coding");
    body.json.StartArray();
    coding(body, system, code);
    body.json.EndArray();
    if (text != nullptr) wide_member(body, "text", text);
    body.json.EndObject();
}

// A number as the record writes it, the shortest text that reads back to the same value.
void number(Body& body, double value) {
    wchar_t shown[40];
    format_shortest(value, shown, 40);
    char ascii[40];
    int length = 0;
    for (; length < 39 && shown[length] != L'\0'; ++length)
        ascii[length] = static_cast<char>(shown[length]);
    ascii[length] = '\0';
    body.ok = body.json.RawValue(ascii, static_cast<std::size_t>(length), rapidjson::kNumberType) &&
              body.ok;
}

// A value that could not be computed is said absent, never written as a number.
void quantity(Body& body, double value, const wchar_t* unit, const char* ucum) {
    if (!std::isfinite(value)) {
        key(body, "dataAbsentReason");
        coded(body, "http://terminology.hl7.org/CodeSystem/data-absent-reason", "error");
        return;
    }
    key(body, "valueQuantity");
    body.json.StartObject();
    key(body, "value");
    number(body, value);
    if (unit != nullptr && unit[0] != L'\0') wide_member(body, "unit", unit);
    if (ucum != nullptr) {
        member(body, "system", "http://unitsofmeasure.org");
        member(body, "code", ucum);
    }
    body.json.EndObject();
}

const char* item_loinc(const ObservationCodes& codes, const char* input_key) {
    for (const ItemLoinc& item : codes.items)
        if (item.input_key != nullptr && std::strcmp(item.input_key, input_key) == 0)
            return item.loinc;
    return nullptr;
}

// One component: its local code (and LOINC where one exists), the label as text, the value.
void component(Body& body, const char* system, const char* code_key, const char* loinc,
               const wchar_t* label, double value, const wchar_t* unit) {
    body.json.StartObject();
    key(body, "code");
    body.json.StartObject();
    key(body, "coding");
    body.json.StartArray();
    if (loinc != nullptr) coding(body, "http://loinc.org", loinc);
    coding(body, system, code_key);
    body.json.EndArray();
    wide_member(body, "text", label);
    body.json.EndObject();
    quantity(body, value, unit, nullptr);
    body.json.EndObject();
}

// "2026-12-09T08:30:05+08:00"
void effective_time(Body& body, const LocalTime& t, int offset_minutes) {
    const int magnitude = offset_minutes < 0 ? -offset_minutes : offset_minutes;
    char text[40];
    (void)std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year,
                        t.month, t.day, t.hour, t.minute, t.second, offset_minutes < 0 ? '-' : '+',
                        magnitude / 60 % 100, magnitude % 60);
    member(body, "effectiveDateTime", text);
}

void subject(Body& body, const ObservationSource& source) {
    const PatientFields& patient = *source.patient;
    key(body, "subject");
    body.json.StartObject();
    key(body, "identifier");
    body.json.StartObject();
    key(body, "type");
    coded(body, "http://terminology.hl7.org/CodeSystem/v2-0203", "MR");
    if (source.patient_system != nullptr && source.patient_system[0] != L'\0')
        wide_member(body, "system", source.patient_system);
    else
        member(body, "system", FHIR_DEFAULT_PATIENT_SYSTEM);
    wide_member(body, "value", patient.text[PATIENT_NUMBER]);
    body.json.EndObject();
    if (!text_is_empty(patient.text[PATIENT_NAME]))
        wide_member(body, "display", patient.text[PATIENT_NAME]);
    body.json.EndObject();
}

void observation(Body& body, const ObservationSource& source, const ObservationCodes& codes) {
    const ToolDef& tool = *source.tool;
    const CalcOutcome& outcome = *source.outcome;
    const int headline = tool_headline_index(tool);
    wchar_t urn[64];
    text_format(urn, 64, L"urn:uuid:%ls", source.record_id);
    body.json.StartObject();
    member(body, "resourceType", "Observation");
    key(body, "identifier");
    body.json.StartArray();
    body.json.StartObject();
    member(body, "system", "urn:ietf:rfc:3986");
    wide_member(body, "value", urn);
    body.json.EndObject();
    body.json.EndArray();
    member(body, "status", "final");
    key(body, "category");
    body.json.StartArray();
    coded(body, "http://terminology.hl7.org/CodeSystem/observation-category", codes.category);
    body.json.EndArray();
    key(body, "code");
    body.json.StartObject();
    key(body, "coding");
    body.json.StartArray();
    if (codes.loinc != nullptr) coding(body, "http://loinc.org", codes.loinc);
    coding(body, "urn:halvimed:tool", source.program, tool.title);
    body.json.EndArray();
    wide_member(body, "text", tool.title);
    body.json.EndObject();
    subject(body, source);
    effective_time(body, source.time, source.utc_offset_minutes);
    if (!text_is_empty(source.patient->text[PATIENT_ASSESSOR])) {
        key(body, "performer");
        body.json.StartArray();
        body.json.StartObject();
        wide_member(body, "display", source.patient->text[PATIENT_ASSESSOR]);
        body.json.EndObject();
        body.json.EndArray();
    }
    quantity(body, outcome.headline, tool.outputs[headline].unit, codes.ucum);
    key(body, "interpretation");
    body.json.StartArray();
    char level[8];
    (void)std::snprintf(level, sizeof level, "%d", outcome.level);
    coded(body, "urn:halvimed:level", level, outcome.verdict);
    body.json.EndArray();
    key(body, "component");
    body.json.StartArray();
    for (int i = 0; i < tool_input_count(tool); ++i) {
        const InputDef& input = tool.inputs[i];
        component(body, "urn:halvimed:input", input.key, item_loinc(codes, input.key), input.label,
                  source.inputs[i], input.unit);
    }
    for (int o = 0; o < tool_output_count(tool) && o < outcome.output_count; ++o) {
        if (o == headline) continue;
        const OutputDef& output = tool.outputs[o];
        component(body, "urn:halvimed:output", output.key, nullptr, output.label,
                  outcome.output_values[o], output.unit);
    }
    body.json.EndArray();
    key(body, "note");
    body.json.StartArray();
    body.json.StartObject();
    wide_member(body, "text", outcome.kept);
    body.json.EndObject();
    body.json.EndArray();
    body.json.EndObject();
}

} // namespace

bool observation_exported(const char* program) { return observation_codes(program) != nullptr; }

bool build_observation_bundle(const ObservationSource& source, const wchar_t* entry_id, char* dest,
                              int capacity, int* length) {
    *length = 0;
    if (capacity < 1) return false;
    dest[0] = '\0';
    const ObservationCodes* codes = observation_codes(source.program);
    if (codes == nullptr || tool_headline_index(*source.tool) < 0) return false;
    // The writer's stack of open objects and arrays: a few levels, in a pool of its own.
    alignas(8) static char stack_memory[4096];
    NoHeapAllocator none;
    JsonPool pool(stack_memory, sizeof stack_memory, sizeof stack_memory, &none);
    BoundedJsonStream stream = {dest, static_cast<std::size_t>(capacity), 0, false};
    JsonWriter json(stream, &pool);
    Body body = {json, true};
    wchar_t full_url[64];
    text_format(full_url, 64, L"urn:uuid:%ls", entry_id);
    wchar_t if_none_exist[96];
    text_format(if_none_exist, 96, L"identifier=urn:ietf:rfc:3986|urn:uuid:%ls", source.record_id);
    json.StartObject();
    member(body, "resourceType", "Bundle");
    member(body, "type", "transaction");
    key(body, "entry");
    json.StartArray();
    json.StartObject();
    wide_member(body, "fullUrl", full_url);
    key(body, "resource");
    observation(body, source, *codes);
    key(body, "request");
    json.StartObject();
    member(body, "method", "POST");
    member(body, "url", "Observation");
    wide_member(body, "ifNoneExist", if_none_exist);
    json.EndObject();
    json.EndObject();
    json.EndArray();
    body.ok = json.EndObject() && body.ok;
    if (!body.ok || stream.cut || !json.IsComplete()) {
        dest[0] = '\0';
        return false;
    }
    *length = static_cast<int>(stream.length);
    return true;
}
