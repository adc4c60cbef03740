// The toolbox's rows as texts, for the tests: a heading as its category (after a prefix), a
// program as its title.
#pragma once

#include <string>
#include <vector>

#include "toolbox/toolbox_list.h"

inline std::vector<std::wstring> toolbox_row_texts(const ToolProgram* programs, int count,
                                                   const wchar_t* filter,
                                                   const wchar_t* heading_prefix) {
    ToolboxList list;
    toolbox_build_list(programs, count, filter, &list);
    std::vector<std::wstring> texts;
    for (int r = 0; r < list.count; ++r) {
        const ToolboxRow& row = list.rows[r];
        texts.push_back(row.heading ? heading_prefix + std::wstring(row.category)
                                    : std::wstring(programs[row.program].tool->title));
    }
    return texts;
}
