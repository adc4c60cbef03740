// End-to-end tests of a ward's records in one place, in the passes the runner prepares with the
// Group Policy values set in the prefix's registry: two PCs (two prefixes, each with its own
// wineserver) saving at once into one RecordsFolder (--ward=A or --ward=B), the Save policies and
// the toolbox's overview on PC A (--ward-checks), and a policy folder that cannot be reached
// (--ward-offline).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"
#include "toolbox_window/toolbox_window.h"
#include "toolbox_window/ward_overview_window.h"

namespace {

constexpr int SAVES_PER_PC = 200;
constexpr int PATIENTS_PER_PC = 20;

std::wstring two_digits(int n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); }

// Calculates and saves; the caption of the box that answered.
std::wstring save(ProgramWindow& window) {
    window.press(window.edit(0), VK_F5);
    window.post_click(ID_SAVE);
    const HWND box = window.wait_for_any_message_box();
    if (box == nullptr) return L"<none>";
    const std::wstring caption = window_text(box);
    window.close_message_box(box);
    return caption;
}

void set_patient(ProgramWindow& window, const wchar_t* bed, const wchar_t* number,
                 const wchar_t* name, const wchar_t* assessor) {
    window.set_text(window.control(ID_PATIENT_BED), bed);
    window.set_text(window.control(ID_PATIENT_NUMBER), number);
    window.set_text(window.control(ID_PATIENT_NAME), name);
    window.set_text(window.control(ID_ASSESSOR), assessor);
}

TEST(Ward, TwoHundredSavesFromOnePcIntoTheSharedFolder) {
    if (ward_pc.empty()) GTEST_SKIP() << "runs in the two-PC pass";
    ProgramWindow window;
    ASSERT_TRUE(window.start());
    window.type_inputs(braden_scores);
    // Every record is told apart by its bed, 1 to 200; twenty patients of this PC take turns.
    for (int i = 1; i <= SAVES_PER_PC; ++i) {
        const int patient = i % PATIENTS_PER_PC;
        const std::wstring number = ward_pc + L"-" + two_digits(patient);
        const std::wstring name = L"患者" + ward_pc + two_digits(patient);
        set_patient(window, std::to_wstring(i).c_str(), number.c_str(), name.c_str(),
                    (L"护士" + ward_pc).c_str());
        ASSERT_EQ(save(window), L"已保存") << "save " << i << " of PC " << ward_pc;
    }
    window.stop();
}

TEST(Ward, TheSavePoliciesRefuseWhatTheyRequire) {
    if (!ward_checks) GTEST_SKIP() << "runs on PC A with RequirePatient and RequireAssessor set";
    ProgramWindow window;
    ASSERT_TRUE(window.start());
    window.type_inputs(braden_scores);
    const struct {
        const wchar_t* bed;
        const wchar_t* number;
        const wchar_t* name;
        const wchar_t* assessor;
        const wchar_t* answer;
    } cases[] = {
        {L"", L"", L"", L"护士C", L"请填写住院号，或床号和姓名。"},
        {L"8", L"", L"", L"护士C", L"请填写住院号，或床号和姓名。"}, // a bed alone is no patient
        {L"8", L"", L"钱七", L"", L"请填写评估者。"},
        {L"", L"ZY8", L"", L"", L"请填写评估者。"},
    };
    for (const auto& c : cases) {
        set_patient(window, c.bed, c.number, c.name, c.assessor);
        window.press(window.edit(0), VK_F5);
        window.post_click(ID_SAVE);
        const HWND box = window.wait_for_message_box(L"提示");
        ASSERT_NE(box, nullptr) << c.answer;
        EXPECT_EQ(window.message_box_text(box), c.answer);
        window.close_message_box(box);
    }
    set_patient(window, L"8", L"", L"钱七", L"护士C");
    EXPECT_EQ(save(window), L"已保存") << "a bed and a name with an assessor are enough";
    window.stop();
}

