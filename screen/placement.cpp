#include "screen/placement.h"

namespace {

// One axis: centred in the span from start, or at start when it does not fit.
int centred(int size, int start, int span) {
    return size >= span ? start : start + (span - size) / 2;
}

// One axis: the position moved just far enough that the window lies in the span.
int kept(int position, int size, int start, int span) {
    if (size >= span || position < start) return start;
    const int last = start + span - size;
    return position > last ? last : position;
}

} // namespace

WindowPlace place_in_work_area(int width, int height, const LayoutRect& work) {
    return {centred(width, work.x, work.width), centred(height, work.y, work.height)};
}

WindowPlace keep_in_work_area(int x, int y, int width, int height, const LayoutRect& work) {
    return {kept(x, width, work.x, work.width), kept(y, height, work.y, work.height)};
}
