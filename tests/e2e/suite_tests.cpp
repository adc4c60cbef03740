// End-to-end tests of every program of the suite: each starts with its title and rows and
// calculates its report; Copy and Save of two report tools are checked exactly; the checklist
// has no input rows and no focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "screen/window_texts.h"
#include "tests/e2e/window_driver.h"
#include "tools/catalog.h"

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
    {L"morse-fall", L"Morse 跌倒风险评估", 6, L"低危，常规安全护理与宣教", L"Morse 总分：0 分"},
    {L"barthel-adl", L"Barthel 自理能力评估", 10, L"无需依赖，日常生活可自理",
     L"Barthel 指数：100 分"},
    {L"padua-vte", L"Padua 静脉血栓风险评估", 11, L"低危，鼓励早期活动，病情变化时复评",
     L"Padua 总分：0 分"},
    {L"caprini-vte", L"Caprini 静脉血栓风险评估", 5, L"极低危，鼓励早期活动",
     L"Caprini 总分：0 分"},
    {L"nrs2002", L"NRS 2002 营养风险筛查", 3, L"暂无营养风险，住院期间每周复筛",
     L"NRS 2002 总分：0 分"},
    {L"gcs", L"GCS 格拉斯哥昏迷评分", 3, L"意识清楚", L"GCS 总分：15 分"},
    {L"news2", L"NEWS2 早期预警评分", 8, L"低危：至少每 12 小时监测", L"呼吸评分：0 分"},
    {L"pain-nrs", L"疼痛数字评分", 1, L"无痛", L"疼痛评分：0 分"},
    {L"drip-rate", L"输液滴速计算", 3, L"按计算滴速调节，数 15 秒滴数复核", L"滴速：42 滴/分"},
    {L"pump-rate", L"微量泵速计算", 4, L"双人核对药名、剂量、浓度与泵速后执行",
     L"浓度：4000.0 μg/mL"},
    {L"bmi", L"体重指数与体表面积", 2, L"体重正常", L"体重指数：22.0 kg/m²"},
    {L"shift-rotation", L"三班轮转排班表", 2, L"已生成轮转排班表，可复制到排班本或表格",
     L"排班规则：三班轮转（白班 D / 夜班 N / 休息 "
     L"R），按人员顺序滚动，每日白班、夜班、休息各约三分之一人员。"},
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
    {L"infusion-card", L"静脉输液卡", 6, L"输液卡已生成，双人核对后执行", L"静脉输液卡"},
    {L"lab-panels", L"检验套餐速查", 1, L"套餐与采血管已列出，按顺序采血",
     L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。"},
};

std::size_t text_size(const wchar_t* text) { return std::wstring(text).size(); }

const ToolDef& descriptor(const wchar_t* name) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const std::string narrow(TOOL_PROGRAMS[p].name);
        if (std::wstring(narrow.begin(), narrow.end()) == name) return *TOOL_PROGRAMS[p].tool;
    }
    ADD_FAILURE() << "no descriptor";
    return *TOOL_PROGRAMS[0].tool;
}

std::wstring program_file(const wchar_t* name) { return program_folder() + L"\\" + name + L".exe"; }

std::wstring record_file(int id) {
    wchar_t name[16];
    swprintf(name, 16, L"\\T%03d.csv", id);
    return records_folder() + name;
}

class Suite : public ::testing::Test {
  protected:
    ProgramWindow window;
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
    void delete_records(int id) {
        DeleteFileW(record_file(id).c_str());
        set_remembered_assessor(nullptr);
    }
    // Types every input's default, as a nurse types the scores of a patient.
    void type_defaults(const ToolDef& tool) {
        for (int j = 0; j < tool.input_count; ++j) {
            wchar_t text[DEFAULT_TEXT_CAPACITY];
            build_default_text(tool.inputs[j].default_value, text, DEFAULT_TEXT_CAPACITY);
            window.set_text(window.edit(j), text);
        }
    }
    bool every_edit_empty(const ToolDef& tool) {
        for (int j = 0; j < tool.input_count; ++j)
            if (!window_text(window.edit(j)).empty()) return false;
        return true;
    }
};