TEST(Ward, RememberAssessorOffStartsEmptyAndRemembersNothing) {
    if (!ward_checks) GTEST_SKIP() << "runs on PC A with RememberAssessor 0";
    set_remembered_assessor(L"前一位护士");
    ProgramWindow window;
    ASSERT_TRUE(window.start());
    window.type_inputs(braden_scores);
    EXPECT_EQ(window_text(window.control(ID_ASSESSOR)), L"") << "the previous nurse's name shows";
    set_patient(window, L"9", L"ZY9", L"孙八", L"护士D");
    // The box names the ward's folder, not the user's own records.
    window.press(window.edit(0), VK_F5);
    window.post_click(ID_SAVE);
    const HWND box = window.wait_for_message_box(L"已保存");
    ASSERT_NE(box, nullptr);
    const std::wstring saved = window.message_box_text(box);
    const std::wstring start = L"本次结果已追加保存到病区记录（";
    EXPECT_EQ(saved.substr(0, start.size()), start) << to_utf8(saved);
    EXPECT_EQ(saved.substr(saved.size() - 2), L"）。") << to_utf8(saved);
    EXPECT_NE(saved.find(L'\\'), std::wstring::npos) << "no folder named: " << to_utf8(saved);
    window.close_message_box(box);
    window.stop();
    ASSERT_TRUE(window.start());
    window.type_inputs(braden_scores);
    EXPECT_EQ(window_text(window.control(ID_ASSESSOR)), L"");
    window.stop();
    // The name the Windows user had remembered stays as it was: nothing new is remembered.
    wchar_t remembered[64] = L"";
    DWORD size = sizeof remembered;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\HalviMed\\Tools", L"Assessor", RRF_RT_REG_SZ,
                 nullptr, remembered, &size);
    EXPECT_STREQ(remembered, L"前一位护士");
    set_remembered_assessor(nullptr);
}

// The toolbox's overview, opened by its button: the window, its rows, and the milliseconds from
// the click until the rows were there.
struct Overview {
    HWND window = nullptr;
    std::vector<std::wstring> rows;
    DWORD milliseconds = 0;
};

Overview open_overview(ProgramWindow& toolbox) {
    Overview shown;
    const DWORD asked = GetTickCount();
    toolbox.post_click(ID_TOOLBOX_OVERVIEW);
    wait_until([&] {
        shown.window = find_window(L"HalviMedWardOverview", OVERVIEW_CAPTION);
        if (shown.window == nullptr) return false;
        shown.rows = list_box_texts(GetDlgItem(shown.window, ID_OVERVIEW_LIST));
        return !shown.rows.empty();
    });
    shown.milliseconds = GetTickCount() - asked;
    return shown;
}

bool start_toolbox(ProgramWindow& toolbox) {
    return toolbox.start(program_folder() + L"\\toolbox.exe", TOOLBOX_CLASS_NAME,
                         ID_TOOLBOX_FILTER);
}

TEST(Ward, TheOverviewListsThePatientsOfBothPcs) {
    if (!ward_checks) GTEST_SKIP() << "runs on PC A after the two-PC pass";
    ProgramWindow toolbox;
    ASSERT_TRUE(start_toolbox(toolbox));
    const Overview overview = open_overview(toolbox);
    ASSERT_NE(overview.window, nullptr) << "no overview";
    // Each PC's twenty patients by inpatient number: a row's text ends in it.
    int found = 0;
    for (const wchar_t* pc : {L"A", L"B"})
        for (int p = 0; p < PATIENTS_PER_PC; ++p) {
            const std::wstring number = std::wstring(pc) + L"-" + two_digits(p);
            for (const std::wstring& row : overview.rows)
                if (row.size() >= number.size() &&
                    row.compare(row.size() - number.size(), number.size(), number) == 0)
                    ++found;
        }
    EXPECT_EQ(found, 2 * PATIENTS_PER_PC);
    EXPECT_TRUE(save_window_screenshot(overview.window, L"ward_overview.bmp"));
    // 导出, a file name typed into the save dialog, OK: the overview as a CSV file.
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring exported = std::wstring(temporary) + L"ward_overview_export.csv";
    DeleteFileW(exported.c_str());
    PostMessageW(GetDlgItem(overview.window, ID_OVERVIEW_EXPORT), BM_CLICK, 0, 0);
    const HWND dialog = toolbox.wait_for_message_box(L"Save As");
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    // The file name: the edit inside the dialog's combo box (cmb13, 1148).
    HWND name = GetDlgItem(dialog, 1148);
    for (HWND inner = name; inner != nullptr;
         inner = FindWindowExW(inner, nullptr, nullptr, nullptr))
        name = inner;
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(exported.c_str()));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    std::string bytes;
    ASSERT_TRUE(wait_until([&] {
        bytes = read_bytes(exported);
        return bytes != "<missing>" && !bytes.empty();
    })) << "nothing exported";
    const std::wstring text = from_utf8(bytes.substr(3));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text.rfind(L"床号,住院号,姓名,Braden 压疮风险评估,", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find(L",A-01,患者A01,13 分,1,"), std::wstring::npos);
    // A header and one line per patient.
    std::size_t lines = 0;
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos;
         at = text.find(L"\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, overview.rows.size() + 1);
    DeleteFileW(exported.c_str());
    PostMessageW(overview.window, WM_COMMAND, IDCANCEL, 0);
    toolbox.stop();
}

