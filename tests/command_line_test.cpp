#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

TEST(CommandLine, SelftestSwitchAndPath) {
    const std::wstring long_path(600, L'p');
    struct Case {
        std::wstring line;
        bool found;
        std::wstring path;
    };
    const Case cases[] = {
        {L"braden.exe", false, L""},
        {L"braden.exe --self-test", false, L""},
        {L"braden.exe --SELFTEST", false, L""},
        {L"braden.exe --selftest", true, L"selftest.txt"},
        {L"braden.exe --selftest   ", true, L"selftest.txt"},
        {L"braden.exe --selftest \"\"", true, L"selftest.txt"},
        {L"braden.exe --selftest out.txt", true, L"out.txt"},
        {L"braden.exe --selftest    out.txt extra", true, L"out.txt"},
        {L"braden.exe --selftest \"C:\\my dir\\out file.txt\"", true, L"C:\\my dir\\out file.txt"},
        {L"braden.exe --selftest C:\\my dir\\out.txt", true, L"C:\\my"},
        {L"braden.exe --selftest \"unclosed path here", true, L"unclosed path here"},
        {L"braden.exe --selftestreport.txt", true, L"report.txt"},
        {L"x--selftest-y", true, L"-y"},
        {L"C:\\tools--selftest\\braden.exe", true, L"\\braden.exe"},
        {L"braden.exe --selftest\tout.txt", true, L"\tout.txt"},
        // A path that does not fit whole is no path at all, never a shorter one.
        {L"braden.exe --selftest " + long_path, true, L""},
        {L"braden.exe --selftest \"" + long_path + L"\"", true, L""},
        {L"braden.exe --selftest " + long_path.substr(0, 519), true, long_path.substr(0, 519)},
        {L"braden.exe --selftest \"" + long_path.substr(0, 519) + L"\" x", true,
         long_path.substr(0, 519)},
        {L"braden.exe --selftest " + long_path.substr(0, 520), true, L""},
        {L"braden.exe --selftest \"" + long_path.substr(0, 520) + L"\"", true, L""},
    };
    for (const Case& c : cases) {
        wchar_t path[SELFTEST_PATH_CAPACITY] = L"untouched";
        EXPECT_EQ(selftest_path_from_command_line(c.line.c_str(), path, SELFTEST_PATH_CAPACITY),
                  c.found)
            << std::string(c.line.begin(), c.line.end());
        if (c.found) {
            EXPECT_EQ(std::wstring(path), c.path);
        }
    }
}

TEST(CommandLine, RebuiltFromArguments) {
    struct Case {
        std::vector<const char*> argv;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {{"./braden"}, L"./braden"},
        {{"./braden", "--selftest", "out.txt"}, L"./braden --selftest out.txt"},
        {{"./braden", "--selftest", "my out.txt"}, L"./braden --selftest \"my out.txt\""},
        {{"/opt/my tools/braden"}, L"\"/opt/my tools/braden\""},
        {{"braden", "--selftest", "报告.txt"}, L"braden --selftest 报告.txt"},
        {{"braden", ""}, L"braden "},
    };
    for (const Case& c : cases) {
        wchar_t line[COMMAND_LINE_CAPACITY];
        command_line_from_arguments(static_cast<int>(c.argv.size()), c.argv.data(), line,
                                    COMMAND_LINE_CAPACITY);
        EXPECT_STREQ(line, c.expected);
    }
    wchar_t small[8];
    const char* argv[] = {"braden", "--selftest"};
    command_line_from_arguments(2, argv, small, 8);
    EXPECT_STREQ(small, L"braden ");
}

} // namespace
