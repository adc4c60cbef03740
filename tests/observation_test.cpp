// The Observation each exported tool's Save sends: read back with the JSON library, field by
// field, from a record calculated on the tool's own defaults.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/text.h"
#include "core/utf8.h"
#include "fhir/observation.h"
#include "tests/tool_programs.h"

namespace {

const wchar_t* const record_id = L"3f2b8c1e-9d4a-4c2b-8e1f-0a6b5c4d3e2f";
const wchar_t* const entry_id = L"0c9e7a52-6d1b-4f3a-9b2e-5a4c3d2e1f00";

std::string utf8(const wchar_t* text) {
    char bytes[1024];
    const int length = utf8_from_wide(text, bytes, sizeof bytes);
    return length < 0 ? std::string("<invalid>") : std::string(bytes, length);
}

struct Built {
    CalcOutcome outcome;
    double inputs[TOOL_MAX_INPUTS];
    std::string body;
};

// The tool's record on its defaults, for the patient, sent as a Bundle.
bool build(const char* name, const PatientFields& patient, Built* built, int offset = 480,
           int capacity = FHIR_BODY_CAPACITY) {
    const ToolDef& tool = program(name);
    for (int i = 0; i < tool_input_count(tool); ++i)
        built->inputs[i] = tool.inputs[i].default_value;
    tool_calculate(tool, built->inputs, &built->outcome);
    const ObservationSource source = {&tool,  name,     record_id,     {2026, 12, 9, 8, 30, 5},
                                      offset, &patient, built->inputs, &built->outcome,
                                      nullptr};
    static char body[FHIR_BODY_CAPACITY];
    int length = -1;
    const bool done = build_observation_bundle(source, entry_id, body, capacity, &length);
    built->body.assign(body, static_cast<std::size_t>(length));
    EXPECT_EQ(std::strlen(body), static_cast<std::size_t>(length));
    return done;
}

PatientFields patient_of(const wchar_t* bed, const wchar_t* number, const wchar_t* name,
                         const wchar_t* assessor) {
    PatientFields patient;
    patient_fields_clear(&patient);
    text_copy(patient.text[PATIENT_BED], PATIENT_FIELD_CAPACITY, bed);
    text_copy(patient.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, number);
    text_copy(patient.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, name);
    text_copy(patient.text[PATIENT_ASSESSOR], PATIENT_FIELD_CAPACITY, assessor);
    return patient;
}

std::string text_of(const rapidjson::Value& value) {
    return value.IsString() ? std::string(value.GetString(), value.GetStringLength()) : "<none>";
}

TEST(Observation, EachExportedToolFromItsRecord) {
    const char* exported[] = {"braden",      "morse-fall", "barthel-adl", "padua-vte",
                              "caprini-vte", "nrs2002",    "gcs",         "news2",
                              "pain-nrs",    "drip-rate",  "pump-rate",   "bmi"};
    const PatientFields patient = patient_of(L"12", L"Z2001", L"张三", L"李护士");
    for (const char* name : exported) {
        SCOPED_TRACE(name);
        const ToolDef& tool = program(name);
        Built built;
        ASSERT_TRUE(build(name, patient, &built));
        rapidjson::Document bundle;
        ASSERT_FALSE(bundle.Parse(built.body.c_str()).HasParseError()) << built.body;
        EXPECT_EQ(text_of(bundle["resourceType"]), "Bundle");
        EXPECT_EQ(text_of(bundle["type"]), "transaction");
        ASSERT_EQ(bundle["entry"].Size(), 1u);
        const rapidjson::Value& entry = bundle["entry"][0];
        EXPECT_EQ(text_of(entry["fullUrl"]), "urn:uuid:" + utf8(entry_id));
        EXPECT_EQ(text_of(entry["request"]["method"]), "POST");
        EXPECT_EQ(text_of(entry["request"]["url"]), "Observation");
        EXPECT_EQ(text_of(entry["request"]["ifNoneExist"]),
                  "identifier=urn:ietf:rfc:3986|urn:uuid:" + utf8(record_id));
        const rapidjson::Value& o = entry["resource"];
        EXPECT_EQ(text_of(o["identifier"][0]["system"]), "urn:ietf:rfc:3986");
        EXPECT_EQ(text_of(o["identifier"][0]["value"]), "urn:uuid:" + utf8(record_id));
        EXPECT_EQ(text_of(o["status"]), "final");
        const rapidjson::Value& codings = o["code"]["coding"];
        const rapidjson::Value& local = codings[codings.Size() - 1];
        EXPECT_EQ(text_of(local["system"]), "urn:halvimed:tool");
        EXPECT_EQ(text_of(local["code"]), name);
        EXPECT_EQ(text_of(local["display"]), utf8(tool.title));
        EXPECT_EQ(text_of(o["code"]["text"]), utf8(tool.title));
        const rapidjson::Value& identifier = o["subject"]["identifier"];
        EXPECT_EQ(text_of(identifier["type"]["coding"][0]["code"]), "MR");
        EXPECT_EQ(text_of(identifier["system"]), "urn:halvimed:inpatient");
        EXPECT_EQ(text_of(identifier["value"]), "Z2001");
        EXPECT_EQ(text_of(o["subject"]["display"]), "张三");
        EXPECT_EQ(text_of(o["effectiveDateTime"]), "2026-12-09T08:30:05+08:00");
        EXPECT_EQ(text_of(o["performer"][0]["display"]), "李护士");
        ASSERT_TRUE(o["valueQuantity"]["value"].IsNumber());
        EXPECT_EQ(o["valueQuantity"]["value"].GetDouble(), built.outcome.headline);
        EXPECT_EQ(text_of(o["valueQuantity"]["system"]), "http://unitsofmeasure.org");
        EXPECT_EQ(text_of(o["interpretation"][0]["coding"][0]["code"]),
                  std::to_string(built.outcome.level));
        EXPECT_EQ(text_of(o["interpretation"][0]["text"]), utf8(built.outcome.verdict));
        // Every input and every output but the headline, each with its value.
        const rapidjson::Value& components = o["component"];
        ASSERT_EQ(static_cast<int>(components.Size()),
                  tool_input_count(tool) + tool_output_count(tool) - 1);
        for (int i = 0; i < tool_input_count(tool); ++i) {
            const rapidjson::Value& c = components[i];
            const rapidjson::Value& coding = c["code"]["coding"];
            EXPECT_EQ(text_of(coding[coding.Size() - 1]["code"]), tool.inputs[i].key);
            EXPECT_EQ(text_of(c["code"]["text"]), utf8(tool.inputs[i].label));
            EXPECT_EQ(c["valueQuantity"]["value"].GetDouble(), built.inputs[i]);
        }
        EXPECT_EQ(text_of(o["note"][0]["text"]), utf8(built.outcome.kept));
    }
}

// The codes that differ between tools: LOINC where one exists, with its items; BMI a vital sign;
// the rates in their units; NEWS2 the local code alone.
TEST(Observation, TheCodesOfATool) {
    const struct {
        const char* program;
        const char* first_coding; // of the Observation's code
        const char* category;
        const char* ucum;
        const char* first_item; // the first component's first coding
    } cases[] = {
        {"braden", "38227-5", "survey", "{score}", "38222-6"},
        {"gcs", "9269-2", "survey", "{score}", "9267-6"},
        {"bmi", "39156-5", "vital-signs", "kg/m2", "height"},
        {"news2", "news2", "survey", "{score}", nullptr},
        {"drip-rate", "drip-rate", "survey", "{drops}/min", "volume"},
        {"pump-rate", "pump-rate", "survey", "mL/h", "dose"},
    };
    const PatientFields patient = patient_of(L"", L"Z1", L"", L"");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        Built built;
        ASSERT_TRUE(build(c.program, patient, &built));
        rapidjson::Document bundle;
        bundle.Parse(built.body.c_str());
        const rapidjson::Value& o = bundle["entry"][0]["resource"];
        EXPECT_EQ(text_of(o["code"]["coding"][0]["code"]), c.first_coding);
        EXPECT_EQ(text_of(o["category"][0]["coding"][0]["code"]), c.category);
        EXPECT_EQ(text_of(o["valueQuantity"]["code"]), c.ucum);
        if (c.first_item != nullptr) {
            EXPECT_EQ(text_of(o["component"][0]["code"]["coding"][0]["code"]), c.first_item);
        }
        EXPECT_FALSE(o.HasMember("performer")) << "no assessor, no performer";
        EXPECT_FALSE(o["subject"].HasMember("display")) << "no name, no display";
    }
    EXPECT_FALSE(observation_exported("infusion-card")) << "a report is not exported";
    EXPECT_FALSE(observation_exported("shift-rotation"));
}

