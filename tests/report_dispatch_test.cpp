#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/report_support.h"

namespace {

const double nan_value = std::numeric_limits<double>::quiet_NaN();
const double inf_value = std::numeric_limits<double>::infinity();

TEST(ReportDispatch, OtherKindsGiveTheFallback) {
    for (int kind : {0, -1, 12, 1000, -2147483647 - 1}) {
        const ReportRun run = ReportTool(kind, {}).run();
        EXPECT_EQ(run.report, L"（该工具暂无自定义报告）");
        EXPECT_EQ(run.verdict, L"暂无报告内容");
        EXPECT_EQ(run.level, 0);
    }
}

TEST(ReportFacilities, InputLookupTakesTheFirstEqualKey) {
    const ReportTool tool(3, {{"kind", 2}, {"Kind", 5}, {"kind", 4}, {"kin", 6}});
    EXPECT_EQ(report_input_value(tool.tool(), tool.values(), "kind"), 2);
    EXPECT_EQ(report_input_value(tool.tool(), tool.values(), "Kind"), 5);
    EXPECT_EQ(report_input_value(tool.tool(), tool.values(), "kinds"), 0);
    EXPECT_EQ(report_input_value(tool.tool(), tool.values(), ""), 0);
}

TEST(ReportFacilities, IntegerConversionTruncatesAndIsDefinedEverywhere) {
    struct Case {
        double value;
        int expected;
    };
    const int low = -2147483647 - 1;
    const Case cases[] = {
        {2.9, 2},
        {-0.5, 0},
        {-2.9, -2},
        {0, 0},
        {2147483647.9, 2147483647},
        {2147483648.0, low},
        {-2147483648.9, low},
        {-2147483649.0, low},
        {1e300, low},
        {-1e300, low},
        {nan_value, low},
        {inf_value, low},
        {-inf_value, low},
    };
    for (const Case& c : cases) EXPECT_EQ(report_to_int(c.value), c.expected) << c.value;
}

TEST(ReportFacilities, AppendLineFormatsAndCutsAtTheScratchLine) {
    wchar_t report[1024] = L"";
    report_append_line(report, 1024, L"%d%%|%ls", 10, L"甲");
    report_append_line(report, 1024, L"");
    EXPECT_STREQ(report, L"10%|甲\r\n\r\n");
    const std::wstring long_text(600, L'x');
    report[0] = L'\0';
    report_append_line(report, 1024, L"%ls", long_text.c_str());
    EXPECT_EQ(std::wstring(report), long_text.substr(0, 511) + L"\r\n");
    report[0] = L'\0';
    report_append_fixed_line(report, 1024, L"10% 氯化钾");
    EXPECT_STREQ(report, L"10% 氯化钾\r\n");
    // A line can be cut between its CR and its LF.
    wchar_t small[5] = L"";
    report_append_line(small, 5, L"abc");
    EXPECT_STREQ(small, L"abc\r");
}

TEST(FixedTextReports, BloodDrawOrder) {
    const std::wstring heading = report_lines({
        L"标准采血顺序（按添加剂，避免交叉污染）：",
        L"1 血培养瓶（需氧/厌氧）",
        L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
        L"3 促凝/血清管 红或金黄（生化、免疫）",
        L"4 肝素管 绿（血气、部分生化）",
        L"5 EDTA 紫（血常规、糖化、血型）",
        L"6 氟化钠 灰（血糖、乳酸）",
        L"",
    });
    struct Case {
        std::vector<ReportInput> inputs;
        const wchar_t* last_line;
    };
    const wchar_t* other = L"本次：其他项目，请按检验科项目手册执行。";
    const Case cases[] = {
        {{}, other},
        {{{"kind", 0}}, other},
        {{{"kind", 7}}, other},
        {{{"kind", nan_value}}, other},
        {{{"kind", 1}}, L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。"},
        {{{"kind", 2.9}},
         L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。"},
        {{{"kind", 3}}, L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。"},
        {{{"kind", 4}}, L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。"},
        {{{"kind", 5}}, L"本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。"},
        {{{"kind", 6}}, L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(3, c.inputs).run();
        EXPECT_EQ(run.report, heading + report_lines({c.last_line}));
        EXPECT_EQ(run.verdict, L"按标准顺序采血可减少溶血与交叉污染");
        EXPECT_EQ(run.level, 0);
    }
}

TEST(FixedTextReports, HighAlertDrugs) {
    const wchar_t* anaesthesia[] = {
        L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类",
        L"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。"};
    struct Case {
        double kind;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Case cases[] = {
        {0, anaesthesia[0], anaesthesia[1]},
        {4, anaesthesia[0], anaesthesia[1]},
        {-1, anaesthesia[0], anaesthesia[1]},
        {9, anaesthesia[0], anaesthesia[1]},
        {1, L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
         L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"},
        {2.5, L"胰岛素与口服降糖药：胰岛素、格列本脲",
         L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"},
        {3, L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
         L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(5, {{"kind", c.kind}}).run();
        EXPECT_EQ(run.report, report_lines({L"高警示药品类别与要点：", c.first, c.second}));
        EXPECT_EQ(run.verdict, L"高警示药品须专区、专标识、双人核对");
        EXPECT_EQ(run.level, 0);
    }
}

// The three stages in order, each one line, with the national form's and WHO's items that a
// check must not miss; the closing requirement after an empty line.
TEST(FixedTextReports, SurgicalChecklistIsSixLines) {
    const ReportRun run = ReportTool(8, {{"kind", 3}}).run();
    std::vector<std::wstring> lines;
    for (std::size_t at = 0; at < run.report.size();) {
        const std::size_t end = run.report.find(L"\r\n", at);
        ASSERT_NE(end, std::wstring::npos) << "every line ends in CR LF";
        lines.push_back(run.report.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 6u);
    const struct {
        std::size_t line;
        const wchar_t* starts;
        std::vector<const wchar_t*> items;
    } stages[] = {
        {1, L"【麻醉实施前】", {L"标识", L"脉搏血氧仪", L"静脉通道"}},
        {2, L"【手术开始前】", {L"切皮前 60 分钟内预防性抗菌药物", L"仪器设备正常"}},
        {3, L"【患者离室前】", {L"器械、敷料、缝针等清点", L"设备问题"}},
    };
    for (const auto& stage : stages) {
        EXPECT_EQ(lines[stage.line].rfind(stage.starts, 0), 0u) << stage.line;
        for (const wchar_t* item : stage.items)
            EXPECT_NE(lines[stage.line].find(item), std::wstring::npos) << item;
    }
    EXPECT_EQ(lines[4], L"");
    EXPECT_EQ(lines[5].rfind(L"要求：", 0), 0u);
    EXPECT_EQ(run.verdict, L"三方核查缺一不可，签字后归档");
    EXPECT_EQ(run.level, 0);
}

std::wstring bed_line(int bed) {
    wchar_t line[512];
    text_format(line, 512,
                L"%02d 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%%；"
                L"本班处置＿＿；管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。\r\n",
                bed);
    return line;
}

TEST(FixedTextReports, HandoverTemplate) {
    struct Case {
        std::vector<ReportInput> inputs;
        int beds;
    };
    const Case cases[] = {
        {{}, 1},
        {{{"beds", 0}}, 1},
        {{{"beds", -3}}, 1},
        {{{"beds", 3.7}}, 3},
        {{{"beds", 45}}, 30},
        {{{"beds", 30}}, 30},
        {{{"beds", nan_value}}, 1},
        {{{"beds", 1e12}}, 1}, // beyond the integer range: converts below every bound
    };
    for (const Case& c : cases) {
        std::wstring expected =
            report_lines({L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）："});
        for (int bed = 1; bed <= c.beds; ++bed) expected += bed_line(bed);
        expected += report_lines(
            {L"", L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。"});
        const ReportRun run = ReportTool(9, c.inputs).run();
        EXPECT_EQ(run.report, expected) << c.beds;
        EXPECT_EQ(run.verdict, L"模板已生成，床旁交接并双方签名");
    }
    const ReportRun one = ReportTool(9, {}).run();
    EXPECT_NE(one.report.find(L"\r\n01 床：诊断"), std::wstring::npos);
    EXPECT_NE(one.report.find(L"SpO2＿%；"), std::wstring::npos);
    EXPECT_EQ(one.report.find(L"%%"), std::wstring::npos);
}

TEST(FixedTextReports, LaboratoryPanelsAreExactlyTwoLines) {
    const wchar_t* urine[] = {
        L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。",
        L"注意：留取中段尿，1 小时内送检；月经期避免。"};
    struct Case {
        std::vector<ReportInput> inputs;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Case cases[] = {
        {{}, urine[0], urine[1]},
        {{{"panel", 6}}, urine[0], urine[1]},
        {{{"panel", 1}},
         L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/"
         L"嗜碱比例。",
         L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"},
        {{{"panel", 2}},
         L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、"
         L"血糖、血脂、电解质。",
         L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"},
        {{{"panel", 3}},
         L"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
         L"注意：采血量必须达刻度；肝素治疗中查 APTT。"},
        {{{"panel", 4}},
         L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
         L"注意：空腹；含碘造影剂后 1 周内避免复查。"},
        {{{"panel", 5.99}},
         L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
         L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"},
    };
    for (const Case& c : cases) {
        const ReportRun run = ReportTool(11, c.inputs).run();
        EXPECT_EQ(run.report, report_lines({c.first, c.second}));
        EXPECT_EQ(run.verdict, L"套餐与采血管已列出，按顺序采血");
        EXPECT_EQ(run.level, 0);
    }
}

// A generator called by itself starts from empty buffers too, whatever they held.
TEST(ReportDispatch, GeneratorsStartFromEmptyBuffers) {
    for (int kind = 1; kind <= 11; ++kind) {
        const ReportTool tool(kind, {});
        const ReportRun expected = tool.run();
        static wchar_t report[8192], verdict[512];
        text_copy(report, 8192, L"旧的报告");
        text_copy(verdict, 512, L"旧的结论");
        report_kind_def(kind)->generate(tool.tool(), tool.values(), report, 8192, verdict, 512);
        EXPECT_EQ(std::wstring(report), expected.report) << kind;
        EXPECT_EQ(std::wstring(verdict), expected.verdict) << kind;
    }
}

// Every kind with every input at hostile values, at small capacities: nothing is written past
// capacity - 1, and what is written is the start of the whole report.
TEST(ReportDispatch, SmallCapacitiesNeverWritePastTheBuffer) {
    const std::vector<const char*> keys = all_report_keys();
    const double hostile[] = {0, 3, -5, 2.5, 1e300, -1e300, nan_value, inf_value, -inf_value};
    for (int kind = -1; kind <= 12; ++kind) {
        for (double value : hostile) {
            std::vector<ReportInput> inputs;
            for (const char* key : keys) inputs.push_back({key, value});
            const ReportTool tool(kind, inputs);
            const ReportRun whole = tool.run();
            EXPECT_TRUE(whole.canaries_intact);
            for (int capacity : {1, 2, 10, 13}) {
                const ReportRun cut = tool.run(capacity, capacity);
                EXPECT_TRUE(cut.canaries_intact) << kind << " " << capacity;
                EXPECT_LE(static_cast<int>(cut.report.size()), capacity - 1);
                EXPECT_LE(static_cast<int>(cut.verdict.size()), capacity - 1);
                EXPECT_EQ(cut.report, whole.report.substr(0, cut.report.size()));
                EXPECT_EQ(cut.verdict, whole.verdict.substr(0, cut.verdict.size()));
                EXPECT_EQ(cut.level, whole.level);
            }
        }
    }
}

} // namespace

namespace {

// The registry names exactly the keys each report reads: changing any of them changes the report,
// and an input under any other key changes nothing.
TEST(ReportRegistry, KeysAreTheOnesEachReportReads) {
    const std::vector<const char*> every_key = all_report_keys();
    for (int kind = 1; kind <= REPORT_KIND_COUNT; ++kind) {
        const ReportKindDef& def = *report_kind_def(kind);
        for (int k = 0; k < REPORT_MAX_KEYS; ++k)
            EXPECT_EQ(def.keys[k] != nullptr, k < def.key_count) << "kind " << kind << " key " << k;
        std::vector<ReportInput> inputs;
        for (int k = 0; k < def.key_count; ++k) inputs.push_back({def.keys[k], 2});
        const ReportRun base = ReportTool(kind, inputs).run();
        for (int k = 0; k < def.key_count; ++k) {
            std::vector<ReportInput> changed = inputs;
            changed[k].value = 3;
            EXPECT_NE(ReportTool(kind, changed).run().report, base.report)
                << "kind " << kind << " does not read " << def.keys[k];
        }
        for (const char* key : every_key) {
            bool own = false;
            for (int k = 0; k < def.key_count; ++k) own = own || std::string(key) == def.keys[k];
            if (own) continue;
            std::vector<ReportInput> more = inputs;
            more.push_back({key, 3});
            EXPECT_EQ(ReportTool(kind, more).run().report, base.report)
                << "kind " << kind << " reads " << key;
        }
    }
    EXPECT_EQ(report_kind_def(0), nullptr);
    EXPECT_EQ(report_kind_def(REPORT_KIND_COUNT + 1), nullptr);
}

} // namespace
