// The admission scales and bedside calculations at the edges of their bands: each case sets some
// inputs (the rest keep their defaults) and expects the level and the rule that grades it. And the
// grade of a calculation always agrees with the value the window shows, over many inputs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/accepted_values.h"
#include "core/text.h"
#include "engine/engine.h"
#include "tools/catalog.h"

namespace {

const ToolDef& program(const std::string& name) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p)
        if (name == TOOL_PROGRAMS[p].name) return *TOOL_PROGRAMS[p].tool;
    ADD_FAILURE() << "no program " << name;
    return *TOOL_PROGRAMS[0].tool;
}

struct Outcome {
    std::wstring result;
    std::wstring verdict;
    int level;
};

Outcome run(const ToolDef& tool, const std::vector<std::pair<const char*, double>>& set) {
    double values[TOOL_MAX_INPUTS] = {};
    for (int i = 0; i < tool.input_count; ++i) values[i] = tool.inputs[i].default_value;
    for (const auto& [key, value] : set) {
        bool found = false;
        for (int i = 0; i < tool.input_count; ++i) {
            if (std::string(tool.inputs[i].key) == key) {
                values[i] = value;
                found = true;
            }
        }
        EXPECT_TRUE(found) << "no input " << key;
    }
    static wchar_t result[8192], verdict[512], kept[8192];
    int level = -1;
    tool_compute(tool, values, result, 8192, verdict, 512, &level, kept, 8192);
    return {result, verdict, level};
}

struct Case {
    const char* program;
    std::vector<std::pair<const char*, double>> inputs;
    int rule;  // the rule that grades it, counted from 0
    int level; // the level that rule gives
};

