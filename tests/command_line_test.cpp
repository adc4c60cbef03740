#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/patient_argument.h"
#include "core/text.h"
#include "core/utf8.h"

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
        // Only an argument that is exactly the switch counts, never a part of one or of the
        // program's own path.
        {L"braden.exe --selftestreport.txt", false, L""},
        {L"x--selftest-y", false, L""},
        {L"C:\\tools--selftest\\braden.exe", false, L""},
        {L"\"C:\\x --selftest out.txt y\\braden.exe\"", false, L""},
        {L"\"C:\\x --selftest out.txt y\\braden.exe\" --selftest", true, L"selftest.txt"},
        {L"C:\\HalviMed--selftest\\braden.exe", false, L""},
        {L"braden.exe \"--selftest\" out.txt", true, L"out.txt"},
        {L"braden.exe x--selftest out.txt", false, L""},
        {L"braden.exe --selftest\tout.txt", true, L"out.txt"},
        {L"braden.exe\t--selftest out.txt", true, L"out.txt"},
        {L"braden.exe --selftest \"out\\\"s.txt\"", true, L"out\"s.txt"},
        {L"braden.exe --selftest \"C:\\reports\\\\\"", true, L"C:\\reports\\"},
        {L"braden.exe --selftest C:\\a\\b.txt", true, L"C:\\a\\b.txt"},
        {L"braden.exe --selftest a\"b c\"d e", true, L"ab cd"},
        {L"braden.exe --selftest \"a\"\"b c\"", true, L"a\"b"},
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
        {{"braden", ""}, L"braden \"\""},
        {{"braden", "a\"b"}, L"braden \"a\\\"b\""},
        {{"braden", "C:\\my dir\\"}, L"braden \"C:\\my dir\\\\\""},
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

// What the Linux entry rebuilds is split back into the same arguments, whatever they hold.
TEST(CommandLine, ArgumentsSurviveTheRoundTrip) {
    const std::vector<std::vector<const char*>> cases = {
        {"/opt/x --selftest out.txt y/braden"},
        {"/opt/x --selftest out.txt y/braden", "--selftest", "my report.txt"},
        {"braden", "", "a\"b", "\\\\server\\share\\", "tab\there", "\\\"", "报告 1.txt"},
        {"braden", "\"\"", "x\\\\\"y", "end\\"},
    };
    for (const std::vector<const char*>& argv : cases) {
        wchar_t line[COMMAND_LINE_CAPACITY];
        command_line_from_arguments(static_cast<int>(argv.size()), argv.data(), line,
                                    COMMAND_LINE_CAPACITY);
        const wchar_t* p = line;
        for (std::size_t i = 0; i < argv.size(); ++i) {
            wchar_t argument[256];
            int length = -1;
            p = command_line_argument(p, i == 0, argument, 256, &length);
            ASSERT_NE(p, nullptr) << argv[i];
            wchar_t expected[256];
            wide_from_utf8(argv[i], expected, 256);
            EXPECT_STREQ(argument, expected) << argv[i];
        }
        wchar_t rest[8];
        int length = -1;
        EXPECT_EQ(command_line_argument(p, false, rest, 8, &length), nullptr);
        EXPECT_EQ(length, 0);
        // The program's own path never starts the self-test.
        wchar_t path[SELFTEST_PATH_CAPACITY];
        const bool selftest = argv.size() > 1 && std::string(argv[1]) == "--selftest";
        EXPECT_EQ(selftest_path_from_command_line(line, path, SELFTEST_PATH_CAPACITY), selftest);
    }
}

TEST(CommandLine, ArgumentLengthIsCountedWholeWhenCut) {
    wchar_t argument[4];
    int length = 0;
    const wchar_t* rest = command_line_argument(L"prog \"abcdef\" g", false, argument, 4, &length);
    // "prog" read as a later argument, then the quoted one cut at 3 characters.
    rest = command_line_argument(rest, false, argument, 4, &length);
    EXPECT_STREQ(argument, L"abc");
    EXPECT_EQ(length, 6);
    EXPECT_STREQ(rest, L" g");
}

