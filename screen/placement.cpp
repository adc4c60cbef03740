#include "screen/placement.h"

namespace {

// One axis: centred in the span from start, or at start when it does not fit.
int centred(int size, int start, int span) {
    return size >= span ? start : start + (span - size) / 2;
}

} // namespace

WindowPlace place_in_work_area(int width, int height, const LayoutRect& work) {
    return {centred(width, work.x, work.width), centred(height, work.y, work.height)};
}