TEST(ScaleBands, EachEdgeAndOneStepBeyond) {
    const Case cases[] = {
        // Morse: totals move in steps of 5; 20 and 25, 40 and 45 are the reachable edges.
        {"morse-fall", {}, 2, 0},
        {"morse-fall", {{"iv", 20}}, 2, 0},
        {"morse-fall", {{"history", 25}}, 1, 1},
        {"morse-fall", {{"diagnosis", 15}, {"aid", 15}, {"gait", 10}}, 1, 1},
        {"morse-fall", {{"history", 25}, {"iv", 20}}, 0, 2},
        {"morse-fall",
         {{"history", 25},
          {"diagnosis", 15},
          {"aid", 30},
          {"iv", 20},
          {"gait", 20},
          {"mental", 15}},
         0,
         2},
        // Barthel: 100, 95, 65, 60, 45, 40, 0.
        {"barthel-adl", {}, 3, 0},
        {"barthel-adl", {{"bathing", 0}}, 2, 1},
        {"barthel-adl", {{"transfer", 0}, {"walking", 0}, {"feeding", 5}}, 2, 1},
        {"barthel-adl", {{"transfer", 0}, {"walking", 0}, {"feeding", 0}}, 1, 2},
        {"barthel-adl",
         {{"transfer", 0}, {"walking", 0}, {"feeding", 0}, {"stairs", 0}, {"bathing", 0}},
         1,
         2},
        {"barthel-adl",
         {{"transfer", 0},
          {"walking", 0},
          {"feeding", 0},
          {"stairs", 0},
          {"bathing", 0},
          {"grooming", 0}},
         0,
         3},
        // Padua: 3 and 4.
        {"padua-vte", {}, 1, 0},
        {"padua-vte", {{"cancer", 3}}, 1, 0},
        {"padua-vte", {{"cancer", 3}, {"elderly", 1}}, 0, 2},
        // Caprini: the age bands alone, then totals 0 to 5.
        {"caprini-vte", {{"age", 40}}, 3, 0},
        {"caprini-vte", {{"age", 41}}, 2, 1},
        {"caprini-vte", {{"age", 60}}, 2, 1},
        {"caprini-vte", {{"age", 61}}, 2, 1},
        {"caprini-vte", {{"age", 74}}, 2, 1},
        {"caprini-vte", {{"age", 75}}, 1, 2},
        {"caprini-vte", {{"age", 18}, {"n1", 2}}, 2, 1},
        {"caprini-vte", {{"age", 61}, {"n1", 1}}, 1, 2},
        {"caprini-vte", {{"age", 40}, {"n2", 2}}, 1, 2},
        {"caprini-vte", {{"age", 40}, {"n5", 1}}, 0, 3},
        {"caprini-vte", {{"age", 75}, {"n2", 1}}, 0, 3},
        {"caprini-vte", {{"age", 120}, {"n1", 15}, {"n2", 7}, {"n3", 9}, {"n5", 5}}, 0, 3},
        // Multiple trauma alone (5 points) is high risk.
        {"caprini-vte", {{"age", 18}, {"n5", 1}}, 0, 3},
        // NRS 2002: 2 and 3.
        {"nrs2002", {{"nutrition", 2}}, 1, 0},
        {"nrs2002", {{"nutrition", 2}, {"age70", 1}}, 0, 2},
        // GCS: 15, 14, 13, 12, 9, 8, 3.
        {"gcs", {}, 3, 0},
        {"gcs", {{"verbal", 4}}, 2, 1},
        {"gcs", {{"verbal", 3}}, 2, 1},
        {"gcs", {{"verbal", 2}}, 1, 2},
        {"gcs", {{"verbal", 1}, {"eye", 2}}, 1, 2},
        {"gcs", {{"verbal", 1}, {"eye", 1}}, 0, 3},
        {"gcs", {{"verbal", 1}, {"eye", 1}, {"motor", 1}}, 0, 3},
        // Pain: 0, 1, 3, 4, 6, 7, 10.
        {"pain-nrs", {}, 3, 0},
        {"pain-nrs", {{"pain", 1}}, 2, 1},
        {"pain-nrs", {{"pain", 3}}, 2, 1},
        {"pain-nrs", {{"pain", 4}}, 1, 2},
        {"pain-nrs", {{"pain", 6}}, 1, 2},
        {"pain-nrs", {{"pain", 7}}, 0, 3},
        {"pain-nrs", {{"pain", 10}}, 0, 3},
        // NEWS2 defaults score 0; each parameter's band edges, one at a time.
        {"news2", {}, 4, 0},
        {"news2", {{"resp", 8}}, 2, 1},
        {"news2", {{"resp", 9}}, 3, 0},
        {"news2", {{"resp", 11}}, 3, 0},
        {"news2", {{"resp", 12}}, 4, 0},
        {"news2", {{"resp", 20}}, 4, 0},
        {"news2", {{"resp", 21}}, 3, 0},
        {"news2", {{"resp", 24}}, 3, 0},
        {"news2", {{"resp", 25}}, 2, 1},
        {"news2", {{"spo2", 91}}, 2, 1},
        {"news2", {{"spo2", 92}}, 3, 0},
        {"news2", {{"spo2", 93}}, 3, 0},
        {"news2", {{"spo2", 94}}, 3, 0},
        {"news2", {{"spo2", 95}}, 3, 0},
        {"news2", {{"spo2", 96}}, 4, 0},
        {"news2", {{"oxygen", 2}}, 3, 0},
        {"news2", {{"sbp", 90}}, 2, 1},
        {"news2", {{"sbp", 91}}, 3, 0},
        {"news2", {{"sbp", 100}}, 3, 0},
        {"news2", {{"sbp", 101}}, 3, 0},
        {"news2", {{"sbp", 110}}, 3, 0},
        {"news2", {{"sbp", 111}}, 4, 0},
        {"news2", {{"sbp", 219}}, 4, 0},
        {"news2", {{"sbp", 220}}, 2, 1},
        {"news2", {{"pulse", 40}}, 2, 1},
        {"news2", {{"pulse", 41}}, 3, 0},
        {"news2", {{"pulse", 50}}, 3, 0},
        {"news2", {{"pulse", 51}}, 4, 0},
        {"news2", {{"pulse", 90}}, 4, 0},
        {"news2", {{"pulse", 91}}, 3, 0},
        {"news2", {{"pulse", 110}}, 3, 0},
        {"news2", {{"pulse", 111}}, 3, 0},
        {"news2", {{"pulse", 130}}, 3, 0},
        {"news2", {{"pulse", 131}}, 2, 1},
        {"news2", {{"conscious", 3}}, 2, 1},
        {"news2", {{"temp", 35}}, 2, 1},
        {"news2", {{"temp", 35.1}}, 3, 0},
        {"news2", {{"temp", 36}}, 3, 0},
        {"news2", {{"temp", 36.1}}, 4, 0},
        {"news2", {{"temp", 38}}, 4, 0},
        {"news2", {{"temp", 38.1}}, 3, 0},
        {"news2", {{"temp", 39}}, 3, 0},
        {"news2", {{"temp", 39.1}}, 3, 0},
        // A single 3 with a total of 3; then totals 4, 5, 6 and 7 without one.
        {"news2", {{"resp", 25}}, 2, 1},
        {"news2", {{"resp", 21}, {"oxygen", 2}}, 3, 0},
        {"news2", {{"resp", 21}, {"oxygen", 2}, {"temp", 38.1}}, 1, 2},
        {"news2", {{"resp", 21}, {"oxygen", 2}, {"spo2", 92}}, 1, 2},
        {"news2", {{"resp", 21}, {"oxygen", 2}, {"spo2", 92}, {"temp", 38.1}}, 0, 3},
        {"news2", {{"resp", 25}, {"spo2", 91}, {"conscious", 3}}, 0, 3},
        // SpO2 scale 2: each edge without and with oxygen (worth 2 itself).
        {"news2", {{"scale", 2}, {"spo2", 83}}, 2, 1},
        {"news2", {{"scale", 2}, {"spo2", 84}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 85}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 86}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 87}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 88}}, 4, 0},
        {"news2", {{"scale", 2}, {"spo2", 92}}, 4, 0},
        {"news2", {{"scale", 2}, {"spo2", 93}}, 4, 0},
        {"news2", {{"scale", 2}, {"spo2", 100}}, 4, 0},
        {"news2", {{"scale", 2}, {"spo2", 40}}, 2, 1},
        {"news2", {{"scale", 2}, {"spo2", 92}, {"oxygen", 2}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 93}, {"oxygen", 2}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 94}, {"oxygen", 2}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 95}, {"oxygen", 2}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 96}, {"oxygen", 2}}, 3, 0},
        {"news2", {{"scale", 2}, {"spo2", 97}, {"oxygen", 2}}, 1, 2},
        {"news2", {{"scale", 2}, {"spo2", 100}, {"oxygen", 2}}, 1, 2},
        {"news2", {{"scale", 2}, {"spo2", 83}, {"oxygen", 2}}, 1, 2},
        {"news2", {{"scale", 2}, {"spo2", 91}}, 4, 0}, // scale 1 scores 91 as 3
        {"news2", {{"scale", 1}, {"spo2", 97}, {"oxygen", 2}}, 3, 0},
        // A single 3 on scale 2 without oxygen, with a total of 3 only.
        {"news2", {{"scale", 2}, {"spo2", 80}}, 2, 1},
        // The new floors score 3 on their own.
        {"news2", {{"spo2", 40}}, 2, 1},
        {"news2", {{"sbp", 30}}, 2, 1},
        {"news2", {{"pulse", 10}}, 2, 1},
        {"news2", {{"temp", 25}}, 2, 1},
        // The calculations: the edges of their grades, the threshold literals themselves included.
        // The drip rate warns by the volume per hour, whatever the set's drops: 60 drops a minute
        // are 180 mL/h on a 20-drop set, 360 on a 10-drop set.
        {"drip-rate", {{"volume", 180.5}, {"factor", 10}, {"hours", 1}}, 1, 0}, // exactly 180.5
        {"drip-rate", {{"volume", 180.6}, {"factor", 60}, {"hours", 1}}, 0, 1},
        {"drip-rate", {{"volume", 180}, {"factor", 20}, {"hours", 1}}, 1, 0},            // 60 drops
        {"drip-rate", {{"volume", 360}, {"factor", 10}, {"hours", 1}}, 0, 1},            // 60 drops
        {"drip-rate", {{"volume", 90}, {"factor", 60}, {"hours", 1}}, 1, 0},             // 90 drops
        {"pump-rate", {{"dose", 1}, {"weight", 1}, {"volume", 50}, {"drug", 60}}, 1, 0}, // 0.05
        {"pump-rate", {{"dose", 1}, {"weight", 1}, {"volume", 50}, {"drug", 61}}, 0, 1},
        {"bmi", {{"height", 100}, {"weight", 18.45}}, 0, 1},
        {"bmi", {{"height", 100}, {"weight", 18.46}}, 1, 0},
        {"bmi", {{"height", 100}, {"weight", 23.95}}, 1, 0},
        {"bmi", {{"height", 100}, {"weight", 23.96}}, 2, 1},
        {"bmi", {{"height", 100}, {"weight", 27.95}}, 2, 1},
        {"bmi", {{"height", 100}, {"weight", 27.96}}, 3, 2},
    };
    for (const Case& c : cases) {
        const ToolDef& tool = program(c.program);
        const Outcome r = run(tool, c.inputs);
        std::string set;
        for (const auto& [key, value] : c.inputs)
            set += std::string(key) + "=" + std::to_string(value) + " ";
        EXPECT_EQ(r.level, c.level) << c.program << " " << set;
        ASSERT_LT(c.rule, tool.rule_count);
        EXPECT_EQ(r.verdict, tool.rules[c.rule].verdict) << c.program << " " << set;
    }
}

