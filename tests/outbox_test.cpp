// The outbox with a fault injected at every step: a record is queued whole or not at all, and
// never counted sent, or moved to rejected\, unless that step was done; the server's answers and
// what each means for the record.
#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "fhir/observation.h"
#include "fhir/outbox.h"
#include "fhir/outbox_entry.h"
#include "tests/memory_folder.h"
#include "tests/tool_programs.h"

namespace {

const wchar_t* const folder = L"C:\\outbox";
const wchar_t* const id = L"3f2b8c1e-9d4a-4c2b-8e1f-0a6b5c4d3e2f";
const std::wstring queued = std::wstring(folder) + L"\\" + id + L".json";
const std::wstring rejected = std::wstring(folder) + L"\\rejected\\" + id + L".json";
const std::wstring reason_file = std::wstring(folder) + L"\\rejected\\" + id + L".txt";

TEST(Outbox, QueuedWholeOrNotAtAll) {
    const std::string body = "{\"resourceType\":\"Bundle\"}";
    MemoryFolder whole;
    ASSERT_TRUE(outbox_queue(whole.ops(), folder, id, body.data(), body.size()));
    EXPECT_EQ(whole.files.size(), 1u);
    EXPECT_EQ(whole.files[queued], body);
    for (int fail = 0; fail < whole.steps; ++fail) {
        MemoryFolder faulty;
        faulty.fail_at = fail;
        faulty.write_limit = 5;
        EXPECT_FALSE(outbox_queue(faulty.ops(), folder, id, body.data(), body.size())) << fail;
        EXPECT_TRUE(faulty.files.empty()) << "step " << fail << " left a file";
    }
    EXPECT_TRUE(outbox_file_name(L"3f2b8c1e-9d4a-4c2b-8e1f-0a6b5c4d3e2f.json"));
    for (const wchar_t* name : {L"3f2b8c1e-9d4a-4c2b-8e1f-0a6b5c4d3e2f.json.part",
                                L"3f2b8c1e-9d4a-4c2b-8e1f-0a6b5c4d3e2.json", L"rejected",
                                L"3f2b8c1e_9d4a-4c2b-8e1f-0a6b5c4d3e2f.json"})
        EXPECT_FALSE(outbox_file_name(name)) << name;
}

// Settling after each answer, and after a fault at each of its steps: the file leaves the queue
// only when the step that takes it out was done, and a refused one is in rejected\ only beside its
// reason.
TEST(Outbox, SettledOnlyWhenEveryStepIsDone) {
    for (const FhirAnswer answer : {FhirAnswer::sent, FhirAnswer::refused, FhirAnswer::not_known}) {
        const auto settle = [&](MemoryFolder& f) {
            f.files[queued] = "body";
            f.steps = 0;
            return outbox_settle(f.ops(), folder, id, answer, 422, L"姓名\"缺失\"");
        };
        MemoryFolder whole;
        ASSERT_TRUE(settle(whole));
        const bool stays = answer == FhirAnswer::not_known;
        EXPECT_EQ(whole.files.count(queued), stays ? 1u : 0u);
        EXPECT_EQ(whole.files.count(rejected), answer == FhirAnswer::refused ? 1u : 0u);
        if (answer == FhirAnswer::refused) {
            EXPECT_EQ(whole.files[reason_file], "\xEF\xBB\xBFHTTP 422\r\n姓名\"缺失\"\r\n");
        }
        for (int fail = 0; fail < whole.steps; ++fail) {
            MemoryFolder faulty;
            faulty.fail_at = fail;
            EXPECT_FALSE(settle(faulty)) << fail;
            EXPECT_EQ(faulty.files.count(queued), 1u) << "step " << fail << " lost the record";
            EXPECT_EQ(faulty.files.count(rejected), 0u) << fail;
        }
    }
}

TEST(Outbox, WhatTheServersAnswerMeans) {
    const std::string created = R"({"resourceType":"Bundle","type":"transaction-response",
        "entry":[{"response":{"status":"201 Created","location":"Observation/1/_history/1"}}]})";
    const std::string outcome = R"j({"resourceType":"OperationOutcome","issue":[{"severity":"error",
        "code":"invalid","diagnostics":"Missing required property (Observation.code)"}]})j";
    const struct {
        int status;
        std::string body;
        FhirAnswer answer;
        const wchar_t* reason;
    } cases[] = {
        {200, created, FhirAnswer::sent, L""},
        {200, R"({"entry":[{"response":{"status":"200 OK"}}]})", FhirAnswer::sent, L""},
        {200, R"({"entry":[{"response":{"status":"422","outcome":)" + outcome + "}}]}",
         FhirAnswer::refused, L"Missing required property (Observation.code)"},
        {200, R"({"entry":[{"response":{"status":"500"}}]})", FhirAnswer::not_known, L"HTTP 500"},
        {200, "<html>proxy</html>", FhirAnswer::not_known, L"HTTP 200"},
        {200, R"({"entry":[]})", FhirAnswer::not_known, L"HTTP 200"},
        {422, outcome, FhirAnswer::refused, L"Missing required property (Observation.code)"},
        {400, R"({"resourceType":"OperationOutcome","issue":[{"details":{"text":"格式错误"}}]})",
         FhirAnswer::refused, L"格式错误"},
        {401, "", FhirAnswer::refused, L"HTTP 401"},
        {404, "not json", FhirAnswer::refused, L"HTTP 404"},
        {408, outcome, FhirAnswer::not_known, L"HTTP 408"},
        {429, "", FhirAnswer::not_known, L"HTTP 429"},
        {503, outcome, FhirAnswer::not_known, L"HTTP 503"},
        {201, created, FhirAnswer::not_known, L"HTTP 201"},
        {302, "", FhirAnswer::not_known, L"HTTP 302"},
        // Bodies that would run the parser out of its fixed memory are never parsed: nested
        // deeper than it reads, or longer, whatever else they hold.
        {200, std::string(65, '[') + std::string(65, ']'), FhirAnswer::not_known, L"HTTP 200"},
        {422, std::string(100000, '['), FhirAnswer::refused, L"HTTP 422"},
        {200, created + std::string(70000, ' '), FhirAnswer::not_known, L"HTTP 200"},
        {200, std::string(R"({"x":")") + std::string(100, '[') + R"(",)" + created.substr(1),
         FhirAnswer::sent, L""}, // brackets in a string are no nesting
    };
    for (const auto& c : cases) {
        std::string body = c.body;
        wchar_t reason[FHIR_REASON_CAPACITY];
        EXPECT_EQ(
            fhir_read_answer(c.status, body.data(), body.size(), reason, FHIR_REASON_CAPACITY),
            c.answer)
            << c.status << " " << c.body;
        EXPECT_STREQ(reason, c.reason) << c.status << " " << c.body;
    }
}

