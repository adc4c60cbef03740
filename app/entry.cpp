#include "app/entry.h"

#include "app/command_line.h"
#include "app/selftest.h"

int entry_run(const wchar_t* command_line, WindowRunner run_window, void* context) {
    wchar_t path[SELFTEST_PATH_CAPACITY];
    if (selftest_path_from_command_line(command_line, path, SELFTEST_PATH_CAPACITY))
        return selftest_run(path);
    return run_window != nullptr ? run_window(context) : 1;
}