TEST(ScaleBands, WorkedCalculations) {
    struct Worked {
        const char* program;
        const wchar_t* result;
    };
    const Worked worked[] = {
        {"drip-rate", L"滴速：42 滴/分\r\n15 秒滴数：10 滴\r\n流速：125.0 mL/h\r\n"},
        {"pump-rate", L"浓度：4000.0 μg/mL\r\n泵速：4.50 mL/h\r\n每小时药量：18.00 mg/h\r\n"},
        {"bmi", L"体重指数：22.0 kg/m²\r\n体表面积：1.66 m²\r\n"},
        {"news2", L"呼吸评分：0 分\r\n血氧评分：0 分\r\n吸氧评分：0 分\r\n收缩压评分：0 分\r\n"
                  L"心率评分：0 分\r\n意识评分：0 分\r\n体温评分：0 分\r\nNEWS2 总分：0 分\r\n"},
    };
    for (const Worked& w : worked) EXPECT_EQ(run(program(w.program), {}).result, w.result);
    // The drip rate's worked case with the 60-drop set shows the micro-drip rate.
    EXPECT_EQ(run(program("drip-rate"), {{"factor", 60}}).result,
              L"滴速：125 滴/分\r\n15 秒滴数：31 滴\r\n流速：125.0 mL/h\r\n");
}

