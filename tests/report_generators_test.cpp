#include <algorithm>
#include <limits>

#include <gtest/gtest.h>

#include "core/civil_date.h"
#include "reports/report_limits.h"
#include "tests/report_support.h"

namespace {

const double nan_value = std::numeric_limits<double>::quiet_NaN();

const wchar_t* const drug_legend_1 = L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索";
const wchar_t* const drug_legend_2 = L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺";

TEST(DrugCompatibility, PairsInBothOrders) {
    const wchar_t* contraindicated =
        L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。"
        L"新生儿（≤28 天）即使分开输注也禁止合用。";
    const wchar_t* dopamine =
        L"结论：禁忌配伍。多巴胺在碳酸氢钠等碱性溶液中失活，不可同瓶或同管输注。";
    const wchar_t* vitamin_c = L"结论：不宜同瓶。维生素C 与碳酸氢钠等碱性药物混合易氧化失效。";
    const wchar_t* ceftriaxone_vancomycin =
        L"结论：不宜同瓶。头孢曲松与万古霉素混合可产生沉淀，应分开输注并冲管。";
    const wchar_t* vancomycin =
        L"结论：不宜同瓶。万古霉素与碱性药物配伍稳定性差，应分开输注并冲管。";
    const wchar_t* furosemide =
        L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";
    const wchar_t* unknown =
        L"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。";
    struct Case {
        double a, b;
        const wchar_t* conclusion;
        const wchar_t* verdict;
        int level;
    };
    const Case cases[] = {
        {1, 2, contraindicated, L"禁忌：不可同瓶输注，需间隔冲管", 3},
        {2, 1, contraindicated, L"禁忌：不可同瓶输注，需间隔冲管", 3},
        {9, 2, contraindicated, L"禁忌：不可同瓶输注，需间隔冲管", 3},
        {2, 9, contraindicated, L"禁忌：不可同瓶输注，需间隔冲管", 3},
        {3, 9, vancomycin, L"不宜同瓶，分开输注并冲管", 2},
        {10, 4, furosemide, L"不宜同瓶，建议分开输注", 2},
        {9, 5, furosemide, L"不宜同瓶，建议分开输注", 2},
        {9, 10, dopamine, L"禁忌：不可同瓶输注，分开输注", 3},
        {10, 9, dopamine, L"禁忌：不可同瓶输注，分开输注", 3},
        {7, 9, vitamin_c, L"不宜同瓶，建议分开输注", 2},
        {9, 7, vitamin_c, L"不宜同瓶，建议分开输注", 2},
        {1, 3, ceftriaxone_vancomycin, L"不宜同瓶，分开输注并冲管", 2},
        {3, 1, ceftriaxone_vancomycin, L"不宜同瓶，分开输注并冲管", 2},
        // Beside the new pairs, still not listed.
        {8, 10, unknown, L"未收录明确禁忌，仍需核对院内配伍表", 1},
        {7, 10, unknown, L"未收录明确禁忌，仍需核对院内配伍表", 1},
        // Not listed, the same drug twice included: not known to be safe, so never level 0.
        {5, 5, unknown, L"未收录明确禁忌，仍需核对院内配伍表", 1},
        {1, 4, unknown, L"未收录明确禁忌，仍需核对院内配伍表", 1},
        {1, 9, unknown, L"未收录明确禁忌，仍需核对院内配伍表", 1},
        {11, 2.6, unknown, L"未收录明确禁忌，仍需核对院内配伍表", 1},
        {1.9, 2.9, contraindicated, L"禁忌：不可同瓶输注，需间隔冲管", 3},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(6, {{"drugA", c.a}, {"drugB", c.b}}).run();
        EXPECT_EQ(run.level, c.level) << c.a << "+" << c.b;
        EXPECT_EQ(run.verdict, c.verdict);
        const std::size_t last = run.report.rfind(L"结论：");
        EXPECT_EQ(run.report.substr(last), std::wstring(c.conclusion) + L"\r\n");
    }
}

// Omeprazole for injection is given alone: with every other drug of the table, in either order, it
// is a contraindication before any pair rule; with itself, or a number that names no drug, it is
// not. No pair without it changes its level.
TEST(DrugCompatibility, OmeprazoleWithAnyOtherDrugIsContraindicated) {
    const auto level_of = [](double a, double b) {
        return ReportTool(6, {{"drugA", a}, {"drugB", b}}).run().level;
    };
    const ReportRun alone = ReportTool(6, {{"drugA", 6}, {"drugB", 7}}).run();
    EXPECT_EQ(alone.verdict, L"禁忌：单独输注，前后冲管");
    EXPECT_NE(alone.report.find(L"奥美拉唑注射液只能用 0.9% 氯化钠或 5% 葡萄糖"),
              std::wstring::npos);
    for (int other = 1; other <= COMPATIBILITY_DRUG_COUNT; ++other) {
        if (other == 6) continue;
        EXPECT_EQ(level_of(6, other), 3) << other;
        EXPECT_EQ(level_of(other, 6), 3) << other;
    }
    EXPECT_EQ(level_of(6, 6), 1);
    EXPECT_EQ(level_of(6, 0), 1);
    EXPECT_EQ(level_of(11, 6), 1);
    // The pairs that name a rule keep their levels; every other pair is "not listed", level 1.
    const int listed[][3] = {{1, 2, 3}, {2, 9, 3},  {3, 9, 2}, {4, 10, 2},
                             {5, 9, 2}, {9, 10, 3}, {7, 9, 2}, {1, 3, 2}};
    for (int a = 1; a <= COMPATIBILITY_DRUG_COUNT; ++a) {
        for (int b = 1; b <= COMPATIBILITY_DRUG_COUNT; ++b) {
            if (a == 6 || b == 6) continue;
            int expected = 1;
            for (const auto& pair : listed)
                if ((pair[0] == a && pair[1] == b) || (pair[0] == b && pair[1] == a))
                    expected = pair[2];
            EXPECT_EQ(level_of(a, b), expected) << a << "+" << b;
        }
    }
}

TEST(DrugCompatibility, HeadingShowsTheNumbersAsEntered) {
    struct Case {
        std::vector<ReportInput> inputs;
        const wchar_t* heading;
    };
    const Case cases[] = {
        {{}, L"待查：0 号 （无此编号）  +  0 号 （无此编号）"},
        {{{"drugA", 11}, {"drugB", 2.6}}, L"待查：11 号 （无此编号）  +  2 号 葡萄糖酸钙"},
        {{{"drugB", 10}, {"drugA", 7}}, L"待查：7 号 维生素C  +  10 号 多巴胺"},
        {{{"drugA", 1}, {"drugB", -1}}, L"待查：1 号 头孢曲松  +  -1 号 （无此编号）"},
        {{{"drugA", -3}, {"drugB", nan_value}},
         L"待查：-3 号 （无此编号）  +  -2147483648 号 （无此编号）"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(6, c.inputs).run();
        const std::wstring expected_start =
            report_lines({c.heading, L"", drug_legend_1, drug_legend_2, L""});
        EXPECT_EQ(run.report.substr(0, expected_start.size()), expected_start);
        EXPECT_EQ(std::count(run.report.begin(), run.report.end(), L'\n'), 6);
    }
}

TEST(DosingTimetable, CellsAcrossMidnight) {
    const wchar_t* note = L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。";
    struct Case {
        std::vector<ReportInput> inputs;
        const wchar_t* heading;
        const wchar_t* cells;
    };
    const Case cases[] = {
        {{{"start", 8}, {"interval", 8}, {"times", 3}},
         L"首剂时间 8:00，间隔 8 小时，共 3 次：",
         L"第1天 08:00  |  第1天 16:00  |  第2天 00:00"},
        {{{"start", 20}, {"interval", 8}, {"times", 4}},
         L"首剂时间 20:00，间隔 8 小时，共 4 次：",
         L"第1天 20:00  |  第2天 04:00  |  第2天 12:00  |  第2天 20:00"},
        {{{"start", 8}, {"interval", 6.5}, {"times", 3}},
         L"首剂时间 8:00，间隔 6.5 小时，共 3 次：",
         L"第1天 08:00  |  第1天 14:30  |  第1天 21:00"},
        {{{"start", 8}, {"interval", 0.1}, {"times", 2}},
         L"首剂时间 8:00，间隔 0.1 小时，共 2 次：",
         L"第1天 08:00  |  第1天 08:05"},
        {{{"start", 8}, {"interval", 0.5}, {"times", 2}},
         L"首剂时间 8:00，间隔 0.5 小时，共 2 次：",
         L"第1天 08:00  |  第1天 08:30"},
        {{{"start", 23.75}, {"interval", 0.25}, {"times", 2}},
         L"首剂时间 23:45，间隔 0.25 小时，共 2 次：",
         L"第1天 23:45  |  第2天 00:00"},
        {{{"start", -3}}, L"首剂时间 0:00，间隔 8 小时，共 1 次：", L"第1天 00:00"},
        {{}, L"首剂时间 0:00，间隔 8 小时，共 1 次：", L"第1天 00:00"},
        {{{"start", 25}, {"interval", 6}, {"times", 2}},
         L"首剂时间 1:00，间隔 6 小时，共 2 次：",
         L"第2天 01:00  |  第2天 07:00"},
        {{{"start", 7.5}, {"interval", -4}, {"times", 2.9}},
         L"首剂时间 7:30，间隔 8 小时，共 2 次：",
         L"第1天 07:30  |  第1天 15:30"},
        {{{"start", nan_value}, {"interval", nan_value}, {"times", nan_value}},
         L"首剂时间 0:00，间隔 8 小时，共 1 次：",
         L"第1天 00:00"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(2, c.inputs).run();
        EXPECT_EQ(run.report, report_lines({c.heading, c.cells, note}));
        // The heading's time is the first cell's.
        const std::wstring heading = c.heading, cells = c.cells;
        const std::size_t cell_clock = cells.find(L' ') + 1;
        std::wstring clock = cells.substr(cell_clock, 5);
        if (clock[0] == L'0') clock.erase(0, 1);
        EXPECT_EQ(heading.substr(5, clock.size() + 1), clock + L"，") << heading;
        EXPECT_EQ(run.verdict, L"给药时间表已生成，注意首剂与夜间给药时间");
        EXPECT_EQ(run.level, 0);
    }
}

TEST(DosingTimetable, AtMostThirtyDoses) {
    const ReportRun run = ReportTool(2, {{"start", 0}, {"interval", 1}, {"times", 100}}).run();
    const std::size_t first_end = run.report.find(L"\r\n");
    const std::wstring cells =
        run.report.substr(first_end + 2, run.report.find(L"\r\n", first_end + 2) - first_end - 2);
    std::size_t separators = 0;
    for (std::size_t at = cells.find(L"  |  "); at != std::wstring::npos;
         at = cells.find(L"  |  ", at + 1))
        ++separators;
    EXPECT_EQ(separators, 29u);
    EXPECT_EQ(cells.substr(cells.size() - 9), L"第2天 05:00");
    EXPECT_NE(run.report.find(L"共 30 次"), std::wstring::npos);
}

std::wstring follow_up(std::vector<ReportInput> inputs, std::int64_t today) {
    const ReportTool tool(7, inputs);
    wchar_t report[4096], verdict[64];
    report[0] = verdict[0] = L'\0';
    EXPECT_EQ(
        report_follow_up_plan_from(tool.tool(), tool.values(), report, 4096, verdict, 64, today),
        0);
    EXPECT_STREQ(verdict, L"随访计划已生成，可按日期短信提醒患者");
    return report;
}

TEST(FollowUpPlan, DatesFromAFixedToday) {
    const wchar_t* content =
        L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。";
    struct Case {
        std::vector<ReportInput> inputs;
        int year, month, day;
        std::wstring expected;
    };
    const Case cases[] = {
        {{{"start", 1}, {"gap", 7}, {"times", 3}},
         2026,
         12,
         7,
         report_lines({L"随访节点（以今天为基准，起始第 1 天，间隔 7 天，共 3 次）：",
                       L"第 1 次：2026-12-08", L"第 2 次：2026-12-15", L"第 3 次：2026-12-22",
                       content})},
        {{{"gap", 0}, {"times", 2}},
         2028,
         2,
         26,
         report_lines({L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 2 次）：",
                       L"第 1 次：2028-02-26", L"第 2 次：2028-03-04", content})},
        {{{"start", -30}, {"gap", 30}, {"times", 3}},
         2026,
         12,
         28,
         report_lines({L"随访节点（以今天为基准，起始第 -30 天，间隔 30 天，共 3 次）：",
                       L"第 1 次：2026-11-28", L"第 2 次：2026-12-28", L"第 3 次：2027-01-27",
                       content})},
        {{{"start", 2}, {"gap", 1}, {"times", 2}},
         2024,
         2,
         27,
         report_lines({L"随访节点（以今天为基准，起始第 2 天，间隔 1 天，共 2 次）：",
                       L"第 1 次：2024-02-29", L"第 2 次：2024-03-01", content})},
        {{{"start", 0}, {"times", 0}},
         2026,
         12,
         31,
         report_lines({L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）：",
                       L"第 1 次：2026-12-31", content})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(follow_up(c.inputs, days_from_civil(c.year, c.month, c.day)), c.expected);
}

TEST(FollowUpPlan, AtMostTwentyFollowUps) {
    const std::wstring report = follow_up({{"times", 21}, {"gap", 1}}, 0);
    EXPECT_NE(report.find(L"共 20 次"), std::wstring::npos);
    EXPECT_NE(report.find(L"第 20 次：1970-01-20\r\n"), std::wstring::npos);
    EXPECT_EQ(report.find(L"第 21 次"), std::wstring::npos);
}

TEST(FollowUpPlan, CountsFromTodaysDate) {
    const ReportRun run = ReportTool(7, {}).run();
    wchar_t today[DATE_TEXT_CAPACITY];
    civil_from_days(report_today(), today, DATE_TEXT_CAPACITY);
    EXPECT_NE(run.report.find(std::wstring(L"第 1 次：") + today), std::wstring::npos);
    EXPECT_GT(report_today(), days_from_civil(2020, 1, 1));
}

// The dose in its shortest form with at most two decimals and its unit; the hourly volume at the
// set's drop factor; a card tool of the four inputs it had before counts 20 drops to the
// millilitre and names no unit.
TEST(InfusionCard, Lines) {
    struct Case {
        std::vector<ReportInput> inputs;
        const wchar_t* bed;
        const wchar_t* drug;
        const wchar_t* rate;
    };
    const Case cases[] = {
        {{{"bed", 12}, {"dose", 1}, {"unit", 1}, {"factor", 20}, {"volume", 250}, {"gtt", 40}},
         L"床号：12",
         L"药液：医嘱药量 1 mg，加入溶媒 250 ml",
         L"滴速：40 滴/分（约 120 ml/h，按每毫升 20 滴）"},
        {{{"dose", 0.5}, {"unit", 2}, {"factor", 10}, {"gtt", 40}},
         L"床号：0",
         L"药液：医嘱药量 0.5 g，加入溶媒 0 ml",
         L"滴速：40 滴/分（约 240 ml/h，按每毫升 10 滴）"},
        {{{"dose", 0.25}, {"unit", 3}, {"factor", 15}, {"gtt", 40}},
         L"床号：0",
         L"药液：医嘱药量 0.25 μg，加入溶媒 0 ml",
         L"滴速：40 滴/分（约 160 ml/h，按每毫升 15 滴）"},
        {{{"dose", 12.25}, {"unit", 5}, {"factor", 60}, {"gtt", 40}},
         L"床号：0",
         L"药液：医嘱药量 12.25 万单位，加入溶媒 0 ml",
         L"滴速：40 滴/分（约 40 ml/h，按每毫升 60 滴）"},
        {{{"dose", 10000}, {"unit", 7}, {"factor", 20}, {"gtt", 33.3}},
         L"床号：0",
         L"药液：医嘱药量 10000 mmol，加入溶媒 0 ml",
         L"滴速：33 滴/分（约 100 ml/h，按每毫升 20 滴）"},
        // The card of the four inputs the report kind had before.
        {{{"bed", 7.9}, {"dose", 0.5}, {"volume", 250}, {"gtt", 40}},
         L"床号：7",
         L"药液：医嘱药量 0.5 ，加入溶媒 250 ml",
         L"滴速：40 滴/分（约 120 ml/h，按每毫升 20 滴）"},
        {{{"dose", 1.005}, {"unit", 8}, {"volume", 2.5}},
         L"床号：0",
         L"药液：医嘱药量 1 ，加入溶媒 2 ml",
         L"滴速：0 滴/分（约 0 ml/h，按每毫升 20 滴）"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(10, c.inputs).run();
        EXPECT_EQ(run.report,
                  report_lines({L"静脉输液卡", c.bed, L"药名：＿＿＿＿＿＿＿＿（手写）", c.drug,
                                c.rate, L"核对：药名/剂量/浓度/有效期/配伍；双人签名。",
                                L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。"}));
        EXPECT_EQ(run.verdict, L"输液卡已生成，双人核对后执行");
        EXPECT_EQ(run.level, 0);
    }
}

const wchar_t* const roster_rule = L"排班规则：三班轮转（白班 D / 夜班 N / 休息 "
                                   L"R），按人员顺序滚动，每日白班、夜班、休息各约三分之一"
                                   L"人员。";
const wchar_t* const roster_tip =
    L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。";

TEST(ShiftRotation, ThreeNursesThreeDays) {
    const ReportRun run = ReportTool(1, {{"nurses", 3}, {"days", 3}}).run();
    EXPECT_EQ(run.report, report_lines({roster_rule, L"人员：3 人；周期：3 天", L"", L"护士01：",
                                        L"  1日D 2日N 3日R ", L"护士02：", L"  1日N 2日R 3日D ",
                                        L"护士03：", L"  1日R 2日D 3日N ", L"", roster_tip}));
    EXPECT_EQ(run.verdict, L"已生成轮转排班表，可复制到排班本或表格");
    EXPECT_EQ(run.level, 0);
}

TEST(ShiftRotation, ClampsAndDefaults) {
    struct Case {
        std::vector<ReportInput> inputs;
        const wchar_t* counts;
        const wchar_t* last_block;
    };
    const Case cases[] = {
        {{}, L"人员：1 人；周期：1 天", L"护士01：\r\n  1日D \r\n"},
        {{{"nurses", 41}, {"days", 0}}, L"人员：40 人；周期：1 天", L"护士40：\r\n  1日D \r\n"},
        {{{"nurses", -2}, {"days", nan_value}},
         L"人员：1 人；周期：1 天",
         L"护士01：\r\n  1日D \r\n"},
        {{{"nurses", 4.9}, {"days", 2}},
         L"人员：4 人；周期：2 天",
         L"护士04：\r\n  1日D 2日N \r\n"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(1, c.inputs).run();
        EXPECT_NE(run.report.find(std::wstring(L"\r\n") + c.counts + L"\r\n"), std::wstring::npos);
        const std::wstring end = std::wstring(c.last_block) + L"\r\n" + roster_tip + L"\r\n";
        ASSERT_GE(run.report.size(), end.size());
        EXPECT_EQ(run.report.substr(run.report.size() - end.size()), end);
    }
}

// Over every roster size and day: no nurse works a day shift right after a night, and every day
// has one nurse on each shift (from three nurses on).
TEST(ShiftRotation, RestAlwaysFollowsANight) {
    const ReportRun run = ReportTool(1, {{"nurses", 40}, {"days", 31}}).run(8192);
    for (int nurse = 1; nurse <= 40; ++nurse) {
        wchar_t name[16];
        text_format(name, 16, L"护士%02d：\r\n  ", nurse);
        const std::size_t at = run.report.find(name);
        ASSERT_NE(at, std::wstring::npos) << nurse;
        const std::size_t from = at + text_length(name);
        const std::wstring row = run.report.substr(from, run.report.find(L"\r\n", from) - from);
        wchar_t previous = L' ';
        int day = 0;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i] != L'日') continue;
            const wchar_t shift = row[i + 1];
            ++day;
            if (previous == L'N') {
                EXPECT_EQ(shift, L'R') << "nurse " << nurse << " day " << day;
            }
            previous = shift;
        }
        EXPECT_EQ(day, 31);
    }
    // Smaller rosters are the first rows of the largest one.
    for (int nurses = 1; nurses <= 40; nurses += 13) {
        for (int days = 1; days <= 31; days += 6) {
            const ReportRun small =
                ReportTool(1, {{"nurses", 1.0 * nurses}, {"days", 1.0 * days}}).run(8192);
            EXPECT_EQ(small.report.find(L"日N 1日D"), std::wstring::npos);
            for (int d = 1; d < days; ++d) {
                wchar_t night_then_day[16];
                text_format(night_then_day, 16, L"%d日N %d日D", d, d + 1);
                EXPECT_EQ(small.report.find(night_then_day), std::wstring::npos);
            }
        }
    }
    const ReportRun three = ReportTool(1, {{"nurses", 3}, {"days", 31}}).run(8192);
    for (int d = 1; d <= 31; ++d) {
        for (const wchar_t shift : {L'D', L'N', L'R'}) {
            wchar_t cell[16];
            text_format(cell, 16, L" %d日%lc ", d, shift);
            int count = 0;
            for (std::size_t at = three.report.find(cell); at != std::wstring::npos;
                 at = three.report.find(cell, at + 1))
                ++count;
            EXPECT_EQ(count, 1) << "day " << d;
        }
    }
}

TEST(ShiftRotation, LargestRosterWholeAndCut) {
    const ReportTool tool(1, {{"nurses", 40}, {"days", 31.9}});
    const ReportRun whole = tool.run(8192);
    EXPECT_EQ(whole.report.size(), 6400u);
    EXPECT_NE(
        whole.report.find(L"护士01：\r\n  1日D 2日N 3日R 4日D 5日N 6日R 7日D 8日N 9日R 10日D "),
        std::wstring::npos);
    // Nurse 4 repeats nurse 1, nurse 5 nurse 2.
    const auto row = [&](int nurse) {
        wchar_t name[16];
        text_format(name, 16, L"护士%02d：\r\n", nurse);
        const std::size_t at = whole.report.find(name) + text_length(name);
        return whole.report.substr(at, whole.report.find(L"\r\n", at) - at);
    };
    EXPECT_EQ(row(4), row(1));
    EXPECT_EQ(row(5), row(2));
    EXPECT_NE(row(1), row(2));

    const ReportRun cut = tool.run(4096);
    EXPECT_EQ(cut.report.size(), 4095u);
    EXPECT_EQ(cut.report, whole.report.substr(0, 4095));
    EXPECT_NE(cut.report.find(L"护士25：\r\n"), std::wstring::npos);
    EXPECT_NE(cut.report.find(L"护士26：\r\n"), std::wstring::npos);
    EXPECT_EQ(cut.report.find(L"提示："), std::wstring::npos);
    EXPECT_EQ(cut.verdict, L"已生成轮转排班表，可复制到排班本或表格");
}

TEST(CriticalValues, Groups) {
    const wchar_t* heading = L"常见检验危急值（参考，需以本院文件为准）：";
    const wchar_t* procedure =
        L"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。";
    const wchar_t* catalogue = L"请查阅本院《危急值报告目录》";
    struct Case {
        std::vector<ReportInput> inputs;
        std::wstring expected;
    };
    const Case cases[] = {
        {{{"kind", 1}},
         report_lines({heading, L"血钾 <2.5 或 >6.5 mmol/L", L"血钠 <120 或 >160 mmol/L",
                       L"血钙 <1.5 或 >3.5 mmol/L", L"", procedure})},
        {{{"kind", 2}},
         report_lines({heading, L"血糖 <2.8 或 >22.2 mmol/L",
                       L"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg", L"", procedure})},
        {{{"kind", 3}},
         report_lines({heading, L"白细胞 <1.0 或 >30.0 ×10^9/L",
                       L"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L", L"", procedure})},
        {{{"kind", 4}},
         report_lines({heading, L"INR >4.0；纤维蛋白原 <1.0 g/L",
                       L"D-二聚体显著升高并伴临床血栓表现", L"", procedure})},
        {{{"kind", 5}},
         report_lines({heading, L"血培养阳性（无菌部位）", L"脑脊液培养阳性；HIV 初筛阳性需确认",
                       L"", procedure})},
        {{{"kind", 6.8}},
         report_lines({heading, L"肌钙蛋白明显升高（高于第 99 百分位）",
                       L"血淀粉酶/脂肪酶 >3 倍正常上限", L"", procedure})},
        {{{"kind", 0}}, report_lines({heading, catalogue, L"", procedure})},
        {{{"kind", 7}}, report_lines({heading, catalogue, L"", procedure})},
        {{}, report_lines({heading, catalogue, L"", procedure})},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(4, c.inputs).run();
        EXPECT_EQ(run.report, c.expected);
        EXPECT_EQ(run.verdict, L"危急值必须闭环：报告、接收、处理、记录");
        EXPECT_EQ(run.level, 0);
    }
}

} // namespace
