// The calculation session over every program: accepted texts give exactly tool_compute's outcome
// of their values, a refused text names its input and keeps the last outcome, and an edit makes
// the outcome stale for Copy and Save until the next Calculate.
#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "screen/calc_session.h"
#include "screen/record_texts.h"
#include "screen/window_texts.h"
#include "tests/tool_programs.h"

namespace {

constexpr const wchar_t* NEEDS_RESULT = L"请先点击“计算”";

struct Texts {
    wchar_t text[TOOL_MAX_INPUTS][DEFAULT_TEXT_CAPACITY];
    const wchar_t* of[TOOL_MAX_INPUTS];
};

// Each input's default as its edit shows it.
void default_texts(const ToolDef& tool, Texts* texts) {
    for (int j = 0; j < TOOL_MAX_INPUTS; ++j) {
        texts->text[j][0] = L'\0';
        if (j < tool.input_count)
            build_default_text(tool.inputs[j].default_value, texts->text[j], DEFAULT_TEXT_CAPACITY);
        texts->of[j] = texts->text[j];
    }
}

PatientFields no_patient() {
    PatientFields patient;
    patient_fields_clear(&patient);
    return patient;
}

TEST(CalcSession, EveryProgramFromTextsToOutcome) {
    static CalcSession session;
    static wchar_t result[OUTCOME_RESULT_CAPACITY];
    static wchar_t verdict[OUTCOME_VERDICT_CAPACITY];
    static wchar_t kept[OUTCOME_RESULT_CAPACITY];
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        SCOPED_TRACE(TOOL_PROGRAMS[p].name);
        session_start(&session, &tool);
        EXPECT_FALSE(session_has_result(session));
        EXPECT_STREQ(session_refusal(session, NEEDS_RESULT), NEEDS_RESULT);
        Texts texts;
        default_texts(tool, &texts);
        ASSERT_EQ(session_calculate(&session, texts.of), -1);

        int level = -1;
        tool_compute(tool, session.input_values, result, OUTCOME_RESULT_CAPACITY, verdict,
                     OUTCOME_VERDICT_CAPACITY, &level, kept, OUTCOME_RESULT_CAPACITY);
        EXPECT_STREQ(session.outcome.result, result);
        EXPECT_STREQ(session.outcome.verdict, verdict);
        EXPECT_STREQ(session.outcome.kept, kept);
        EXPECT_EQ(session.outcome.level, level);
        EXPECT_EQ(session_level(session), level);
        EXPECT_EQ(session.outcome.output_count, tool.report_kind != 0 ? 0 : tool.output_count);
        for (int j = 0; j < tool.input_count; ++j)
            EXPECT_EQ(session.input_values[j], tool.inputs[j].default_value);
        EXPECT_EQ(session_refusal(session, NEEDS_RESULT), nullptr);
        // Without a patient, Copy is the inputs line of a tool of formulas, then the result.
        static wchar_t copy[COPY_TEXT_CAPACITY];
        session_copy_text(session, no_patient(), copy, COPY_TEXT_CAPACITY);
        static wchar_t expected_copy[COPY_TEXT_CAPACITY];
        build_copy_text(tool, result, verdict, expected_copy, COPY_TEXT_CAPACITY);
        const std::wstring copied = copy;
        EXPECT_EQ(copied.substr(copied.size() - text_length(expected_copy)), expected_copy);
        EXPECT_EQ(copied.size() == static_cast<std::size_t>(text_length(expected_copy)),
                  tool.report_kind != 0 || tool.input_count == 0);

        // A refused text in the last input names it and changes nothing.
        if (tool.input_count > 0) {
            const std::wstring before = session.outcome.result;
            const double first = session.input_values[0];
            const int last = tool.input_count - 1;
            texts.of[last] = L"不是数字";
            EXPECT_EQ(session_calculate(&session, texts.of), last);
            EXPECT_EQ(std::wstring(session.outcome.result), before);
            EXPECT_EQ(session.input_values[0], first);
            EXPECT_EQ(session_refusal(session, NEEDS_RESULT), nullptr)
                << "a refusal alone does not make the outcome stale";
        }
        // An edit makes it stale until the next Calculate that is accepted.
        session_input_edited(&session);
        EXPECT_STREQ(session_refusal(session, NEEDS_RESULT), TEXT_INPUTS_EDITED);
        if (tool.input_count > 0) {
            EXPECT_GE(session_calculate(&session, texts.of), 0);
            EXPECT_STREQ(session_refusal(session, NEEDS_RESULT), TEXT_INPUTS_EDITED);
        }
        default_texts(tool, &texts);
        EXPECT_EQ(session_calculate(&session, texts.of), -1);
        EXPECT_EQ(session_refusal(session, NEEDS_RESULT), nullptr);
        session_reset(&session);
        EXPECT_FALSE(session_has_result(session));
        EXPECT_EQ(session_level(session), 0);
    }
}

