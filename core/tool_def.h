// The static description of the one tool a program shows: inputs, outputs defined by formulas,
// verdict rules defined by conditions, and a report kind. All of it is constant data.
#pragma once

#include <initializer_list>
#include <limits>

constexpr int TOOL_MAX_INPUTS = 16;
constexpr int TOOL_MAX_OUTPUTS = 16;

// The lowest and highest value of an input that declares no accepted values.
constexpr double INPUT_NOT_DECLARED = std::numeric_limits<double>::quiet_NaN();

constexpr int INPUT_MAX_CHOICES = 8;

// A short list of the only values an input accepts, written as a braced list in the descriptor
// (.choices = {10, 15, 20, 60}), smallest first. count is the length of that list, so that a
// descriptor that names more than INPUT_MAX_CHOICES values is seen (and fails its test) rather
// than cut; values holds the first INPUT_MAX_CHOICES of them.
struct InputChoices {
    double values[INPUT_MAX_CHOICES] = {};
    int count = 0;
    constexpr InputChoices() = default;
    constexpr InputChoices(std::initializer_list<double> list)
        : count(static_cast<int>(list.size())) {
        int i = 0;
        for (const double value : list) {
            if (i < INPUT_MAX_CHOICES) values[i++] = value;
        }
    }
};

struct InputDef {
    const char* key;
    const wchar_t* label;
    const wchar_t* unit;
    double default_value;
    // What the input means, shown beside the inputs while its edit has (last had) the focus:
    // lines separated by CR LF, such as the meaning of each score or code. May be null.
    const wchar_t* guide = nullptr;
    // The values the input accepts: lowest to highest, both included, in steps of step counted
    // from lowest (0: any value in between). An input that leaves lowest and highest out
    // declares nothing and reads any finite number.
    double lowest = INPUT_NOT_DECLARED;
    double highest = INPUT_NOT_DECLARED;
    double step = 0;
    // When not empty, the only values the input accepts (lowest and highest still name the
    // smallest and the largest of them).
    InputChoices choices = {};
};

struct OutputDef {
    const char* key;
    const wchar_t* label;
    const wchar_t* unit = nullptr;
    const char* formula = nullptr;
    const char* format = nullptr;
};

struct RuleDef {
    const char* condition;
    int level;
    const wchar_t* verdict;
};

// A descriptor names what it has and leaves the rest out: a tool with a report has no outputs or
// rules, and a tool of formulas and rules has report kind 0.
struct ToolDef {
    int id;
    const wchar_t* title;
    const wchar_t* subtitle = nullptr;
    const wchar_t* category;
    const wchar_t* reference;
    const wchar_t* note = nullptr;
    int input_count = 0;
    const InputDef* inputs = nullptr;
    int output_count = 0;
    const OutputDef* outputs = nullptr;
    int rule_count = 0;
    const RuleDef* rules = nullptr;
    int report_kind = 0;
    // The input edits start empty, and Reset empties them, so that nothing is recorded that the
    // nurse has not typed: an assessment scale must not open on a reassuring grade. The defaults
    // are still what the self-test computes.
    bool blank_at_start = false;
    // The key of the output that stands for the whole assessment (a scale's total, a rate): the
    // value a record carries as its headline and a chart plots. A tool of formulas names one; a
    // tool with a report names none.
    const char* headline = nullptr;
};

// The number of inputs and outputs that the frame works with: the descriptor's counts, never more
// than its 16-slot tables hold.
inline int tool_input_count(const ToolDef& tool) {
    return tool.input_count < TOOL_MAX_INPUTS ? tool.input_count : TOOL_MAX_INPUTS;
}
inline int tool_output_count(const ToolDef& tool) {
    return tool.output_count < TOOL_MAX_OUTPUTS ? tool.output_count : TOOL_MAX_OUTPUTS;
}

// The index of the headline among the outputs, or -1 when the tool names none (or a key that is
// not one of its outputs).
int tool_headline_index(const ToolDef& tool);

// The program's one tool. Defined by the program's one tool file in tools/, which each program
// links: the frame itself holds no tool.
const ToolDef* get_tool();