// The time it took is printed for the performance notes, never asserted.
TEST(Ward, AYearOfALargeWardShowsEveryPatient) {
    if (!ward_large) GTEST_SKIP() << "runs with RecordsFolder set to a folder of large files";
    ProgramWindow toolbox;
    ASSERT_TRUE(start_toolbox(toolbox));
    const Overview overview = open_overview(toolbox);
    ASSERT_NE(overview.window, nullptr) << "no overview";
    std::printf("overview of the large folder shown after %lu ms, %zu patients\n",
                overview.milliseconds, overview.rows.size());
    EXPECT_EQ(overview.rows.size(), 40u) << "forty patients";
    PostMessageW(overview.window, WM_COMMAND, IDCANCEL, 0);
    toolbox.stop();
}

// Calculates and saves a patient's record where the policy allows no save: the text of the box
// with that caption, after checking that nothing reached the user's own folder instead.
std::wstring refused_save(const wchar_t* caption) {
    const std::wstring local = records_folder() + L"\\T138.csv";
    DeleteFileW(local.c_str());
    ProgramWindow window;
    if (!window.start()) return L"<no window>";
    window.type_inputs(braden_scores);
    set_patient(window, L"5", L"ZY5", L"周九", L"护士E");
    window.press(window.edit(0), VK_F5);
    window.post_click(ID_SAVE);
    const HWND box = window.wait_for_message_box(caption);
    const std::wstring text = box != nullptr ? window.message_box_text(box) : L"<no box>";
    if (box != nullptr) window.close_message_box(box);
    window.stop();
    EXPECT_EQ(GetFileAttributesW(local.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the record went to the local folder instead";
    return text;
}

TEST(Ward, AFolderThatCannotBeReachedFailsTheSaveAndNothingIsWrittenLocally) {
    if (!ward_offline) GTEST_SKIP() << "runs with RecordsFolder set to a share that is offline";
    const std::wstring answer = refused_save(L"保存失败");
    EXPECT_NE(answer.find(ward_offline_folder), std::wstring::npos)
        << "the message does not name the folder: " << answer;
    // The system's reason after the path, as Print gives its own.
    EXPECT_EQ(answer.back(), L'）') << "no reason: " << to_utf8(answer);
    EXPECT_NE(answer.find(L".csv（"), std::wstring::npos) << "no reason: " << to_utf8(answer);
}

// The overview of a folder that cannot be read says so with the system's reason, never "共 0 位
// 患者" as if the ward were empty.
TEST(Ward, AFolderThatCannotBeReadIsSaidInTheOverviewNotShownAsAnEmptyWard) {
    if (!ward_offline) GTEST_SKIP() << "runs with RecordsFolder set to a share that is offline";
    ProgramWindow toolbox;
    ASSERT_TRUE(start_toolbox(toolbox));
    toolbox.post_click(ID_TOOLBOX_OVERVIEW);
    HWND overview = nullptr;
    std::wstring last;
    ASSERT_TRUE(wait_until([&] {
        overview = find_window(L"HalviMedWardOverview", OVERVIEW_CAPTION);
        if (overview == nullptr) return false;
        last = window_text(GetDlgItem(overview, ID_OVERVIEW_LAST_LINE));
        return !last.empty();
    })) << "no overview";
    const std::wstring start = L"记录文件夹无法读取：" + ward_offline_folder + L"（";
    EXPECT_EQ(last.substr(0, start.size()), start) << to_utf8(last);
    EXPECT_EQ(last.back(), L'）') << to_utf8(last);
    EXPECT_EQ(last.find(L"共 0 位患者"), std::wstring::npos) << to_utf8(last);
    PostMessageW(overview, WM_COMMAND, IDCANCEL, 0);
    toolbox.stop();
}

// A RecordsFolder of the wrong type, relative, or empty fails closed: Save refuses with the
// policy's name, and nothing is written anywhere, the user's own folder included.
TEST(Ward, AnInvalidFolderPolicyRefusesTheSave) {
    if (!ward_invalid) GTEST_SKIP() << "runs with RecordsFolder set wrongly";
    EXPECT_EQ(refused_save(L"提示"), L"组策略“RecordsFolder”的设置无效，请联系信息科。");
}

} // namespace
