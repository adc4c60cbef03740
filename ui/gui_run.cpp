#include "ui/gui.h"

int gui_run(HINSTANCE instance, const ToolDef* tool) {
    (void)instance;
    (void)tool;
    return 1; // the window cannot be created yet
}
