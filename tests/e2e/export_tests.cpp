// End-to-end tests of the export against a real FHIR server on 127.0.0.1 (the fhir pass starts it
// and sets FhirServer and FhirAuthorization): each saved record is sent once, whatever the server
// does — up, down, hanging, storing and dropping the connection, or refusing. The server is steered
// and read through the files of its control folder (--fhir=FOLDER).
#include <windows.h>

#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"
#include "toolbox/toolbox_list.h"
#include "toolbox_window/toolbox_window.h"

namespace {

const wchar_t* const secret = L"e2e-secret-token-7f3a";

std::string read_file(const std::wstring& path) { return read_bytes(path); }

void set_mode(const char* mode) {
    write_bytes(fhir_control + L"\\mode", mode);
    Sleep(400); // the server reads its mode every 100 ms
}

// Beside the records folder of the user: %LOCALAPPDATA%\HalviMedSuite\outbox.
std::wstring outbox() { return records_folder() + L"\\..\\outbox"; }

bool present(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The Observations the server holds of the record.
std::vector<std::string> observations_of(const std::wstring& id) {
    std::vector<std::string> found;
    rapidjson::Document all;
    if (all.Parse(read_file(fhir_control + L"\\observations.json").c_str()).HasParseError() ||
        !all.IsArray())
        return found;
    const std::string urn = "urn:uuid:" + to_utf8(id);
    for (const auto& observation : all.GetArray()) {
        const auto& identifier = observation["identifier"][0]["value"];
        if (identifier.IsString() && urn == identifier.GetString())
            found.push_back(std::string(observation["subject"]["identifier"]["value"].GetString()) +
                            "|" + observation["code"]["text"].GetString());
    }
    return found;
}

// The record id of the last record of the tool's file: its 记录号, the cell before the last.
std::wstring last_record_id(const wchar_t* file) {
    const std::wstring text = from_utf8(read_file(records_folder() + L"\\" + file));
    const std::size_t end = text.rfind(L"\r\n", text.size() - 3);
    const std::wstring line = text.substr(end + 2);
    const std::size_t last = line.rfind(L',');
    const std::size_t before = line.rfind(L',', last - 1);
    return line.substr(before + 1, last - before - 1);
}

class Export : public ::testing::Test {
  protected:
    ProgramWindow window;
    DWORD save_ms = 0; // from the click on 保存 to the 已保存 box, for the performance notes
    void SetUp() override {
        if (fhir_control.empty()) GTEST_SKIP() << "runs in the fhir pass, beside a FHIR server";
        set_mode("up");
    }
    void TearDown() override {
        window.stop();
        if (!fhir_control.empty()) set_mode("up");
    }
    // Braden (or another program) saved for the patient; its record id.
    std::wstring save(const wchar_t* program, const wchar_t* file, const wchar_t* patient,
                      const std::vector<std::wstring>& inputs) {
        EXPECT_TRUE(window.start(program_folder() + L"\\" + program, L"HalviMedToolWnd", ID_RESULT,
                                 patient));
        window.type_inputs(inputs);
        window.set_text(window.control(ID_ASSESSOR), L"护士甲");
        window.click(ID_CALC);
        const DWORD start = GetTickCount();
        window.post_click(ID_SAVE);
        const HWND box = window.wait_for_message_box(L"已保存");
        save_ms = GetTickCount() - start;
        EXPECT_NE(box, nullptr) << "not saved";
        if (box != nullptr) window.close_message_box(box);
        return last_record_id(file);
    }
    std::wstring save_braden(const wchar_t* patient = L"--patient 12 Z5001 张三") {
        return save(L"braden.exe", L"T138.csv", patient, braden_scores);
    }
    // A program started: its start-up run sends what waits.
    void trigger() {
        ProgramWindow other;
        ASSERT_TRUE(other.start(program_folder() + L"\\morse-fall.exe"));
        Sleep(500);
        other.stop();
    }
    static std::wstring queued(const std::wstring& id) { return outbox() + L"\\" + id + L".json"; }
};

// Braden and NEWS2 saved: one Observation each, as saved; the outbox empties; the server saw the
// Authorization header, and no file of the records or the outbox holds it.
TEST_F(Export, EachSavedRecordReachesTheServerOnce) {
    const std::wstring braden = save_braden();
    ASSERT_EQ(braden.size(), 36u) << to_utf8(braden);
    window.stop();
    std::vector<std::wstring> news2_inputs;
    const ToolDef* news2 = toolbox_tool_named("news2");
    ASSERT_NE(news2, nullptr);
    for (int i = 0; i < news2->input_count; ++i) {
        wchar_t value[32];
        std::swprintf(value, 32, L"%g", news2->inputs[i].default_value);
        news2_inputs.push_back(value);
    }
    const std::wstring news =
        save(L"news2.exe", L"T146.csv", L"--patient 12 Z5001 张三", news2_inputs);
    EXPECT_TRUE(wait_until([&] { return observations_of(braden).size() == 1; }));
    EXPECT_TRUE(wait_until([&] { return observations_of(news).size() == 1; }));
    EXPECT_EQ(observations_of(braden), (std::vector<std::string>{"Z5001|Braden 压疮风险评估"}));
    EXPECT_EQ(observations_of(news), (std::vector<std::string>{"Z5001|NEWS2 早期预警评分"}));
    EXPECT_TRUE(wait_until([&] { return !present(queued(braden)) && !present(queued(news)); }));
    EXPECT_NE(read_file(fhir_control + L"\\authorization.txt").find("Bearer " + to_utf8(secret)),
              std::string::npos);
    for (const std::wstring& folder : {records_folder(), outbox(), outbox() + L"\\rejected"}) {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string bytes = read_file(folder + L"\\" + found.cFileName);
            EXPECT_EQ(bytes.find(to_utf8(secret)), std::string::npos) << to_utf8(found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
}

// The server down at Save: the record waits in the outbox; once it is up, the next program that
// starts sends it, once.
TEST_F(Export, ARecordSavedWhileTheServerIsDownIsSentLaterOnce) {
    set_mode("down");
    const std::wstring id = save_braden();
    window.stop();
    Sleep(1500);
    EXPECT_TRUE(present(queued(id))) << "the record left the outbox with the server down";
    EXPECT_TRUE(observations_of(id).empty());
    set_mode("up");
    trigger();
    EXPECT_TRUE(wait_until([&] { return observations_of(id).size() == 1; }));
    EXPECT_TRUE(wait_until([&] { return !present(queued(id)); }));
    trigger();
    Sleep(1500);
    EXPECT_EQ(observations_of(id).size(), 1u);
}

// A server that takes the request and never answers: the window answers at once while the send
// waits, the send gives up, and the record stays queued.
TEST_F(Export, AHangingServerNeverHoldsTheWindow) {
    set_mode("hang");
    const std::wstring id = save_braden();
    std::printf("a Save with the server hanging showed 已保存 after %lu ms\n",
                static_cast<unsigned long>(save_ms));
    DWORD_PTR result = 0;
    const DWORD start = GetTickCount();
    const LRESULT answered = SendMessageTimeoutW(window.main(), WM_COMMAND, ID_CALC, 0,
                                                 SMTO_ABORTIFHUNG, 60000, &result);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_NE(answered, 0) << "the window did not answer";
    std::printf("a Calculate with the server hanging answered in %lu ms\n",
                static_cast<unsigned long>(elapsed));
    Sleep(20000); // past the response timeout of 15 s
    EXPECT_TRUE(present(queued(id)));
    EXPECT_TRUE(observations_of(id).empty());
    window.stop();
    set_mode("up");
    trigger();
    EXPECT_TRUE(wait_until([&] { return observations_of(id).size() == 1; }));
}

// The server stores the record and drops the connection before it answers: the record is sent
// again, and the server still holds it once.
TEST_F(Export, ARecordStoredButNotAnsweredIsSentAgainAndHeldOnce) {
    set_mode("drop");
    const std::wstring id = save_braden();
    window.stop();
    EXPECT_TRUE(wait_until([&] { return observations_of(id).size() == 1; }));
    Sleep(1500);
    EXPECT_TRUE(present(queued(id))) << "counted sent without an answer";
    set_mode("up");
    trigger();
    EXPECT_TRUE(wait_until([&] { return !present(queued(id)); }));
    EXPECT_EQ(observations_of(id).size(), 1u) << "sent twice, stored twice";
}

// A 422 with an OperationOutcome: the record moves to rejected\ with the server's text beside it,
// and is not sent again by itself.
TEST_F(Export, ARefusedRecordMovesToRejectedWithTheServersText) {
    set_mode("reject");
    const std::wstring id = save_braden();
    window.stop();
    const std::wstring rejected = outbox() + L"\\rejected\\" + id;
    EXPECT_TRUE(wait_until([&] { return present(rejected + L".json"); }));
    EXPECT_FALSE(present(queued(id)));
    const std::string why = read_file(rejected + L".txt");
    EXPECT_NE(why.find("HTTP 422"), std::string::npos) << why;
    EXPECT_NE(why.find("测试服务器拒绝：患者不存在"), std::string::npos) << why;
    set_mode("up");
    trigger();
    Sleep(1500);
    EXPECT_TRUE(observations_of(id).empty()) << "a refused record was sent again";

    // The toolbox shows it; its list of uploads says why, and 重新上传 sends it by hand.
    ProgramWindow toolbox;
    ASSERT_TRUE(
        toolbox.start(program_folder() + L"\\toolbox.exe", TOOLBOX_CLASS_NAME, ID_TOOLBOX_FILTER));
    const HWND line = toolbox.control(ID_TOOLBOX_UPLOADS);
    EXPECT_TRUE(wait_until([&] { return IsWindowVisible(line) != FALSE; }));
    EXPECT_EQ(window_text(line), L"待上传 0 条，被拒绝 1 条");
    toolbox.post_click(ID_TOOLBOX_UPLOADS);
    HWND uploads = nullptr;
    ASSERT_TRUE(
        wait_until([&] { return (uploads = find_window(L"HalviMedUploads", L"上传记录")); }));
    const HWND list = GetDlgItem(uploads, 1);
    const std::vector<std::wstring> rows = list_box_texts(list);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NE(
        rows[0].find(
            L"\tBraden 压疮风险评估\tZ5001 张三\t被拒绝：HTTP 422：测试服务器拒绝：患者不存在"),
        std::wstring::npos)
        << to_utf8(rows[0]);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    PostMessageW(uploads, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), 0);
    EXPECT_TRUE(wait_until([&] { return observations_of(id).size() == 1; }))
        << "重新上传 did not send the mended record";
    EXPECT_TRUE(wait_until([&] { return !present(rejected + L".json"); }));
    EXPECT_TRUE(wait_until([&] { return IsWindowVisible(line) == FALSE; }))
        << "the line stays with nothing waiting";
    toolbox.stop();
}

// A record without an inpatient number is saved, and never queued.
TEST_F(Export, ARecordWithoutANumberIsSavedNotSent) {
    const std::wstring id = save_braden(L"--patient 12 \"\" 张三");
    Sleep(1500);
    EXPECT_FALSE(present(queued(id)));
    EXPECT_TRUE(observations_of(id).empty());
}

// https to localhost: the test's own certificate, trusted in the prefix's LocalMachine Root store,
// is sent; one that no authority vouches for keeps the record queued (--fhir-https=trusted or
// untrusted, the server started with that certificate).
class ExportHttps : public Export {
  protected:
    void SetUp() override {
        if (fhir_https.empty()) GTEST_SKIP() << "runs in the fhir pass's https steps";
        Export::SetUp();
    }
};

TEST_F(ExportHttps, ATrustedCertificateIsSent) {
    if (fhir_https != L"trusted") GTEST_SKIP();
    const std::wstring id = save_braden();
    EXPECT_TRUE(wait_until([&] { return observations_of(id).size() == 1; }));
    EXPECT_TRUE(wait_until([&] { return !present(queued(id)); }));
}

TEST_F(ExportHttps, AnUntrustedCertificateKeepsTheRecordQueued) {
    if (fhir_https != L"untrusted") GTEST_SKIP();
    const std::wstring id = save_braden();
    Sleep(3000);
    EXPECT_TRUE(present(queued(id))) << "sent past a certificate no one trusts";
    EXPECT_TRUE(observations_of(id).empty());
    // The record leaves the queue once the server is trusted: for the next steps, it goes.
    DeleteFileW(queued(id).c_str());
}

} // namespace
