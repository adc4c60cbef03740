// The Linux entry point: the same entry flow as on Windows, headless only.
#include <cstdio>

#include "app/command_line.h"
#include "app/entry.h"
#include "core/tool_def.h"

namespace {

int window_unavailable(const ToolDef&, void*) {
    const char* message = "The window needs Windows (or Wine); --selftest [path] runs headless.\n";
    static_cast<void>(std::fputs(message, stderr)); // nothing more to do if stderr is gone
    return 1;
}

wchar_t command_line[COMMAND_LINE_CAPACITY];

} // namespace

int main(int argc, char** argv) {
    command_line_from_arguments(argc, argv, command_line, COMMAND_LINE_CAPACITY);
    return entry_run(command_line, *get_tool(), window_unavailable, nullptr);
}