// Names and texts that JSON must escape, characters beyond the BMP, offsets west of UTC; a body
// that does not fit is refused whole.
TEST(Observation, TextsAreEscapedAndABodyIsWholeOrNothing) {
    const PatientFields patient =
        patient_of(L"3", L"Z\"1\\", L"O'\"Brien\" \\n\x1F", L"护士\U0001F600");
    Built built;
    ASSERT_TRUE(build("braden", patient, &built, -330));
    rapidjson::Document bundle;
    ASSERT_FALSE(bundle.Parse(built.body.c_str()).HasParseError()) << built.body;
    const rapidjson::Value& o = bundle["entry"][0]["resource"];
    EXPECT_EQ(text_of(o["subject"]["identifier"]["value"]), "Z\"1\\");
    EXPECT_EQ(text_of(o["subject"]["display"]), "O'\"Brien\" \\n\x1F");
    EXPECT_EQ(text_of(o["performer"][0]["display"]), "护士\xF0\x9F\x98\x80");
    EXPECT_EQ(text_of(o["effectiveDateTime"]), "2026-12-09T08:30:05-05:30");
    EXPECT_NE(built.body.find("\\u001F"), std::string::npos) << "a control character escaped";

    const std::size_t whole = built.body.size();
    EXPECT_TRUE(build("braden", patient, &built, 480, static_cast<int>(whole) + 1));
    EXPECT_FALSE(build("braden", patient, &built, 480, static_cast<int>(whole)));
    EXPECT_EQ(built.body, "");
}

} // namespace
