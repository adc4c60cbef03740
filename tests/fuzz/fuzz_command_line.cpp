// The entry flow's command-line parsing, on any line of any length: the path is terminated
// within its capacity and is what follows the switch.
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
    FUZZ_CHECK(found == (std::wcsstr(line, L"--selftest") != nullptr));
    if (found) {
        FUZZ_CHECK(terminated_within(path, capacity));
        for (int i = capacity; i < SELFTEST_PATH_CAPACITY + 16; ++i) FUZZ_CHECK(path[i] == 0x5A5A);
        // A taken path never holds a quote, and a bare path never a space.
        const wchar_t* after = std::wcsstr(line, L"--selftest") + 10;
        while (*after == L' ') ++after;
        if (*after == L'"')
            FUZZ_CHECK(std::wcschr(path, L'"') == nullptr);
        else
            FUZZ_CHECK(std::wcschr(path, L' ') == nullptr);
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
    return 0;
}
