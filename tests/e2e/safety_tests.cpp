// End-to-end tests of what a program must not do whatever lies around it: run a DLL planted beside
// it, start its self-test from a folder name, or call an empty program file present.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/window_driver.h"
#include "toolbox_window/toolbox_window.h"
#include "tools/catalog.h"

namespace {

// The folder of this driver, where the build puts the marker DLL and its loader.
std::wstring driver_folder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring module(path, length);
    return module.substr(0, module.find_last_of(L"\\/"));
}

// A new empty folder below the temporary folder.
std::wstring fresh_folder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"halvimed-" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return folder;
}

bool copy_file(const std::wstring& from, const std::wstring& to) {
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool file_exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a command line to its end in folder; its exit code, or -1 when it did not start or end.
DWORD run_to_end(const std::wstring& program, const std::wstring& arguments,
                 const std::wstring& folder) {
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return static_cast<DWORD>(-1);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

const wchar_t* const planted[] = {L"version.dll", L"uxtheme.dll", L"msimg32.dll", L"dwmapi.dll"};

// The planted DLLs that ran, by name, and their traces removed.
std::vector<std::wstring> planted_that_ran(const std::wstring& folder) {
    std::vector<std::wstring> ran;
    for (const wchar_t* dll : planted) {
        const std::wstring trace = folder + L"\\" + dll + L".ran";
        if (file_exists(trace)) ran.push_back(dll);
        DeleteFileW(trace.c_str());
    }
    return ran;
}

// Wine loads a DLL found beside a program before its own only with a native-first override,
// which imitates Windows' search order; the control shows that the planted DLLs then run.
TEST(DllSearch, APlantedSystemDllBesideTheProgramsDoesNotRun) {
    const std::wstring folder = fresh_folder(L"planted");
    for (const wchar_t* dll : planted)
        ASSERT_TRUE(copy_file(driver_folder() + L"\\marker.dll", folder + L"\\" + dll));
    for (const wchar_t* program : {L"braden.exe", L"toolbox.exe"})
        ASSERT_TRUE(copy_file(program_folder() + L"\\" + program, folder + L"\\" + program));
    ASSERT_TRUE(
        copy_file(driver_folder() + L"\\marker_loader.exe", folder + L"\\marker_loader.exe"));
    wchar_t overrides[512] = L"";
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES",
                            L"version,uxtheme,msimg32,dwmapi=n,b;mscoree,mshtml=");

    EXPECT_EQ(run_to_end(folder + L"\\marker_loader.exe",
                         L"version.dll uxtheme.dll msimg32.dll dwmapi.dll", folder),
              0u);
    const std::vector<std::wstring> control = planted_that_ran(folder);
    std::printf("planted DLLs that a program without a safe search runs here:");
    for (const std::wstring& dll : control) std::printf(" %ls", dll.c_str());
    std::printf("\n");
    EXPECT_FALSE(control.empty()) << "the loader here never runs a DLL beside a program, so this "
                                     "test cannot tell a safe program from an unsafe one";

    ProgramWindow braden;
    ASSERT_TRUE(braden.start(folder + L"\\braden.exe"));
    braden.type_inputs(braden_scores);
    braden.click(ID_CALC);
    braden.stop();
    EXPECT_TRUE(planted_that_ran(folder).empty()) << "braden.exe ran a DLL planted beside it";

    ProgramWindow toolbox;
    ASSERT_TRUE(toolbox.start(folder + L"\\toolbox.exe", TOOLBOX_CLASS_NAME, ID_TOOLBOX_FILTER));
    toolbox.stop();
    EXPECT_TRUE(planted_that_ran(folder).empty()) << "toolbox.exe ran a DLL planted beside it";
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides);
}

// A folder whose name holds the switch opens the window like any other and writes no report.
TEST(CommandLine, AFolderNamedLikeTheSwitchOpensTheWindow) {
    for (const wchar_t* name : {L"x --selftest out.txt y", L"HalviMed--selftest"}) {
        const std::wstring folder = fresh_folder(name);
        ASSERT_TRUE(copy_file(program_folder() + L"\\braden.exe", folder + L"\\braden.exe"));
        DeleteFileW(L"out.txt");
        ProgramWindow window;
        EXPECT_TRUE(window.start(folder + L"\\braden.exe"))
            << "no window from the folder named like the switch";
        window.stop();
        EXPECT_FALSE(file_exists(L"out.txt"));
        EXPECT_FALSE(file_exists(folder + L"\\out.txt"));
        EXPECT_FALSE(file_exists(folder + L"\\selftest.txt"));
    }
}

// A suite folder where one program file is empty: the self-test calls it invalid and fails, and
// the window names the system's reason with the file name filled in.
TEST(ToolboxFiles, AnEmptyProgramFileIsInvalidAndItsStartFailureNamesTheFile) {
    const std::wstring folder = fresh_folder(L"suite");
    ASSERT_TRUE(copy_file(program_folder() + L"\\toolbox.exe", folder + L"\\toolbox.exe"));
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        std::string name(TOOL_PROGRAMS[p].name);
        const std::wstring file = folder + L"\\" + std::wstring(name.begin(), name.end()) + L".exe";
        if (name == "pain-nrs") {
            const HANDLE empty = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(empty, INVALID_HANDLE_VALUE);
            CloseHandle(empty);
        } else {
            ASSERT_TRUE(copy_file(program_folder() + L"\\braden.exe", file));
        }
    }
    EXPECT_EQ(run_to_end(folder + L"\\toolbox.exe", L"--selftest report.txt", folder), 2u);
    const std::wstring report = from_utf8(read_bytes(folder + L"\\report.txt"));
    EXPECT_NE(report.find(L"PROGRAM|pain-nrs|疼痛数字评分|护理|invalid\r\n"), std::wstring::npos)
        << std::string(report.begin(), report.end()).size();
    EXPECT_NE(report.find(L"PROGRAM|braden|Braden 压疮风险评估|护理|present\r\n"),
              std::wstring::npos);

    ProgramWindow toolbox;
    ASSERT_TRUE(toolbox.start(folder + L"\\toolbox.exe", TOOLBOX_CLASS_NAME, ID_TOOLBOX_FILTER));
    toolbox.set_text(toolbox.control(ID_TOOLBOX_FILTER), L"疼痛");
    toolbox.sync();
    toolbox.click(ID_TOOLBOX_OPEN);
    const HWND box = toolbox.wait_for_any_message_box();
    ASSERT_NE(box, nullptr) << "no warning for an empty program file";
    const std::wstring text = toolbox.message_box_text(box);
    EXPECT_EQ(text.rfind(L"无法启动“疼痛数字评分”：", 0), 0u);
    EXPECT_EQ(text.find(L"%1"), std::wstring::npos);
    EXPECT_GT(text.size(), std::wstring(L"无法启动“疼痛数字评分”：").size()) << "no reason given";
    std::printf("start failure shown: %d characters\n", static_cast<int>(text.size()));
    toolbox.close_message_box(box);
    toolbox.stop();
}

} // namespace
