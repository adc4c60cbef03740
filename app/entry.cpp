#include "app/entry.h"

#include "app/command_line.h"
#include "app/selftest.h"

int entry_run(const wchar_t* command_line, const ToolDef& tool, WindowRunner run_window,
              void* context) {
    wchar_t path[SELFTEST_PATH_CAPACITY];
    if (selftest_path_from_command_line(command_line, path, SELFTEST_PATH_CAPACITY)) {
        // An empty path is one too long to hold: no report is written, to it or to another file.
        if (path[0] == L'\0') return SELFTEST_WRITE_FAILED;
        return selftest_run(tool, path);
    }
    return run_window != nullptr ? run_window(tool, context) : 1;
}
