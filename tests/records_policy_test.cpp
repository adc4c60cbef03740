// What the Save policies require of the patient fields, field by field.
#include <gtest/gtest.h>

#include <cwchar>

#include "records/records_policy.h"

namespace {

TEST(RecordsPolicy, SaveNeedsANumberOrABedAndANameAndAnAssessorWhenRequired) {
    const wchar_t* const patient_missing = L"请填写住院号，或床号和姓名。";
    const wchar_t* const assessor_missing = L"请填写评估者。";
    const struct {
        const wchar_t* bed;
        const wchar_t* number;
        const wchar_t* name;
        const wchar_t* assessor;
        bool require_patient;
        bool require_assessor;
        const wchar_t* refusal; // null: saved
    } cases[] = {
        {L"", L"", L"", L"", false, false, nullptr}, // no policy: nothing required
        {L"", L"", L"", L"护士", true, false, patient_missing},
        {L"3", L"", L"", L"护士", true, false, patient_missing},    // a bed alone
        {L"", L"", L"张三", L"护士", true, false, patient_missing}, // a name alone
        {L"3", L"", L"张三", L"", true, false, nullptr},
        {L"", L"ZY1", L"", L"", true, false, nullptr},
        {L"", L"ZY1", L"", L"", true, true, assessor_missing},
        {L"", L"", L"", L"", true, true, patient_missing}, // the patient is asked for first
        {L"", L"", L"", L"", false, true, assessor_missing},
        {L"", L"", L"", L"护士", false, true, nullptr},
    };
    for (const auto& c : cases) {
        PatientFields patient = {};
        std::wcscpy(patient.text[PATIENT_BED], c.bed);
        std::wcscpy(patient.text[PATIENT_NUMBER], c.number);
        std::wcscpy(patient.text[PATIENT_NAME], c.name);
        std::wcscpy(patient.text[PATIENT_ASSESSOR], c.assessor);
        RecordsPolicy policy;
        records_policy_clear(&policy);
        EXPECT_TRUE(policy.remember_assessor);
        policy.require_patient = c.require_patient;
        policy.require_assessor = c.require_assessor;
        const wchar_t* refusal = policy_save_refusal(policy, patient);
        if (c.refusal == nullptr) {
            EXPECT_EQ(refusal, nullptr) << c.bed << "|" << c.number << "|" << c.name;
        } else {
            ASSERT_NE(refusal, nullptr) << c.bed << "|" << c.number << "|" << c.name;
            EXPECT_STREQ(refusal, c.refusal);
        }
    }
}

} // namespace
