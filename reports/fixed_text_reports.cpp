// The reports that are fixed texts chosen by an input: blood-draw order (kind 3), high-alert drug
// categories (5), surgical safety checklist (8), handover template (9), laboratory panels (11).
#include <iterator>

#include "core/text.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const blood_draw_lines[] = {
    L"标准采血顺序（按添加剂，避免交叉污染）：",
    L"1 血培养瓶（需氧/厌氧）",
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
    L"3 促凝/血清管 红或金黄（生化、免疫）",
    L"4 肝素管 绿（血气、部分生化）",
    L"5 EDTA 紫（血常规、糖化、血型）",
    L"6 氟化钠 灰（血糖、乳酸）",
    L"",
};

// Entry 0 is the line for any other kind.
const wchar_t* const blood_draw_choices[] = {
    L"本次：其他项目，请按检验科项目手册执行。",
    L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。",
    L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。",
    L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。",
    L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。",
    L"本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。",
    L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。",
};
static_assert(std::size(blood_draw_choices) == BLOOD_DRAW_KIND_COUNT + 1, "a line for every kind");

struct LinePair {
    const wchar_t* first;
    const wchar_t* second;
};

const LinePair anaesthesia_pair = {
    L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类",
    L"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。"};

// Entry 0 is the pair for any other kind: the anaesthesia pair of kind 4.
const LinePair high_alert_choices[] = {
    anaesthesia_pair,
    {L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
     L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"},
    {L"胰岛素与口服降糖药：胰岛素、格列本脲",
     L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"},
    {L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
     L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"},
    anaesthesia_pair,
    {L"血管活性药（静脉）：肾上腺素、去甲肾上腺素、多巴胺、多巴酚丁胺、米力农、硝普钠",
     L"要点：微量泵单独通路输注、双人核对浓度与泵速、持续监测血压心率、严防外渗。"},
    {L"抗心律失常药（静脉）：胺碘酮、利多卡因",
     L"要点：心电监护下使用、控制推注与输注速度、监测心率心律与 QT 间期。"},
    {L"中度镇静药（静脉）：咪达唑仑",
     L"要点：监测呼吸与 SpO2、床旁备氧与简易呼吸器、备拮抗剂氟马西尼。"},
    {L"其他高警示注射液：高渗葡萄糖（≥20%）、100 ml 以上灭菌注射用水、缩宫素（静脉）",
     L"要点：专区存放、醒目标识、双人核对；灭菌注射用水不得直接静脉输注。"},
};
static_assert(std::size(high_alert_choices) == HIGH_ALERT_KIND_COUNT + 1, "a pair for every kind");

const wchar_t* const surgical_checklist_lines[] = {
    L"手术安全核查表（三步核查）：",
    // Each stage is one line; the parentheses keep its pieces one literal.
    (L"【麻醉实施前】患者身份（姓名、性别、年龄、病案号）；手术方式与知情同意；手术部位与标识；"
     L"麻醉安全检查（设备、药品、脉搏血氧仪）；过敏史与皮试结果；气道与误吸风险；预计失血与备血；"
     L"静脉通道；植入物与影像资料；皮肤与术野准备。"),
    (L"【手术开始前】团队自我介绍；再次确认患者、部位、术式；手术与麻醉风险预警（预计时间、失血量、"
     L"关注点）；切皮前 60 "
     L"分钟内预防性抗菌药物已用；器械与物品灭菌合格；仪器设备正常；影像资料到位。"),
    (L"【患者离室前】实际手术方式与记录一致；术中用药与输血核对；器械、敷料、缝针等清点正确；"
     L"标本标识与送检；皮肤完整与各种管路；设备问题已记录；患者去向与转运方案。"),
    L"",
    L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。",
};

const LinePair urine_pair = {
    L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。",
    L"注意：留取中段尿，1 小时内送检；月经期避免。"};

// Entry 0 is the pair for any other panel number: the urine panel of panel 6.
const LinePair laboratory_panel_choices[] = {
    urine_pair,
    {L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。",
     L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"},
    {L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、"
     L"血脂、电解质。",
     L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"},
    {L"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
     L"注意：采血量必须达刻度；肝素治疗中查 APTT。"},
    {L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
     L"注意：空腹；含碘造影剂后 1 周内避免复查。"},
    {L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
     L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"},
    urine_pair,
};
static_assert(std::size(laboratory_panel_choices) == LAB_PANEL_COUNT + 1, "a pair for every panel");

void append_pair(wchar_t* report, int capacity, const LinePair& pair) {
    report_append_fixed_line(report, capacity, pair.first);
    report_append_fixed_line(report, capacity, pair.second);
}

} // namespace

int report_blood_draw_order(const ToolDef& tool, const double* values, wchar_t* report,
                            int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int kind = report_input_int(tool, values, "kind");
    report_append_fixed_lines(report, report_capacity, blood_draw_lines,
                              static_cast<int>(std::size(blood_draw_lines)));
    const int choice = report_choice(kind, BLOOD_DRAW_KIND_COUNT);
    report_append_fixed_line(report, report_capacity, blood_draw_choices[choice]);
    text_copy(verdict, verdict_capacity, L"按标准顺序采血可减少溶血与交叉污染");
    return 0;
}

int report_high_alert_drugs(const ToolDef& tool, const double* values, wchar_t* report,
                            int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int kind = report_input_int(tool, values, "kind");
    report_append_fixed_line(report, report_capacity, L"高警示药品类别与要点：");
    append_pair(report, report_capacity,
                high_alert_choices[report_choice(kind, HIGH_ALERT_KIND_COUNT)]);
    text_copy(verdict, verdict_capacity, L"高警示药品须专区、专标识、双人核对");
    return 0;
}

int report_surgical_checklist(const ToolDef&, const double*, wchar_t* report, int report_capacity,
                              wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    report_append_fixed_lines(report, report_capacity, surgical_checklist_lines,
                              static_cast<int>(std::size(surgical_checklist_lines)));
    text_copy(verdict, verdict_capacity, L"三方核查缺一不可，签字后归档");
    return 0;
}

int report_handover_template(const ToolDef& tool, const double* values, wchar_t* report,
                             int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int beds = report_clamp(report_input_int(tool, values, "beds"), 1, HANDOVER_MAX_BEDS);
    report_append_fixed_line(report, report_capacity,
                             L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：");
    for (int bed = 1; bed <= beds; ++bed) {
        report_append_line(
            report, report_capacity,
            L"%02d 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg "
            L"SpO2＿%%；本班处置＿＿；管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。",
            bed);
    }
    report_append_fixed_line(report, report_capacity, L"");
    report_append_fixed_line(
        report, report_capacity,
        L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。");
    text_copy(verdict, verdict_capacity, L"模板已生成，床旁交接并双方签名");
    return 0;
}

int report_laboratory_panels(const ToolDef& tool, const double* values, wchar_t* report,
                             int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int panel = report_input_int(tool, values, "panel");
    append_pair(report, report_capacity,
                laboratory_panel_choices[report_choice(panel, LAB_PANEL_COUNT)]);
    text_copy(verdict, verdict_capacity, L"套餐与采血管已列出，按顺序采血");
    return 0;
}
