#include "records/records_policy.h"

#include "core/text.h"

void records_policy_clear(RecordsPolicy* policy) {
    policy->records_folder[0] = L'\0';
    policy->folder_unusable = false;
    policy->require_patient = false;
    policy->require_assessor = false;
    policy->remember_assessor = true;
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