// The record line is built from the session's own values and outcome.
TEST(CalcSession, RecordLineOfTheLastAcceptedCalculate) {
    static CalcSession session;
    const ToolDef& braden = *TOOL_PROGRAMS[0].tool;
    session_start(&session, &braden);
    const wchar_t* texts[] = {L"1", L"1", L"1", L"1", L"1", L"1"};
    ASSERT_EQ(session_calculate(&session, texts), -1);
    const wchar_t* slip[] = {L"1", L"41", L"1", L"1", L"1", L"1"};
    EXPECT_EQ(session_calculate(&session, slip), 1);
    const LocalTime time = {2026, 12, 9, 8, 5, 7};
    static wchar_t line[RECORD_LINE_CAPACITY];
    PatientFields patient = no_patient();
    text_copy(patient.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, L"Z0012");
    const wchar_t* id = L"0f1e2d3c-4b5a-4968-8776-655443322110";
    ASSERT_TRUE(session_record_line(session, time, patient, id, line, RECORD_LINE_CAPACITY));
    const double ones[] = {1, 1, 1, 1, 1, 1};
    const RecordEntry entry = {
        time, ones, L"Braden 总分：6 分\r\n", 3, L"极高危，使用减压床垫并每 2 小时翻身", &patient,
        id,   6};
    static wchar_t expected[RECORD_LINE_CAPACITY];
    ASSERT_TRUE(build_record(braden, entry, expected, RECORD_LINE_CAPACITY));
    EXPECT_STREQ(line, expected);
}

// Closing asks only while a result exists that no Save has taken: each step of a window's life.
TEST(CalcSession, AResultIsUnsavedFromItsCalculateToItsSave) {
    static CalcSession session;
    Texts texts;
    const ToolDef& tool = program("bmi");
    default_texts(tool, &texts);
    session_start(&session, &tool);
    EXPECT_FALSE(session_result_unsaved(session)) << "nothing calculated yet";
    ASSERT_EQ(session_calculate(&session, texts.of), -1);
    EXPECT_TRUE(session_result_unsaved(session));
    session_mark_saved(&session);
    EXPECT_FALSE(session_result_unsaved(session));
    session_input_edited(&session);
    EXPECT_FALSE(session_result_unsaved(session)) << "the saved result is still the last one";
    const wchar_t* refused[TOOL_MAX_INPUTS] = {L"x", texts.of[1]};
    ASSERT_EQ(session_calculate(&session, refused), 0);
    EXPECT_FALSE(session_result_unsaved(session)) << "a refused Calculate made no new result";
    ASSERT_EQ(session_calculate(&session, texts.of), -1);
    EXPECT_TRUE(session_result_unsaved(session)) << "a new Calculate is a new result";
    session_reset(&session);
    EXPECT_FALSE(session_result_unsaved(session)) << "Reset leaves nothing to lose";
}

// A window opened for a patient names them in its caption, the empty parts left out.
TEST(CalcSession, ThePatientCaption) {
    const struct {
        const wchar_t* bed;
        const wchar_t* number;
        const wchar_t* name;
        const wchar_t* caption;
    } cases[] = {
        {L"12", L"Z2001", L"张三", L"体重指数 — 12床 张三 Z2001"},
        {L"", L"Z2001", L"", L"体重指数 — Z2001"},
        {L"加1", L"", L"赵强", L"体重指数 — 加1床 赵强"},
        {L"", L"", L"", L"体重指数"},
    };
    for (const auto& c : cases) {
        PatientFields patient = no_patient();
        text_copy(patient.text[PATIENT_BED], PATIENT_FIELD_CAPACITY, c.bed);
        text_copy(patient.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, c.number);
        text_copy(patient.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, c.name);
        wchar_t caption[PATIENT_CAPTION_CAPACITY];
        build_patient_caption(L"体重指数", patient, caption, PATIENT_CAPTION_CAPACITY);
        EXPECT_STREQ(caption, c.caption);
        EXPECT_TRUE(caption_is_of_tool(caption, L"体重指数")) << c.caption;
        EXPECT_FALSE(caption_is_of_tool(caption, L"体重")) << c.caption;
    }
    // Another tool whose title starts with this one's is not this tool.
    EXPECT_FALSE(caption_is_of_tool(L"体重指数计算 — 12床", L"体重指数"));
    wchar_t text[256];
    build_saved_text(L"\\\\ward\\records", text, 256);
    EXPECT_STREQ(text, L"本次结果已追加保存到病区记录（\\\\ward\\records）。");
    build_save_failure_text(L"D:\\T007.csv", text, 256, L"拒绝访问。");
    EXPECT_STREQ(text, L"记录保存失败：无法写入 D:\\T007.csv（拒绝访问。）");
}

} // namespace
