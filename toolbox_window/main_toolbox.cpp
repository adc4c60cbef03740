// The toolbox's entry point: "--selftest [path]" checks that every program of the suite lies
// beside the toolbox and writes the report; otherwise the window opens.
#include <windows.h>

#include "app/command_line.h"
#include "app/selftest.h"
#include "app/utf8_file.h"
#include "toolbox/toolbox_list.h"
#include "toolbox_window/toolbox_window.h"
#include "window_kit/dll_search.h"

namespace {

constexpr int REPORT_CAPACITY = 8192;
constexpr int PATH_CAPACITY = 520;

ProgramFile program_present(const ToolProgram& program, void*) {
    wchar_t path[PATH_CAPACITY];
    if (!toolbox_program_path(program.name, path, PATH_CAPACITY) || !file_present(path))
        return ProgramFile::missing;
    return file_is_windows_program(path) ? ProgramFile::present : ProgramFile::invalid;
}

int run_selftest(const wchar_t* path) {
    if (path[0] == L'\0') return SELFTEST_WRITE_FAILED; // too long to hold
    static wchar_t report[REPORT_CAPACITY];
    const int code = toolbox_selftest_report(TOOL_PROGRAMS, TOOL_PROGRAM_COUNT, program_present,
                                             nullptr, report, REPORT_CAPACITY);
    if (!write_utf8_file(path, report)) return SELFTEST_WRITE_FAILED;
    return code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    restrict_dll_search_to_system32();
    wchar_t path[SELFTEST_PATH_CAPACITY];
    if (selftest_path_from_command_line(GetCommandLineW(), path, SELFTEST_PATH_CAPACITY))
        return run_selftest(path);
    return toolbox_run(instance);
}
