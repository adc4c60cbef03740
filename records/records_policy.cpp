#include "records/records_policy.h"

#include "core/text.h"

void records_policy_clear(RecordsPolicy* policy) {
    policy->records_folder[0] = L'\0';
    policy->folder_unusable = false;
    policy->require_patient = false;
    policy->require_assessor = false;
    policy->remember_assessor = true;
    policy->fhir_server[0] = L'\0';
    policy->fhir_authorization[0] = L'\0';
    policy->fhir_patient_system[0] = L'\0';
    policy->invalid_value = -1;
}

int policy_text_capacity(PolicyValue value) {
    if (value == POLICY_FHIR_AUTHORIZATION) return FHIR_AUTHORIZATION_CAPACITY;
    if (value == POLICY_FHIR_SERVER || value == POLICY_FHIR_PATIENT_SYSTEM)
        return FHIR_ADDRESS_CAPACITY;
    return RECORD_FOLDER_CAPACITY;
}

bool policy_exports(const RecordsPolicy& policy) { return policy.fhir_server[0] != L'\0'; }

bool policy_folder_absolute(const wchar_t* folder) {
    if (folder == nullptr) return false;
    const wchar_t drive = folder[0];
    const bool letter = (drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z');
    if (letter && folder[1] == L':' && folder[2] == L'\\') return true;
    // \\server\share: a server name and a share name, neither empty.
    if (folder[0] != L'\\' || folder[1] != L'\\') return false;
    const wchar_t* server = folder + 2;
    const wchar_t* slash = server;
    while (*slash != L'\0' && *slash != L'\\') ++slash;
    if (slash == server || *slash != L'\\') return false;
    const wchar_t* share = slash + 1;
    return *share != L'\0' && *share != L'\\' && *share != L'.';
}

namespace {

void mark_invalid(RecordsPolicy* policy, PolicyValue value) {
    if (policy->invalid_value < 0) policy->invalid_value = value;
}

// The reading that decides: the machine's when it sets the value, else the user's.
const PolicyReading& deciding(const PolicyReading* machine, const PolicyReading* user,
                              PolicyValue value) {
    return machine[value].present ? machine[value] : user[value];
}

// A switch of 0 or 1 as a REG_DWORD; anything else set is invalid and gives fallback.
bool policy_switch(const PolicyReading& reading, PolicyValue value, bool fallback,
                   bool when_invalid, RecordsPolicy* policy) {
    if (!reading.present) return fallback;
    if (reading.type != POLICY_TYPE_DWORD || !reading.size_ok || reading.number > 1) {
        mark_invalid(policy, value);
        return when_invalid;
    }
    return reading.number == 1;
}

void policy_folder(const PolicyReading& reading, RecordsPolicy* policy) {
    if (!reading.present) return;
    const bool text = reading.type == POLICY_TYPE_SZ || reading.type == POLICY_TYPE_EXPAND_SZ;
    if (text && reading.text_too_long) {
        policy->folder_unusable = true; // never shortened to another folder
        return;
    }
    if (!text || reading.text == nullptr || !policy_folder_absolute(reading.text)) {
        policy->folder_unusable = true;
        mark_invalid(policy, POLICY_RECORDS_FOLDER);
        return;
    }
    text_copy(policy->records_folder, RECORD_FOLDER_CAPACITY, reading.text);
}

// True when the text starts with prefix, ASCII letters in either case.
bool starts_with_ascii(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix != L'\0'; ++text, ++prefix) {
        const wchar_t c = *text >= L'A' && *text <= L'Z' ? *text - L'A' + L'a' : *text;
        if (c != *prefix) return false;
    }
    return true;
}

// Printable ASCII only: what an HTTP header or an address may hold, with no line break to start
// another header.
bool printable_ascii(const wchar_t* text, bool blank_allowed) {
    for (; *text != L'\0'; ++text)
        if (*text < L' ' || *text > L'~' || (*text == L' ' && !blank_allowed)) return false;
    return true;
}

bool address_valid(const wchar_t* text) {
    const wchar_t* rest = starts_with_ascii(text, L"https://")  ? text + 8
                          : starts_with_ascii(text, L"http://") ? text + 7
                                                                : nullptr;
    return rest != nullptr && *rest != L'\0' && *rest != L'/' && printable_ascii(text, false);
}

// One of the export's texts: REG_SZ, within its room, and as its check wants; anything else set
// is invalid, and the value stays empty.
void policy_text(const PolicyReading& reading, PolicyValue value, bool (*valid)(const wchar_t*),
                 wchar_t* dest, RecordsPolicy* policy) {
    if (!reading.present) return;
    if (reading.type != POLICY_TYPE_SZ || reading.text_too_long || reading.text == nullptr ||
        (reading.text[0] != L'\0' && !valid(reading.text))) {
        mark_invalid(policy, value);
        return;
    }
    text_copy(dest, policy_text_capacity(value), reading.text);
}

} // namespace

void records_policy_from(const PolicyReading* machine, const PolicyReading* user,
                         RecordsPolicy* policy) {
    records_policy_clear(policy);
    policy_folder(deciding(machine, user, POLICY_RECORDS_FOLDER), policy);
    policy->require_patient = policy_switch(deciding(machine, user, POLICY_REQUIRE_PATIENT),
                                            POLICY_REQUIRE_PATIENT, false, true, policy);
    policy->require_assessor = policy_switch(deciding(machine, user, POLICY_REQUIRE_ASSESSOR),
                                             POLICY_REQUIRE_ASSESSOR, false, true, policy);
    // A wrong RememberAssessor remembers nothing: nurses sharing a login keep their names apart.
    policy->remember_assessor = policy_switch(deciding(machine, user, POLICY_REMEMBER_ASSESSOR),
                                              POLICY_REMEMBER_ASSESSOR, true, false, policy);
    policy_text(deciding(machine, user, POLICY_FHIR_SERVER), POLICY_FHIR_SERVER, address_valid,
                policy->fhir_server, policy);
    policy_text(
        deciding(machine, user, POLICY_FHIR_AUTHORIZATION), POLICY_FHIR_AUTHORIZATION,
        [](const wchar_t* text) { return printable_ascii(text, true); }, policy->fhir_authorization,
        policy);
    policy_text(
        deciding(machine, user, POLICY_FHIR_PATIENT_SYSTEM), POLICY_FHIR_PATIENT_SYSTEM,
        [](const wchar_t* text) { return printable_ascii(text, false); },
        policy->fhir_patient_system, policy);
}

void build_policy_invalid_text(const RecordsPolicy& policy, wchar_t* dest, int capacity) {
    const int value = policy.invalid_value >= 0 ? policy.invalid_value : 0;
    text_format(dest, capacity, L"组策略“%ls”的设置无效，请联系信息科。",
                POLICY_VALUE_NAMES[value]);
}

bool policy_names_folder(const RecordsPolicy& policy) {
    return policy.folder_unusable || policy.records_folder[0] != L'\0';
}

const wchar_t* policy_save_refusal(const RecordsPolicy& policy, const PatientFields& patient) {
    if (policy.require_patient && !patient_identified(patient))
        return L"请填写住院号，或床号和姓名。";
    if (policy.require_assessor && text_is_empty(patient.text[PATIENT_ASSESSOR]))
        return L"请填写评估者。";
    return nullptr;
}