const InputDef& input_of(const ToolDef& tool, const char* key) {
    for (int i = 0; i < tool.input_count; ++i)
        if (std::string(tool.inputs[i].key) == key) return tool.inputs[i];
    ADD_FAILURE() << "no input " << key;
    return tool.inputs[0];
}

// The vital signs of the sickest patients are taken down to the floors, and not below; the drop
// factor takes only the sets that exist.
TEST(ScaleBands, InputFloorsAndListedValues) {
    struct Limit {
        const char* program;
        const char* key;
        double value;
        bool accepted;
    };
    const Limit limits[] = {
        {"news2", "spo2", 40, true},        {"news2", "spo2", 39, false},
        {"news2", "sbp", 30, true},         {"news2", "sbp", 29, false},
        {"news2", "pulse", 10, true},       {"news2", "pulse", 9, false},
        {"news2", "temp", 25.0, true},      {"news2", "temp", 24.9, false},
        {"news2", "scale", 1, true},        {"news2", "scale", 2, true},
        {"news2", "scale", 1.5, false},     {"news2", "scale", 3, false},
        {"drip-rate", "factor", 10, true},  {"drip-rate", "factor", 15, true},
        {"drip-rate", "factor", 20, true},  {"drip-rate", "factor", 60, true},
        {"drip-rate", "factor", 29, false}, {"drip-rate", "factor", 30, false},
        {"drip-rate", "factor", 12, false}, {"drip-rate", "factor", 61, false},
    };
    for (const Limit& l : limits) {
        EXPECT_EQ(input_accepts(input_of(program(l.program), l.key), l.value), l.accepted)
            << l.program << " " << l.key << " " << l.value;
    }
}

