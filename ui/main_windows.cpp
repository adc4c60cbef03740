// The Windows entry point. The command line is read whole with GetCommandLineW; the arguments
// and show command that Windows passes are not used.
#include <windows.h>

#include "app/entry.h"
#include "core/tool_def.h"
#include "ui/gui.h"

namespace {

int open_window(const ToolDef& tool, void* context) {
    SetProcessDPIAware();
    return gui_run(static_cast<HINSTANCE>(context), &tool);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return entry_run(GetCommandLineW(), *get_tool(), open_window, instance);
}
