// A saved assessment as the hospital's record takes it: one FHIR R4 Observation in a transaction
// Bundle whose one entry creates it only when no Observation of the record's id exists yet, so
// that sending it twice never makes two.
#pragma once

#include "core/tool_def.h"
#include "engine/engine.h"
#include "records/patient_fields.h"
#include "records/record_lines.h"

// The identifier system of inpatient numbers when the policy names none.
extern const char* const FHIR_DEFAULT_PATIENT_SYSTEM; // "urn:halvimed:inpatient"

// The largest request body a record makes: a tool's inputs, outputs and texts with room to spare.
constexpr int FHIR_BODY_CAPACITY = 64 * 1024;

struct ObservationSource {
    const ToolDef* tool;
    const char* program;      // the program's name, the tool's local code ("braden")
    const wchar_t* record_id; // the record's version-4 UUID, as its 记录号
    LocalTime time;           // the record's time, the PC's local time
    int utc_offset_minutes;   // of the PC's local time from UTC at that time
    const PatientFields* patient;
    const double* inputs; // one per input of the tool
    const CalcOutcome* outcome;
    const wchar_t* patient_system; // null or empty: FHIR_DEFAULT_PATIENT_SYSTEM
};

// True for a program whose saves are exported: the nine assessments and the three bedside
// calculations, each of them a tool of formulas with a headline.
bool observation_exported(const char* program);

// Writes the request body: the Bundle, its entry's fullUrl "urn:uuid:<entry_id>" (a UUID of its
// own, never the record's). Every text is escaped by the JSON writer. False, with dest empty, when
// the body does not fit whole or a text is not valid Unicode.
bool build_observation_bundle(const ObservationSource& source, const wchar_t* entry_id, char* dest,
                              int capacity, int* length);