// The patient a program is opened for: three whole arguments after "--patient", each checked as
// typed text is, or none of them at all.
TEST(CommandLine, PatientArguments) {
    const struct {
        const wchar_t* line;
        PatientArgument result;
        const wchar_t* bed;
        const wchar_t* number;
        const wchar_t* name;
        PatientField refused;
        PatientText why;
    } cases[] = {
        {L"braden.exe --patient 12 Z2001 \"张 三\"", PatientArgument::taken, L"12", L"Z2001",
         L"张 三", PATIENT_BED, PatientText::taken},
        {L"braden.exe --patient \"\" Z2001 \"\"", PatientArgument::taken, L"", L"Z2001", L"",
         PATIENT_BED, PatientText::taken},
        {L"braden.exe --patient \" 12 \" \"\" \"\\\"A\\\"\"", PatientArgument::taken, L"12", L"",
         L"\"A\"", PATIENT_BED, PatientText::taken},
        {L"braden.exe --patient 12 Z20\x200B"
         L"01 张三",
         PatientArgument::refused, L"", L"", L"", PATIENT_NUMBER, PatientText::control_character},
        {L"braden.exe --patient 12 Z2001 \"张\t三\"", PatientArgument::refused, L"", L"", L"",
         PATIENT_NAME, PatientText::control_character},
        {L"braden.exe --patient 123456789 Z2001 张三", PatientArgument::refused, L"", L"", L"",
         PATIENT_BED, PatientText::too_long},
        {L"braden.exe --patient 12 Z2001", PatientArgument::incomplete, L"", L"", L"", PATIENT_BED,
         PatientText::taken},
        {L"braden.exe --patient", PatientArgument::incomplete, L"", L"", L"", PATIENT_BED,
         PatientText::taken},
        {L"braden.exe --patients 12 Z2001 张三", PatientArgument::absent, L"", L"", L"",
         PATIENT_BED, PatientText::taken},
        {L"\"C:\\--patient\\braden.exe\" 12 Z2001 张三", PatientArgument::absent, L"", L"", L"",
         PATIENT_BED, PatientText::taken},
        {L"braden.exe --selftest r.txt --patient 12 Z2001 张三", PatientArgument::taken, L"12",
         L"Z2001", L"张三", PATIENT_BED, PatientText::taken},
    };
    for (const auto& c : cases) {
        PatientFields patient;
        for (auto& field : patient.text) text_copy(field, PATIENT_FIELD_CAPACITY, L"old");
        const PatientArgumentRead read = patient_from_command_line(c.line, &patient);
        EXPECT_EQ(read.result, c.result) << c.line;
        EXPECT_STREQ(patient.text[PATIENT_BED], c.bed) << c.line;
        EXPECT_STREQ(patient.text[PATIENT_NUMBER], c.number) << c.line;
        EXPECT_STREQ(patient.text[PATIENT_NAME], c.name) << c.line;
        EXPECT_STREQ(patient.text[PATIENT_ASSESSOR], L"") << c.line;
        if (c.result != PatientArgument::refused) continue;
        EXPECT_EQ(read.field, c.refused) << c.line;
        EXPECT_EQ(read.why, c.why) << c.line;
    }
    // A value far longer than any field is refused whole, never cut to a shorter one.
    std::wstring line =
        L"braden.exe --patient 1 " + std::wstring(PATIENT_TYPED_CAPACITY + 5, L'9') + L" 张三";
    PatientFields patient;
    const PatientArgumentRead read = patient_from_command_line(line.c_str(), &patient);
    EXPECT_EQ(read.result, PatientArgument::refused);
    EXPECT_EQ(read.field, PATIENT_NUMBER);
    EXPECT_EQ(read.why, PatientText::too_long);
    // The self-test runs beside a patient, and only a whole "--selftest" starts it.
    wchar_t path[SELFTEST_PATH_CAPACITY];
    EXPECT_TRUE(selftest_path_from_command_line(L"braden.exe --patient 1 2 3 --selftest r.txt",
                                                path, SELFTEST_PATH_CAPACITY));
    EXPECT_STREQ(path, L"r.txt");
    EXPECT_FALSE(selftest_path_from_command_line(L"braden.exe --patient \"--selftest x\" 2 3", path,
                                                 SELFTEST_PATH_CAPACITY));
}

// What the toolbox passes reads back as exactly the strip's texts, whatever they hold; a line that
// would be cut is refused, never passed short.
TEST(CommandLine, ThePatientPassedIsThePatientRead) {
    const std::vector<std::vector<std::wstring>> patients = {
        {L"12", L"Z2001", L"张 三"}, {L"", L"Z2001", L""},        {L"\\", L"a\\\"b", L"\""},
        {L"3", L"", L"O'Brien \\"},  {L"加1", L"Z 1\\", L"\"\""},
    };
    for (const auto& fields : patients) {
        PatientFields sent;
        patient_fields_clear(&sent);
        for (int f = 0; f < 3; ++f)
            text_copy(sent.text[f], PATIENT_FIELD_CAPACITY, fields[f].c_str());
        wchar_t line[COMMAND_LINE_CAPACITY];
        ASSERT_TRUE(build_patient_command_line(L"C:\\Program Files\\HalviMed\\braden.exe", sent,
                                               line, COMMAND_LINE_CAPACITY));
        PatientFields read;
        EXPECT_EQ(patient_from_command_line(line, &read).result, PatientArgument::taken) << line;
        for (int f = 0; f < 3; ++f) EXPECT_STREQ(read.text[f], sent.text[f]) << line;
    }
    PatientFields nobody;
    patient_fields_clear(&nobody);
    wchar_t line[64];
    ASSERT_TRUE(build_patient_command_line(L"C:\\a b\\braden.exe", nobody, line, 64));
    EXPECT_STREQ(line, L"\"C:\\a b\\braden.exe\"") << "no patient: the program alone";
    PatientFields named = nobody;
    text_copy(named.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, L"张三");
    const wchar_t* program = L"C:\\braden.exe";
    // "C:\braden.exe" --patient "" "" 张三: 34 characters. A line that fills the buffer to its last
    // place cannot be told from a cut one, so 36 is the least capacity that passes it.
    EXPECT_TRUE(build_patient_command_line(program, named, line, 36));
    EXPECT_STREQ(line, L"\"C:\\braden.exe\" --patient \"\" \"\" 张三");
    EXPECT_FALSE(build_patient_command_line(program, named, line, 35));
    EXPECT_STREQ(line, L"");
}

} // namespace