// The expectations of a program of the catalogue; null when it has none.
const SuiteProgram* expectations(const char* name) {
    const std::string narrow(name);
    const std::wstring wide(narrow.begin(), narrow.end());
    for (const SuiteProgram& program : programs)
        if (wide == program.name) return &program;
    return nullptr;
}

TEST(SuiteCatalogue, EveryProgramHasExpectationsAndEveryExpectationAProgram) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p)
        EXPECT_NE(expectations(TOOL_PROGRAMS[p].name), nullptr) << TOOL_PROGRAMS[p].name;
    EXPECT_EQ(std::size(programs), static_cast<std::size_t>(TOOL_PROGRAM_COUNT));
}

// Every program of the catalogue, in its order.
TEST_F(Suite, EveryProgramStartsWithItsRowsAndCalculatesItsReport) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        SCOPED_TRACE(TOOL_PROGRAMS[p].name);
        const SuiteProgram* expected = expectations(TOOL_PROGRAMS[p].name);
        ASSERT_NE(expected, nullptr) << "a program without expectations";
        const SuiteProgram& program = *expected;
        const std::wstring file = program_file(program.name);
        EXPECT_EQ(version_string(file, L"FileDescription"), program.title);
        ASSERT_TRUE(window.start(file));
        EXPECT_EQ(window_text(window.main()), program.title);
        for (int j = 0; j < program.rows; ++j) EXPECT_NE(window.edit(j), nullptr) << j;
        EXPECT_EQ(window.edit(program.rows), nullptr);
        const ToolDef& tool = descriptor(program.name);
        if (tool.blank_at_start) {
            // A scale starts blank: Calculate at once is refused on the first item, and Reset
            // empties what was typed.
            EXPECT_TRUE(every_edit_empty(tool));
            window.click(ID_CALC);
            const HWND box = window.wait_for_message_box(L"输入有误");
            ASSERT_NE(box, nullptr) << "a blank scale was calculated";
            wchar_t refusal[MESSAGE_TEXT_CAPACITY];
            build_input_error_text(tool, 0, refusal, MESSAGE_TEXT_CAPACITY);
            EXPECT_EQ(window.message_box_text(box), refusal);
            window.close_message_box(box);
            EXPECT_EQ(window.focus(), window.edit(0));
            EXPECT_EQ(result(), L"");
            type_defaults(tool);
            window.click(ID_RESET);
            EXPECT_TRUE(every_edit_empty(tool)) << "Reset did not empty the scale";
            type_defaults(tool);
        } else if (tool.input_count > 0) {
            EXPECT_FALSE(every_edit_empty(tool)) << "a tool that keeps its defaults opened blank";
        }
        window.click(ID_CALC);
        EXPECT_EQ(window_text(verdict_label()), program.verdict);
        const std::wstring text = result();
        EXPECT_EQ(text.substr(0, text.find(L"\r\n")), program.first_line);
        window.stop();
    }
}

