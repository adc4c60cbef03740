// What the Save policies require of the patient fields, field by field; how every registry type of
// every policy value is read; and how a typed patient text is taken.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "records/patient_fields.h"
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

namespace {

constexpr int MESSAGE_CAPACITY = 128;

// Every registry type for every value, the machine's key over the user's: a value set as its
// policy defines it counts, one set any other way is an error (never taken as absent), and the
// machine's setting decides even when the user's is right.
TEST(RecordsPolicy, ValuesOfEveryTypeFailClosed) {
    const PolicyReading absent = {};
    const auto dword = [](unsigned long number) {
        return PolicyReading{true, POLICY_TYPE_DWORD, number, true, nullptr, false};
    };
    const auto text = [](unsigned long type, const wchar_t* value) {
        return PolicyReading{true, type, 0, false, value, false};
    };
    const PolicyReading binary = {true, 3, 0, false, nullptr, false};
    const PolicyReading multi = {true, 7, 0, false, nullptr, false};
    const PolicyReading short_dword = {true, POLICY_TYPE_DWORD, 1, false, nullptr, false};
    const PolicyReading too_long = {true, POLICY_TYPE_SZ, 0, false, nullptr, true};
    struct Case {
        PolicyValue value;
        PolicyReading machine;
        PolicyReading user;
        bool invalid;
        bool on; // the switch, or a usable folder
    };
    const Case cases[] = {
        {POLICY_REQUIRE_PATIENT, dword(1), absent, false, true},
        {POLICY_REQUIRE_PATIENT, dword(0), dword(1), false, false}, // the machine's wins
        {POLICY_REQUIRE_PATIENT, absent, dword(1), false, true},
        {POLICY_REQUIRE_PATIENT, text(POLICY_TYPE_SZ, L"1"), absent, true, true},
        {POLICY_REQUIRE_PATIENT, dword(2), absent, true, true},
        {POLICY_REQUIRE_PATIENT, short_dword, absent, true, true},
        {POLICY_REQUIRE_PATIENT, binary, dword(0), true,
         true}, // a wrong machine value is the error
        {POLICY_REQUIRE_ASSESSOR, absent, text(POLICY_TYPE_EXPAND_SZ, L"1"), true, true},
        {POLICY_REQUIRE_ASSESSOR, absent, absent, false, false},
        {POLICY_REMEMBER_ASSESSOR, absent, absent, false, true},
        {POLICY_REMEMBER_ASSESSOR, dword(0), absent, false, false},
        {POLICY_REMEMBER_ASSESSOR, text(POLICY_TYPE_SZ, L"0"), absent, true, false},
        {POLICY_REMEMBER_ASSESSOR, absent, multi, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"X:\\ward7"), absent, false, true},
        {POLICY_RECORDS_FOLDER, absent, text(POLICY_TYPE_EXPAND_SZ, L"\\\\srv\\ward\\r"), false,
         true},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L""), absent, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"records"), absent, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"..\\ward"), absent, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"X:ward"), absent, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"\\ward"), absent, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"\\\\srv"), absent, true, false},
        {POLICY_RECORDS_FOLDER, text(POLICY_TYPE_SZ, L"\\\\srv\\"), absent, true, false},
        {POLICY_RECORDS_FOLDER, dword(1), text(POLICY_TYPE_SZ, L"X:\\ok"), true, false},
        {POLICY_RECORDS_FOLDER, multi, absent, true, false},
        {POLICY_RECORDS_FOLDER, too_long, absent, false, false}, // unusable, never shortened
    };
    for (const Case& c : cases) {
        PolicyReading machine[POLICY_VALUE_COUNT] = {};
        PolicyReading user[POLICY_VALUE_COUNT] = {};
        machine[c.value] = c.machine;
        user[c.value] = c.user;
        RecordsPolicy policy;
        records_policy_from(machine, user, &policy);
        const std::string what = std::to_string(c.value) + " " + std::to_string(&c - cases);
        EXPECT_EQ(policy.invalid_value, c.invalid ? c.value : -1) << what;
        switch (c.value) {
        case POLICY_REQUIRE_PATIENT: EXPECT_EQ(policy.require_patient, c.on) << what; break;
        case POLICY_REQUIRE_ASSESSOR: EXPECT_EQ(policy.require_assessor, c.on) << what; break;
        case POLICY_REMEMBER_ASSESSOR: EXPECT_EQ(policy.remember_assessor, c.on) << what; break;
        default:
            EXPECT_EQ(policy.records_folder[0] != L'\0', c.on) << what;
            // A folder set in any way names the folder: the user's own is never used instead.
            EXPECT_EQ(policy_names_folder(policy), c.machine.present || c.user.present) << what;
        }
        if (c.invalid) {
            wchar_t text[MESSAGE_CAPACITY];
            build_policy_invalid_text(policy, text, MESSAGE_CAPACITY);
            EXPECT_EQ(std::wstring(text), std::wstring(L"组策略“") + POLICY_VALUE_NAMES[c.value] +
                                              L"”的设置无效，请联系信息科。");
        }
    }
}

