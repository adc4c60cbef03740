// Where a fixed-size window goes: centred in the work area of a monitor (the screen without its
// taskbar), never with its caption outside it.
#pragma once

#include "screen/layout.h"

struct WindowPlace {
    int x;
    int y;
};

// The top-left corner of a window of outer size width x height centred in work. A window larger
// than the work area starts at its left or top edge, so that the caption stays reachable.
WindowPlace place_in_work_area(int width, int height, const LayoutRect& work);

// The top-left corner nearest to (x, y) at which a window of that outer size lies inside work, or
// at work's left or top edge on an axis where it does not fit: where a window moved to another
// monitor goes.
WindowPlace keep_in_work_area(int x, int y, int width, int height, const LayoutRect& work);
