// End-to-end tests of every program of the suite: each starts with its title and rows and
// calculates its report; Copy and Save of two report tools are checked exactly; the checklist
// has no input rows and no focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"

namespace {

struct SuiteProgram {
    const wchar_t* name;
    const wchar_t* title;
    int rows;
    const wchar_t* verdict;    // on the default inputs
    const wchar_t* first_line; // of the result text
};

const SuiteProgram programs[] = {
    {L"braden", L"Braden 压疮风险评估", 6, L"中危，加强观察与营养", L"Braden 总分：13 分"},
    {L"shift-rotation", L"三班轮转排班表", 2, L"已生成轮转排班表，可复制到排班本或表格",
     L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。"},
    {L"dosing-timetable", L"给药时间表", 3, L"给药时间表已生成，注意首剂与夜间给药时间",
     L"首剂时间 8:00，间隔 8 小时，共 3 次："},
    {L"blood-draw-order", L"采血顺序提示", 1, L"按标准顺序采血可减少溶血与交叉污染",
     L"标准采血顺序（按添加剂，避免交叉污染）："},
    {L"critical-values", L"检验危急值速查", 1, L"危急值必须闭环：报告、接收、处理、记录",
     L"常见检验危急值（参考，需以本院文件为准）："},
    {L"high-alert-drugs", L"高警示药品要点", 1, L"高警示药品须专区、专标识、双人核对",
     L"高警示药品类别与要点："},
    {L"drug-compatibility", L"药物配伍速查", 2, L"禁忌：不可同瓶输注，需间隔冲管",
     L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙"},
    {L"follow-up-plan", L"随访计划", 3, L"随访计划已生成，可按日期短信提醒患者",
     L"随访节点（以今天为基准，起始第 7 天，间隔 14 天，共 3 次）："},
    {L"surgical-checklist", L"手术安全核查表", 0, L"三方核查缺一不可，签字后归档",
     L"手术安全核查表（三步核查）："},
    {L"handover-template", L"交班报告模板", 1, L"模板已生成，床旁交接并双方签名",
     L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）："},
    {L"infusion-card", L"静脉输液卡", 4, L"输液卡已生成，双人核对后执行", L"静脉输液卡"},
    {L"lab-panels", L"检验套餐速查", 1, L"套餐与采血管已列出，按顺序采血",
     L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。"},
};

std::wstring program_file(const wchar_t* name) { return program_folder() + L"\\" + name + L".exe"; }

std::wstring record_file(int id) {
    wchar_t name[16];
    swprintf(name, 16, L"\\T%03d.csv", id);
    return records_folder() + name;
}

class Suite : public ::testing::Test {
  protected:
    BradenWindow window;
    void TearDown() override { window.stop(); }

    HWND verdict_label() { return window.verdict_label(); }
    std::wstring result() { return window_text(window.control(ID_RESULT)); }
    bool verdict_drawn_in(DWORD colour) { return window.verdict_drawn_in(colour); }
    // Saves and returns the record file's text after its byte-order mark.
    std::wstring save_and_read(int id) {
        window.click(ID_SAVE);
        const HWND box = window.wait_for_message_box(L"已保存");
        EXPECT_NE(box, nullptr) << "no saved message";
        if (box != nullptr) window.close_message_box(box);
        const std::string bytes = read_bytes(record_file(id));
        EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
        return from_utf8(bytes.size() > 3 ? bytes.substr(3) : "");
    }
    void delete_records(int id) { DeleteFileW(record_file(id).c_str()); }
};

TEST_F(Suite, EveryProgramStartsWithItsRowsAndCalculatesItsReport) {
    for (const SuiteProgram& program : programs) {
        SCOPED_TRACE(std::string(program.name, program.name + wcslen(program.name)));
        const std::wstring file = program_file(program.name);
        EXPECT_EQ(version_string(file, L"FileDescription"), program.title);
        ASSERT_TRUE(window.start(file));
        EXPECT_EQ(window_text(window.main()), program.title);
        for (int j = 0; j < program.rows; ++j) EXPECT_NE(window.edit(j), nullptr) << j;
        EXPECT_EQ(window.edit(program.rows), nullptr);
        window.click(ID_CALC);
        EXPECT_EQ(window_text(verdict_label()), program.verdict);
        const std::wstring text = result();
        EXPECT_EQ(text.substr(0, text.find(L"\r\n")), program.first_line);
        window.stop();
    }
}

TEST_F(Suite, DrugCompatibilityCopyAndSaveAndTheLevelThreeColour) {
    const wchar_t* const report =
        L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙\r\n"
        L"\r\n"
        L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索\r\n"
        L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺\r\n"
        L"\r\n"
        L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。\r\n";
    delete_records(206);
    empty_clipboard();
    ASSERT_TRUE(window.start(program_file(L"drug-compatibility")));
    window.click(ID_CALC);
    EXPECT_EQ(result(), report);
    EXPECT_TRUE(verdict_drawn_in(0xBE1E2D)) << "level 3 colour";
    window.click(ID_COPY);
    EXPECT_EQ(clipboard_text(), std::wstring(L"药物配伍速查\r\n") + report);
    const std::wstring file = save_and_read(206);
    const std::wstring header = L"时间,工具,药物 A 编号 1-10,药物 B 编号 1-10,结果\r\n";
    ASSERT_EQ(file.substr(0, header.size()), header);
    const std::wstring record = file.substr(header.size());
    ASSERT_GT(record.size(), 19u);
    EXPECT_EQ(record.substr(19),
              std::wstring(L",药物配伍速查,药物 A 编号 1-10=1,药物 B 编号 1-10=2,") + report +
                  L"\r\n");
    EXPECT_TRUE(window.save_screenshot(L"drug_compatibility_window.bmp"));
    delete_records(206);
}

// A long report: Copy carries it whole under the title (it is below 1023 characters), Save its
// first 254 characters, line breaks included.
TEST_F(Suite, ShiftRotationCopyAndSaveCutTheReport) {
    delete_records(201);
    empty_clipboard();
    ASSERT_TRUE(window.start(program_file(L"shift-rotation")));
    window.set_text(window.edit(0), L"4");
    window.click(ID_CALC);
    const std::wstring report = result();
    ASSERT_GT(report.size(), 254u);
    ASSERT_LT(report.size(), 1023u);
    window.click(ID_COPY);
    EXPECT_EQ(clipboard_text(), L"三班轮转排班表\r\n" + report);
    const std::wstring file = save_and_read(201);
    const std::wstring header = L"时间,工具,护士人数 1-40,排班天数 1-31,结果\r\n";
    ASSERT_EQ(file.substr(0, header.size()), header);
    const std::wstring record = file.substr(header.size());
    ASSERT_GT(record.size(), 19u);
    EXPECT_EQ(record.substr(19), L",三班轮转排班表,护士人数 1-40=4,排班天数 1-31=7," +
                                     report.substr(0, 254) + L"\r\n");
    delete_records(201);
}

TEST_F(Suite, TheDrugGuideListsTheDrugNumbers) {
    ASSERT_TRUE(window.start(program_file(L"drug-compatibility")));
    ASSERT_NE(window.guide(), nullptr);
    const std::wstring guide = window_text(window.guide());
    EXPECT_EQ(guide.substr(0, guide.find(L"\r\n")), L"药物 A 编号 1-10");
    const std::size_t first = guide.find(L"1 头孢曲松");
    const std::size_t last = guide.find(L"10 多巴胺");
    EXPECT_NE(first, std::wstring::npos);
    EXPECT_NE(last, std::wstring::npos);
    EXPECT_LT(first, last);
}

TEST_F(Suite, TheChecklistHasNoRowsAndNoFocus) {
    ASSERT_TRUE(window.start(program_file(L"surgical-checklist")));
    EXPECT_EQ(window.guide(), nullptr) << "no guide area without inputs";
    EXPECT_EQ(window.edit(0), nullptr);
    EXPECT_EQ(window.focus(), nullptr);
    window.click(ID_CALC);
    EXPECT_EQ(window_text(verdict_label()), L"三方核查缺一不可，签字后归档");
    const std::wstring text = result();
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 6);
}

} // namespace