// The admission scales and the bedside calculations: each refuses a value it does not accept with
// the words of its guide, whose first line after the heading says what it accepts; a screenshot
// shows each with the guide of its longest input (the scales) or its result (the calculations).
TEST_F(Suite, AssessmentsAndCalculationsRefuseWhatTheyDoNotAccept) {
    struct Refusal {
        const wchar_t* name;
        int input;
        const wchar_t* typed;
        const wchar_t* message;
        int guide_input; // shown in the screenshot; -1: the result after Calculate
    };
    const Refusal refusals[] = {
        {L"morse-fall", 0, L"20", L"第 1 项“跌倒史 0/25”请输入 0 或 25。", 4},
        {L"barthel-adl", 0, L"7", L"第 1 项“进食 0/5/10”请输入 0、5 或 10。", 0},
        {L"padua-vte", 0, L"1", L"第 1 项“活动性肿瘤 0/3”请输入 0 或 3。", 3},
        {L"caprini-vte", 0, L"17", L"第 1 项“年龄 岁”请输入 18 到 120 的整数。", 1},
        {L"nrs2002", 0, L"4", L"第 1 项“营养受损 0-3”请输入 0 到 3 的整数。", 0},
        {L"gcs", 0, L"0", L"第 1 项“睁眼反应 1-4”请输入 1 到 4 的整数。", 1},
        {L"news2", 7, L"36.55", L"第 8 项“体温 ℃”请输入 25 到 45 之间、0.1 的倍数。", 4},
        {L"pain-nrs", 0, L"11", L"第 1 项“疼痛评分 0-10”请输入 0 到 10 的整数。", 0},
        {L"drip-rate", 1, L"0", L"第 2 项“输液时间 小时”请输入 0.1 到 72 之间的数值。", -1},
        {L"pump-rate", 3, L"0", L"第 4 项“配制总量 mL”请输入 1 到 100 之间的数值。", -1},
        {L"bmi", 1, L"abc", L"第 2 项“体重 kg”请输入 2 到 300 之间的数值。", -1},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(std::string(r.name, r.name + wcslen(r.name)));
        ASSERT_TRUE(window.start(program_file(r.name)));
        if (descriptor(r.name).blank_at_start) type_defaults(descriptor(r.name));
        const std::wstring message = r.message;
        const std::wstring label =
            message.substr(message.find(L"“") + 1, message.find(L"”") - message.find(L"“") - 1);
        const std::wstring accepts = message.substr(message.find(L"请输入 ") + 4);
        window.click_into(window.edit(r.input));
        EXPECT_EQ(window_text(window.guide()).substr(0, label.size() + accepts.size() + 6),
                  label + L"\r\n可填：" + accepts.substr(0, accepts.size() - 1) + L"\r\n");
        const std::wstring before = window_text(window.edit(r.input));
        window.set_text(window.edit(r.input), r.typed);
        window.click(ID_CALC);
        const HWND box = window.wait_for_message_box(L"输入有误");
        ASSERT_NE(box, nullptr) << "no refusal";
        EXPECT_EQ(window.message_box_text(box), r.message);
        window.close_message_box(box);
        EXPECT_EQ(window.focus(), window.edit(r.input));
        EXPECT_EQ(result(), L"");
        window.set_text(window.edit(r.input), before);
        const std::wstring shot = std::wstring(r.name) + L"_window.bmp";
        if (r.guide_input >= 0) {
            window.click_into(window.edit(r.guide_input));
            EXPECT_TRUE(window.save_screenshot(shot));
        } else {
            window.click(ID_CALC);
            EXPECT_NE(result(), L"");
            Sleep(500); // the buttons repaint after the window's own paint
            EXPECT_TRUE(window.save_screenshot(shot));
        }
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
        L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。"
        L"新生儿（≤28 天）即使分开输注也禁止合用。\r\n";
    delete_records(206);
    empty_clipboard();
    ASSERT_TRUE(window.start(program_file(L"drug-compatibility")));
    window.click(ID_CALC);
    EXPECT_EQ(result(), report);
    EXPECT_TRUE(verdict_drawn_in(0xBE1E2D)) << "level 3 colour";
    window.click(ID_COPY);
    EXPECT_EQ(clipboard_text(), std::wstring(L"药物配伍速查\r\n") + report);
    const std::wstring file = save_and_read(206);
    const std::wstring header =
        L"时间,工具,药物 A 编号 1-10,药物 B 编号 1-10,结果,等级,结论,床号,住院号,姓名,评估者,"
        L"记录号,主要结果\r\n";
    ASSERT_EQ(file.substr(0, header.size()), header);
    const std::wstring record = file.substr(header.size());
    ASSERT_GT(record.size(), 19u);
    EXPECT_EQ(masked_record_ids(record.substr(19)),
              std::wstring(L",药物配伍速查,药物 A 编号 1-10=1,药物 B 编号 1-10=2,\"") +
                  std::wstring(report).substr(0, text_size(report) - 2) +
                  L"\",3,禁忌：不可同瓶输注，需间隔冲管,,,,,<id>,\r\n");
    EXPECT_TRUE(window.save_screenshot(L"drug_compatibility_window.bmp"));
    delete_records(206);
}

// A long report: Copy carries it whole under the title, and so does Save, as one quoted cell.
TEST_F(Suite, ShiftRotationCopyAndSaveKeepTheWholeReport) {
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
    const std::wstring header =
        L"时间,工具,护士人数 1-40,排班天数 1-31,结果,等级,结论,床号,住院号,姓名,评估者,"
        L"记录号,主要结果\r\n";
    ASSERT_EQ(file.substr(0, header.size()), header);
    const std::wstring record = file.substr(header.size());
    ASSERT_GT(record.size(), 19u);
    EXPECT_EQ(masked_record_ids(record.substr(19)),
              L",三班轮转排班表,护士人数 1-40=4,排班天数 1-31=7,\"" +
                  report.substr(0, report.size() - 2) +
                  L"\",0,已生成轮转排班表，可复制到排班本或表格,,,,,<id>,\r\n");
    delete_records(201);
}

// The largest results reach the screen and the clipboard whole: the roster of 40 nurses over 31
// days (6400 characters) with its closing line, and the handover template of 30 beds.
TEST_F(Suite, LongestReportsAreShownAndCopiedWhole) {
    struct Case {
        const wchar_t* program;
        const wchar_t* title;
        std::vector<std::wstring> inputs;
        std::size_t length; // of the report, 0: not pinned
        const wchar_t* last_line;
    };
    const Case cases[] = {
        {L"shift-rotation",
         L"三班轮转排班表",
         {L"40", L"31"},
         6400,
         L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。"},
        {L"handover-template", L"交班报告模板", {L"30"}, 0, nullptr},
    };
    for (const Case& c : cases) {
        empty_clipboard();
        ASSERT_TRUE(window.start(program_file(c.program)));
        for (std::size_t j = 0; j < c.inputs.size(); ++j)
            window.set_text(window.edit(static_cast<int>(j)), c.inputs[j]);
        window.click(ID_CALC);
        const std::wstring report = result();
        if (c.length != 0) {
            EXPECT_EQ(report.size(), c.length);
        }
        if (c.last_line != nullptr) {
            EXPECT_EQ(report.substr(report.size() - text_size(c.last_line) - 2),
                      std::wstring(c.last_line) + L"\r\n");
            EXPECT_NE(report.find(L"护士40：\r\n"), std::wstring::npos);
        } else {
            EXPECT_NE(report.find(L"30 床"), std::wstring::npos);
        }
        window.click(ID_COPY);
        EXPECT_TRUE(window.open_message_boxes().empty());
        const std::wstring copied = clipboard_text();
        EXPECT_EQ(copied.size(), text_size(c.title) + 2 + report.size());
        EXPECT_TRUE(copied == std::wstring(c.title) + L"\r\n" + report) << "the copy was cut";
        window.stop();
    }
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

// A number typed one key too many is refused, not shown with another drug's name and graded.
TEST_F(Suite, DrugNumbersOutsideTheListAreRefused) {
    ASSERT_TRUE(window.start(program_file(L"drug-compatibility")));
    for (const wchar_t* typed : {L"11", L"0"}) {
        window.set_text(window.edit(0), typed);
        window.click(ID_CALC);
        const HWND box = window.wait_for_message_box(L"输入有误");
        ASSERT_NE(box, nullptr) << "no refusal";
        EXPECT_EQ(window.message_box_text(box),
                  L"第 1 项“药物 A 编号 1-10”请输入 1 到 10 的整数。");
        window.close_message_box(box);
        EXPECT_EQ(window.focus(), window.edit(0));
        EXPECT_EQ(result(), L"");
    }
}

TEST_F(Suite, TheChecklistHasNoRowsAndStartsOnThePatient) {
    ASSERT_TRUE(window.start(program_file(L"surgical-checklist")));
    EXPECT_EQ(window.guide(), nullptr) << "no guide area without inputs";
    EXPECT_EQ(window.edit(0), nullptr);
    EXPECT_EQ(window.focus(), window.control(ID_PATIENT_BED));
    window.click(ID_CALC);
    EXPECT_EQ(window_text(verdict_label()), L"三方核查缺一不可，签字后归档");
    const std::wstring text = result();
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 6);
}

} // namespace
