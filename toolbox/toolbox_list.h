// The toolbox's list of programs: grouped by category in a fixed order, narrowed by what the
// nurse types, and the self-test's lines. Portable: the window and the tests build on it.
#pragma once

#include "tools/catalog.h"

// A row of the list: a category heading, or a program (an index into TOOL_PROGRAMS).
struct ToolboxRow {
    bool heading;
    int program;             // -1 for a heading
    const wchar_t* category; // the heading's category, or the program's
};

constexpr int TOOLBOX_MAX_ROWS = 64;
// Every program and a heading for each of their categories, at most one per program.
static_assert(TOOLBOX_MAX_ROWS >= 2 * TOOL_CATALOG_SIZE, "the toolbox must list every program");
constexpr int TOOLBOX_FILTER_CAPACITY = 64;

struct ToolboxList {
    ToolboxRow rows[TOOLBOX_MAX_ROWS];
    int count;
};

// The categories that come first, in this order; the others follow in the order they appear.
extern const wchar_t* const TOOLBOX_CATEGORY_ORDER[4];

// True when filter is empty, or when the program's title, subtitle or file name contains it.
// ASCII letters match in either case, and full-width forms (Ａ to ｚ, ０ to ９, the ideographic
// space) match their ASCII twins.
bool toolbox_program_matches(const ToolProgram& program, const wchar_t* filter);

// The descriptor of the catalog's program of that file name; null when there is none.
const ToolDef* toolbox_tool_named(const char* name);

// The catalogue's index of the program of that file name; -1 when there is none.
int toolbox_program_named(const char* name);

// The rows for a filter: every category with a matching program gets a heading, then those
// programs in the order of the catalogue. Categories in TOOLBOX_CATEGORY_ORDER first.
void toolbox_build_list(const ToolProgram* programs, int count, const wchar_t* filter,
                        ToolboxList* list);

// The first program row at or after row (step 1) or at or before it (step -1); -1 when none.
int toolbox_program_row(const ToolboxList& list, int row, int step);

// What lies at a program's place beside the toolbox.
enum class ProgramFile {
    missing, // no file there
    present, // a Windows program
    invalid, // a file, but no Windows program (empty, cut short, or something else)
};

// True when the first length bytes of a file begin a Windows program: the MZ header, and at the
// offset it names (within those bytes) the PE signature.
bool is_windows_program_header(const unsigned char* bytes, int length);

// The self-test line of one program: "PROGRAM|name|title|category|present", "…|missing" or
// "…|invalid", with CR LF.
void toolbox_selftest_line(const ToolProgram& program, ProgramFile file, wchar_t* dest,
                           int capacity);

// What a program's file is; context is the caller's.
using ToolboxProgramPresent = ProgramFile (*)(const ToolProgram& program, void* context);

// The self-test report: one line per program in the catalogue's order. Returns 0 when every
// program is present, 2 when one is missing or invalid.
int toolbox_selftest_report(const ToolProgram* programs, int count, ToolboxProgramPresent present,
                            void* context, wchar_t* report, int capacity);