// The export's values: an address of http or https with a host, a header and a system of printable
// ASCII with no line break to start another header; anything else fails closed, and an empty
// value is unset.
TEST(RecordsPolicy, TheExportsValues) {
    const auto sz = [](const wchar_t* value) {
        return PolicyReading{true, POLICY_TYPE_SZ, 0, false, value, false};
    };
    const struct {
        PolicyValue value;
        PolicyReading reading;
        bool invalid;
        const wchar_t* taken;
    } cases[] = {
        {POLICY_FHIR_SERVER, sz(L"https://fhir.hospital.local/fhir/R4"), false,
         L"https://fhir.hospital.local/fhir/R4"},
        {POLICY_FHIR_SERVER, sz(L"HTTP://127.0.0.1:8103/fhir"), false,
         L"HTTP://127.0.0.1:8103/fhir"},
        {POLICY_FHIR_SERVER, sz(L""), false, L""},
        {POLICY_FHIR_SERVER, sz(L"fhir.hospital.local"), true, L""},
        {POLICY_FHIR_SERVER, sz(L"https:///fhir"), true, L""},
        {POLICY_FHIR_SERVER, sz(L"ftp://fhir"), true, L""},
        {POLICY_FHIR_SERVER, sz(L"https://fhir host/"), true, L""},
        {POLICY_FHIR_SERVER, PolicyReading{true, POLICY_TYPE_DWORD, 1, true, nullptr, false}, true,
         L""},
        {POLICY_FHIR_SERVER, PolicyReading{true, POLICY_TYPE_SZ, 0, false, nullptr, true}, true,
         L""},
        {POLICY_FHIR_AUTHORIZATION, sz(L"Bearer abc.def"), false, L"Bearer abc.def"},
        {POLICY_FHIR_AUTHORIZATION, sz(L"Bearer a\r\nX-Other: 1"), true, L""},
        {POLICY_FHIR_AUTHORIZATION, sz(L"Basic 张三"), true, L""},
        {POLICY_FHIR_PATIENT_SYSTEM, sz(L"http://hospital.example.cn/inpatient"), false,
         L"http://hospital.example.cn/inpatient"},
        {POLICY_FHIR_PATIENT_SYSTEM, sz(L"urn:a b"), true, L""},
    };
    for (const auto& c : cases) {
        PolicyReading machine[POLICY_VALUE_COUNT] = {};
        PolicyReading user[POLICY_VALUE_COUNT] = {};
        machine[c.value] = c.reading;
        static RecordsPolicy policy;
        records_policy_from(machine, user, &policy);
        const std::string what = std::to_string(&c - cases);
        EXPECT_EQ(policy.invalid_value, c.invalid ? c.value : -1) << what;
        const wchar_t* taken = c.value == POLICY_FHIR_SERVER          ? policy.fhir_server
                               : c.value == POLICY_FHIR_AUTHORIZATION ? policy.fhir_authorization
                                                                      : policy.fhir_patient_system;
        EXPECT_STREQ(taken, c.taken) << what;
        EXPECT_EQ(policy_exports(policy), c.value == POLICY_FHIR_SERVER && c.taken[0] != L'\0')
            << what;
    }
}

// A typed field is trimmed, then checked: whole or refused, never cut, and nothing invisible in
// it (a control or format character, or half a surrogate pair) that would split one patient in
// two.
TEST(PatientFields, TakenWholeOrRefused) {
    const std::wstring twenty(20, L'7');
    struct Case {
        PatientField field;
        std::wstring typed;
        PatientText expected;
        const wchar_t* taken;
    };
    const Case cases[] = {
        {PATIENT_NUMBER, L"  Z001\x3000", PatientText::taken, L"Z001"},
        {PATIENT_NUMBER, std::wstring(18, L' ') + L"Z0012345", PatientText::taken, L"Z0012345"},
        {PATIENT_NUMBER, twenty, PatientText::taken, twenty.c_str()},
        {PATIENT_NUMBER, twenty + L"8", PatientText::too_long, L""},
        {PATIENT_NUMBER, std::wstring(30, L'7'), PatientText::too_long, L""},
        {PATIENT_NUMBER, L"Z001\x200B", PatientText::control_character, L""},
        {PATIENT_NUMBER, L"\xFEFFZ001", PatientText::control_character, L""},
        {PATIENT_NAME, L"张\x202E三", PatientText::control_character, L""},
        {PATIENT_NAME, L"张\x00AD三", PatientText::control_character, L""},
        {PATIENT_NAME, L"张\t三", PatientText::control_character, L""},
        {PATIENT_NAME, L"张\x85三", PatientText::control_character, L""},
        {PATIENT_NAME, std::wstring(L"张") + static_cast<wchar_t>(0xD83D),
         PatientText::control_character, L""},
        {PATIENT_NAME, std::wstring(1, static_cast<wchar_t>(0xDE00)) + L"三",
         PatientText::control_character, L""},
        {PATIENT_NAME, L"\x4E09\x00B7\x674E", PatientText::taken, L"\x4E09\x00B7\x674E"},
    };
    for (const Case& c : cases) {
        wchar_t taken[PATIENT_FIELD_CAPACITY] = L"x";
        EXPECT_EQ(patient_field_take(c.field, c.typed.c_str(), taken, PATIENT_FIELD_CAPACITY),
                  c.expected)
            << &c - cases;
        EXPECT_STREQ(taken, c.taken) << &c - cases;
    }
    // A character outside the Basic Multilingual Plane is one character, and a format character
    // there (U+E0041, a tag) is refused.
    std::wstring emoji = L"张";
    std::wstring tag = L"张";
    if (sizeof(wchar_t) == 2) {
        emoji += {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
        tag += {static_cast<wchar_t>(0xDB40), static_cast<wchar_t>(0xDC41)};
    } else {
        emoji += static_cast<wchar_t>(0x1F600);
        tag += static_cast<wchar_t>(0xE0041);
    }
    wchar_t taken[PATIENT_FIELD_CAPACITY];
    EXPECT_EQ(patient_field_take(PATIENT_NAME, emoji.c_str(), taken, PATIENT_FIELD_CAPACITY),
              PatientText::taken);
    EXPECT_EQ(patient_field_take(PATIENT_NAME, tag.c_str(), taken, PATIENT_FIELD_CAPACITY),
              PatientText::control_character);
}

} // namespace