// The list of uploads reads its rows back from the outbox's own files: the body a Save queued,
// and the reason beside a refused one.
TEST(Outbox, TheUploadListReadsTheQueuedBody) {
    const ToolDef& tool = program("gcs");
    double inputs[TOOL_MAX_INPUTS] = {4, 5, 6};
    CalcOutcome outcome;
    tool_calculate(tool, inputs, &outcome);
    for (const wchar_t* name : {L"张\"三", L""}) {
        PatientFields patient;
        patient_fields_clear(&patient);
        text_copy(patient.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, L"Z7");
        text_copy(patient.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, name);
        const ObservationSource source = {
            &tool, "gcs", id, {2026, 12, 9, 23, 5, 0}, -300, &patient, inputs, &outcome, nullptr};
        static char body[FHIR_BODY_CAPACITY];
        int length = 0;
        ASSERT_TRUE(build_observation_bundle(source, id, body, FHIR_BODY_CAPACITY, &length));
        OutboxEntry entry;
        ASSERT_TRUE(outbox_entry_read(body, static_cast<std::size_t>(length), &entry));
        EXPECT_STREQ(entry.time, L"2026-12-09 23:05:00");
        EXPECT_STREQ(entry.tool, tool.title);
        EXPECT_EQ(std::wstring(entry.patient), name[0] != L'\0' ? L"Z7 张\"三" : L"Z7");
    }
    OutboxEntry entry;
    char not_a_bundle[] = "{\"resourceType\":\"Patient\"}";
    EXPECT_FALSE(outbox_entry_read(not_a_bundle, sizeof not_a_bundle - 1, &entry));
    EXPECT_STREQ(entry.tool, L"");
    const std::string reason = "\xEF\xBB\xBFHTTP 422\r\n患者不存在\r\n";
    wchar_t line[128];
    outbox_reason_line(reason.data(), reason.size(), line, 128);
    EXPECT_STREQ(line, L"HTTP 422：患者不存在");
}

} // namespace
