// The entry flow's command-line parsing, on any line of any length: the self-test starts exactly
// when an argument is the switch, the path is terminated within its capacity, and a line rebuilt
// from arguments splits back into them.
#include <cstring>
#include <cwchar>

#include "app/command_line.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int capacity = 1 + input.byte() % SELFTEST_PATH_CAPACITY;
    static wchar_t line[1 << 15];
    input.wide_text(line, sizeof line / sizeof line[0], sizeof line / sizeof line[0]);
    static wchar_t path[SELFTEST_PATH_CAPACITY + 16];
    for (wchar_t& c : path) c = 0x5A5A;
    const bool found = selftest_path_from_command_line(line, path, capacity);
    // The self-test starts exactly when an argument after the program's name is the switch.
    static wchar_t argument[1 << 15];
    int length = 0;
    bool has_switch = false;
    const wchar_t* p = command_line_argument(line, true, argument, 1 << 15, &length);
    FUZZ_CHECK(p != nullptr && terminated_within(argument, 1 << 15));
    while ((p = command_line_argument(p, false, argument, 1 << 15, &length)) != nullptr) {
        FUZZ_CHECK(length == static_cast<int>(std::wcslen(argument)));
        if (std::wcscmp(argument, L"--selftest") == 0) has_switch = true;
    }
    FUZZ_CHECK(found == has_switch);
    if (found) {
        FUZZ_CHECK(terminated_within(path, capacity));
        for (int i = capacity; i < SELFTEST_PATH_CAPACITY + 16; ++i) FUZZ_CHECK(path[i] == 0x5A5A);
    }

    // Rebuilding a line from arguments split out of the same bytes.
    char arguments[4][256];
    const char* argv[4];
    for (int i = 0; i < 4; ++i) {
        input.text(arguments[i], sizeof arguments[i], sizeof arguments[i]);
        argv[i] = arguments[i];
    }
    const int rebuilt_capacity = 1 + input.byte();
    wchar_t rebuilt[256 + 16];
    for (wchar_t& c : rebuilt) c = 0x5A5A;
    command_line_from_arguments(4, argv, rebuilt, rebuilt_capacity);
    FUZZ_CHECK(terminated_within(rebuilt, rebuilt_capacity));
    for (int i = rebuilt_capacity; i < 256 + 16; ++i) FUZZ_CHECK(rebuilt[i] == 0x5A5A);
    // With room for it all, the line splits back into the same arguments (the program's name
    // has no escapes, and a file name never holds a quote: lines whose name does are left out;
    // only the later arguments are compared, and only those in ASCII).
    static wchar_t whole[4 * 256 * 6 + 16];
    command_line_from_arguments(4, argv, whole, sizeof whole / sizeof whole[0]);
    const wchar_t* q = command_line_argument(whole, true, argument, 1 << 15, &length);
    const bool name_quoted = std::strchr(arguments[0], '"') != nullptr;
    for (int i = 1; i < 4 && q != nullptr && !name_quoted; ++i) {
        q = command_line_argument(q, false, argument, 1 << 15, &length);
        bool plain = true;
        for (const char* c = arguments[i]; *c != 0; ++c) plain = plain && (*c & 0x80) == 0;
        if (plain && q != nullptr) {
            for (int k = 0; k <= static_cast<int>(std::strlen(arguments[i])); ++k)
                FUZZ_CHECK(argument[k] == static_cast<wchar_t>(arguments[i][k]));
        }
    }
    return 0;
}
