// Sorting a short table in place, stably and without memory of its own (std::stable_sort takes a
// buffer from the heap): an insertion sort, for the few hundred rows of a list a window shows.
#pragma once

#include <utility>

// Sorts items[0..count) by before(a, b), items that compare equal keeping their order.
template <typename T, typename Before>
void stable_sort_in_place(T* items, int count, Before before) {
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0 && before(items[j], items[j - 1]); --j)
            std::swap(items[j], items[j - 1]);
}
