// The Windows entry point. The command line is read whole with GetCommandLineW and split as
// Windows splits it; the show command that Windows passes is not used.
#include <windows.h>

#include "app/entry.h"
#include "core/tool_def.h"
#include "ui/gui.h"
#include "window_kit/dll_search.h"

namespace {

int open_window(const ToolDef& tool, void* context) {
    return gui_run(static_cast<HINSTANCE>(context), &tool);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    restrict_dll_search_to_system32();
    return entry_run(GetCommandLineW(), *get_tool(), open_window, instance);
}
