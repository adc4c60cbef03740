// What hospital IT sets for the record log by Group Policy, and the names it is set by: values
// under HKLM, then HKCU, of POLICY_KEY, the machine's winning. The same names are in the
// administrative templates (packaging/policy/halvimed.admx), which a test holds against these.
#pragma once

#include "records/patient_fields.h"
#include "records/record_lines.h"

constexpr const wchar_t* POLICY_KEY = L"SOFTWARE\\Policies\\HalviMed\\Tools";

enum PolicyValue {
    POLICY_RECORDS_FOLDER,      // REG_SZ or REG_EXPAND_SZ: the folder of every record file
    POLICY_REQUIRE_PATIENT,     // DWORD 1: Save needs an inpatient number, or a bed and a name
    POLICY_REQUIRE_ASSESSOR,    // DWORD 1: Save needs an assessor
    POLICY_REMEMBER_ASSESSOR,   // DWORD 0: the assessor starts empty and is never remembered
    POLICY_FHIR_SERVER,         // REG_SZ: the FHIR base address saves are exported to
    POLICY_FHIR_AUTHORIZATION,  // REG_SZ: the Authorization header sent with them, as written
    POLICY_FHIR_PATIENT_SYSTEM, // REG_SZ: the identifier system of inpatient numbers
    POLICY_VALUE_COUNT
};

// Indexed by PolicyValue.
constexpr const wchar_t* POLICY_VALUE_NAMES[POLICY_VALUE_COUNT] = {
    L"RecordsFolder", L"RequirePatient",    L"RequireAssessor",  L"RememberAssessor",
    L"FhirServer",    L"FhirAuthorization", L"FhirPatientSystem"};

// The most characters (terminator included) of the export's texts: an address or a system, and
// an Authorization header (a bearer token may be long).
constexpr int FHIR_ADDRESS_CAPACITY = 512;
constexpr int FHIR_AUTHORIZATION_CAPACITY = 4096;

// The room a value's text has, terminator included: a folder's, or the export's.
int policy_text_capacity(PolicyValue value);

struct RecordsPolicy {
    // The folder the policy names, expanded; empty when none is set. Set but too long to hold:
    // folder_unusable, and Save fails rather than write anywhere else.
    wchar_t records_folder[RECORD_FOLDER_CAPACITY];
    bool folder_unusable;
    bool require_patient;
    bool require_assessor;
    bool remember_assessor;
    // The export (empty: none): the server's base address, http:// or https://; the
    // Authorization header, never written anywhere; the inpatient numbers' system (empty: the
    // default one).
    wchar_t fhir_server[FHIR_ADDRESS_CAPACITY];
    wchar_t fhir_authorization[FHIR_AUTHORIZATION_CAPACITY];
    wchar_t fhir_patient_system[FHIR_ADDRESS_CAPACITY];
    // The first value that is set but not as its policy defines it (a wrong registry type, an
    // empty or relative folder, a number other than 0 or 1); -1 when none is. Policies fail
    // closed: Save refuses and the overview says so, and the assessor is not remembered.
    int invalid_value;
};

// Registry value types, as Windows numbers them.
constexpr unsigned long POLICY_TYPE_SZ = 1;
constexpr unsigned long POLICY_TYPE_EXPAND_SZ = 2;
constexpr unsigned long POLICY_TYPE_DWORD = 4;

// One policy value as one registry key holds it.
struct PolicyReading {
    bool present;
    unsigned long type;
    unsigned long number; // a REG_DWORD's value; size_ok tells it was four bytes
    bool size_ok;
    const wchar_t* text; // a string's text, REG_EXPAND_SZ already expanded; null: none
    bool text_too_long;  // the string (or its expansion) does not fit policy_text_capacity
};

// The policy from the machine's readings and the user's, each indexed by PolicyValue: a value
// the machine sets decides, valid or not; the user's counts only where the machine sets none.
void records_policy_from(const PolicyReading* machine, const PolicyReading* user,
                         RecordsPolicy* policy);

// True when the folder is absolute: a drive ("X:\...") or a share ("\\server\share\...").
bool policy_folder_absolute(const wchar_t* folder);

// "组策略“<name>”的设置无效，请联系信息科。" for the policy's invalid value.
void build_policy_invalid_text(const RecordsPolicy& policy, wchar_t* dest, int capacity);

// True when the policy names the records folder, usable or not: the user's own is not used then.
bool policy_names_folder(const RecordsPolicy& policy);

// True when saves are exported: the policy names a FHIR server.
bool policy_exports(const RecordsPolicy& policy);

// Without any policy value: the user's own folder, nothing required, the assessor remembered.
void records_policy_clear(RecordsPolicy* policy);

// Why Save refuses the patient fields under the policy: "请填写住院号，或床号和姓名。" or
// "请填写评估者。"; null when it does not. (An invalid policy is refused before, with its own
// text.)
const wchar_t* policy_save_refusal(const RecordsPolicy& policy, const PatientFields& patient);
