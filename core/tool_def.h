// The static description of the one tool a program shows: inputs, outputs defined by formulas,
// verdict rules defined by conditions, and a report kind. All of it is constant data.
#pragma once

constexpr int TOOL_MAX_INPUTS = 16;
constexpr int TOOL_MAX_OUTPUTS = 16;

struct InputDef {
    const char* key;
    const wchar_t* label;
    const wchar_t* unit;
    double default_value;
    // What the input means, shown beside the inputs while its edit has (last had) the focus:
    // lines separated by CR LF, such as the meaning of each score or code. May be null.
    const wchar_t* guide = nullptr;
};

struct OutputDef {
    const char* key;
    const wchar_t* label;
    const wchar_t* unit;
    const char* formula;
    const char* format;
};

struct RuleDef {
    const char* condition;
    int level;
    const wchar_t* verdict;
};

struct ToolDef {
    int id;
    const wchar_t* title;
    const wchar_t* subtitle;
    const wchar_t* category;
    const wchar_t* reference;
    const wchar_t* note;
    int input_count;
    const InputDef* inputs;
    int output_count;
    const OutputDef* outputs;
    int rule_count;
    const RuleDef* rules;
    int report_kind;
};

// The number of inputs and outputs that the frame works with: the descriptor's counts, never more
// than its 16-slot tables hold.
inline int tool_input_count(const ToolDef& tool) {
    return tool.input_count < TOOL_MAX_INPUTS ? tool.input_count : TOOL_MAX_INPUTS;
}
inline int tool_output_count(const ToolDef& tool) {
    return tool.output_count < TOOL_MAX_OUTPUTS ? tool.output_count : TOOL_MAX_OUTPUTS;
}

// The program's one tool. Defined by the program's one tool file in tools/, which each program
// links: the frame itself holds no tool.
const ToolDef* get_tool();
