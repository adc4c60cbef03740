#include "toolbox/toolbox_list.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "core/text.h"

const wchar_t* const TOOLBOX_CATEGORY_ORDER[4] = {L"护理", L"用药", L"检验", L"手术"};

namespace {

constexpr int FOLDED_CAPACITY = 256;

// The character as it is compared: full-width forms as their ASCII twins, ASCII lower case.
wchar_t folded(wchar_t c) {
    c = text_ascii_twin(c);
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool contains(const wchar_t* text, const wchar_t* part) {
    if (text == nullptr) return false;
    for (int start = 0; text[start] != L'\0'; ++start) {
        int i = 0;
        while (part[i] != L'\0' && text[start + i] != L'\0' &&
               folded(text[start + i]) == folded(part[i]))
            ++i;
        if (part[i] == L'\0') return true;
    }
    return false;
}

void add_row(ToolboxList* list, bool heading, int program, const wchar_t* category) {
    if (list->count >= TOOLBOX_MAX_ROWS) return;
    list->rows[list->count++] = ToolboxRow{heading, program, category};
}

// Adds the heading and the matching programs of one category, if any match.
void add_category(const ToolProgram* programs, int count, const wchar_t* filter,
                  const wchar_t* category, ToolboxList* list) {
    bool headed = false;
    for (int p = 0; p < count; ++p) {
        const ToolDef& tool = *programs[p].tool;
        if (!text_equal(tool.category, category) || !toolbox_program_matches(programs[p], filter))
            continue;
        if (!headed) add_row(list, true, -1, category);
        headed = true;
        add_row(list, false, p, category);
    }
}

bool is_ordered_category(const wchar_t* category) {
    return std::any_of(std::begin(TOOLBOX_CATEGORY_ORDER), std::end(TOOLBOX_CATEGORY_ORDER),
                       [&](const wchar_t* ordered) { return text_equal(ordered, category); });
}

// True when an earlier program has the same category.
bool seen_before(const ToolProgram* programs, int index) {
    for (int p = 0; p < index; ++p)
        if (text_equal(programs[p].tool->category, programs[index].tool->category)) return true;
    return false;
}

} // namespace

bool toolbox_program_matches(const ToolProgram& program, const wchar_t* filter) {
    if (text_is_empty(filter)) return true;
    wchar_t name[FOLDED_CAPACITY];
    int length = 0;
    for (const char* c = program.name; *c != '\0' && length < FOLDED_CAPACITY - 1; ++c)
        name[length++] = static_cast<wchar_t>(static_cast<unsigned char>(*c));
    name[length] = L'\0';
    const ToolDef& tool = *program.tool;
    return contains(tool.title, filter) || contains(tool.subtitle, filter) ||
           contains(name, filter);
}

void toolbox_build_list(const ToolProgram* programs, int count, const wchar_t* filter,
                        ToolboxList* list) {
    list->count = 0;
    for (const wchar_t* category : TOOLBOX_CATEGORY_ORDER)
        add_category(programs, count, filter, category, list);
    for (int p = 0; p < count; ++p) {
        const wchar_t* category = programs[p].tool->category;
        if (is_ordered_category(category) || seen_before(programs, p)) continue;
        add_category(programs, count, filter, category, list);
    }
}

int toolbox_program_row(const ToolboxList& list, int row, int step) {
    for (int r = row; r >= 0 && r < list.count; r += step)
        if (!list.rows[r].heading) return r;
    return -1;
}

bool is_windows_program_header(const unsigned char* bytes, int length) {
    constexpr int HEADER_OFFSET_AT = 0x3C; // where the MZ header keeps the PE header's offset
    if (bytes == nullptr || length < HEADER_OFFSET_AT + 4 || bytes[0] != 'M' || bytes[1] != 'Z')
        return false;
    const unsigned long offset = bytes[HEADER_OFFSET_AT] |
                                 (static_cast<unsigned long>(bytes[HEADER_OFFSET_AT + 1]) << 8) |
                                 (static_cast<unsigned long>(bytes[HEADER_OFFSET_AT + 2]) << 16) |
                                 (static_cast<unsigned long>(bytes[HEADER_OFFSET_AT + 3]) << 24);
    if (offset > static_cast<unsigned long>(length) - 4) return false;
    const unsigned char* signature = bytes + offset;
    return signature[0] == 'P' && signature[1] == 'E' && signature[2] == 0 && signature[3] == 0;
}

void toolbox_selftest_line(const ToolProgram& program, ProgramFile file, wchar_t* dest,
                           int capacity) {
    const wchar_t* word = file == ProgramFile::present
                              ? L"present"
                              : (file == ProgramFile::invalid ? L"invalid" : L"missing");
    text_format(dest, capacity, L"PROGRAM|%s|%ls|%ls|%ls\r\n", program.name, program.tool->title,
                program.tool->category, word);
}

int toolbox_selftest_report(const ToolProgram* programs, int count, ToolboxProgramPresent present,
                            void* context, wchar_t* report, int capacity) {
    constexpr int line_capacity = 512;
    text_copy(report, capacity, L"");
    int absent = 0;
    for (int p = 0; p < count; ++p) {
        const ProgramFile file = present(programs[p], context);
        if (file != ProgramFile::present) ++absent;
        wchar_t line[line_capacity];
        toolbox_selftest_line(programs[p], file, line, line_capacity);
        text_append(report, capacity, line);
    }
    return absent > 0 ? 2 : 0;
}

int toolbox_program_named(const char* name) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p)
        if (std::strcmp(TOOL_PROGRAMS[p].name, name) == 0) return p;
    return -1;
}

const ToolDef* toolbox_tool_named(const char* name) {
    const int program = toolbox_program_named(name);
    return program >= 0 ? TOOL_PROGRAMS[program].tool : nullptr;
}