// A count of factors reaches as far as its list: each Caprini count's highest value is the
// number of factors its guide lists under the heading line.
TEST(ScaleBands, CapriniCountsReachTheirLists) {
    const ToolDef& caprini = program("caprini-vte");
    for (const char* key : {"n1", "n2", "n3", "n5"}) {
        const InputDef& input = input_of(caprini, key);
        int lines = 1;
        for (const wchar_t* p = input.guide; *p != L'\0'; ++p) lines += *p == L'\n' ? 1 : 0;
        EXPECT_EQ(input.highest, lines - 1) << key;
    }
}

// The shown value of the output with that label, read back from the result text.
double shown(const std::wstring& result, const std::wstring& label) {
    const std::size_t at = result.find(label + L"：");
    if (at == std::wstring::npos) return -1;
    return std::wcstod(result.c_str() + at + label.size() + 1, nullptr);
}

// A property over many generated inputs: the grade follows from the digits the window shows, by
// the bands the reference names, and never from digits it does not show.
TEST(ScaleBands, TheGradeAgreesWithTheShownValue) {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    const auto next = [&](double low, double high) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return low + (high - low) * static_cast<double>(state >> 11) / 9007199254740992.0;
    };
    const ToolDef& bmi = program("bmi");
    const ToolDef& drip = program("drip-rate");
    for (int i = 0; i < 20000; ++i) {
        // Around each band edge, and anywhere.
        const double height = i % 4 == 0 ? 100 : next(140, 200);
        const double edges[] = {18.45, 23.95, 27.95, next(15, 40)};
        const double target = edges[i % 4] + next(-0.02, 0.02);
        const double weight = target * (height / 100) * (height / 100);
        const Outcome b = run(bmi, {{"height", height}, {"weight", weight}});
        const double value = shown(b.result, L"体重指数");
        const int band = value < 18.5 ? 0 : value < 24.0 ? 1 : value < 28.0 ? 2 : 3;
        ASSERT_EQ(b.verdict, bmi.rules[band].verdict)
            << "height " << height << " weight " << weight << " shows " << value;

        // The drip rate's warning is by the flow over 180.5 mL/h, which shows one decimal: a
        // warning never stands beside a shown 180.0 or less, and a shown 180.6 always warns.
        const double hours = next(0.5, 8);
        const double volume = next(180.3, 180.7) * hours;
        const double factors[] = {10, 15, 20, 60};
        const Outcome d =
            run(drip, {{"volume", volume}, {"hours", hours}, {"factor", factors[i % 4]}});
        const double flow = shown(d.result, L"流速");
        if (d.level == 1) {
            ASSERT_GT(flow, 180.0) << "volume " << volume << " hours " << hours;
        }
        if (flow >= 180.6) {
            ASSERT_EQ(d.level, 1) << "volume " << volume << " hours " << hours;
        }
    }
}

} // namespace
