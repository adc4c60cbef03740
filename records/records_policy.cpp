#include "records/records_policy.h"

#include "core/text.h"

void records_policy_clear(RecordsPolicy* policy) {
    policy->records_folder[0] = L'\0';
    policy->folder_unusable = false;
    policy->require_patient = false;
    policy->require_assessor = false;
    policy->remember_assessor = true;
    policy->invalid_value = -1;
}

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
