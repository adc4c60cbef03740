#include "engine/band_edges.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/accepted_values.h"
#include "expr/expr.h"

namespace {

constexpr int MAX_SAMPLES = 2048;
// An input that takes any value in its range is walked in this many steps.
constexpr int UNSTEPPED_STEPS = 64;
// The coarse pass over the headline's range; each change it finds is narrowed to the format's
// resolution.
constexpr int COARSE_STEPS = 4096;

struct Sample {
    double headline;
    double inputs[TOOL_MAX_INPUTS];
};

struct Walk {
    Sample samples[MAX_SAMPLES];
    int count;
};

// The headline's value for the inputs, with every output before it evaluated in order.
double headline_of(const ToolDef& tool, int headline, const double* inputs) {
    double table[TOOL_MAX_OUTPUTS] = {};
    for (int i = 0; i <= headline; ++i) {
        int error = 0;
        table[i] = expr_evaluate(tool, tool.outputs[i].formula, inputs, table, &error);
        if (error != 0) table[i] = std::nan("");
    }
    return table[headline];
}

// How many values the walk takes of the input, and the k-th of them.
int walk_count(const InputDef& input) {
    if (!input_declares_accepted(input)) return 1;
    const int declared = input_declared_count(input);
    return declared > 0 ? declared : UNSTEPPED_STEPS + 1;
}
double walk_value(const InputDef& input, int k) {
    if (!input_declares_accepted(input)) return input.default_value;
    if (input_choice_count(input) > 0) return input.choices.values[k];
    if (input.step > 0) return input.lowest + k * input.step;
    return input.lowest + (input.highest - input.lowest) * k / UNSTEPPED_STEPS;
}

void add_sample(const ToolDef& tool, int headline, const double* inputs, Walk* walk) {
    if (walk->count == MAX_SAMPLES) return;
    const double value = headline_of(tool, headline, inputs);
    if (!std::isfinite(value)) return;
    Sample& sample = walk->samples[walk->count++];
    sample.headline = value;
    std::copy(inputs, inputs + TOOL_MAX_INPUTS, sample.inputs);
}

// Two walks: from every input at its lowest, each input in turn through its values and left at
// its highest, so that a sum climbs from its least to its most; and from the defaults, each input
// alone through its values, so that a score of bands is seen near its normal range.
void walk_inputs(const ToolDef& tool, int headline, Walk* walk) {
    walk->count = 0;
    const int n = tool_input_count(tool);
    double inputs[TOOL_MAX_INPUTS] = {};
    for (int i = 0; i < n; ++i) inputs[i] = walk_value(tool.inputs[i], 0);
    add_sample(tool, headline, inputs, walk);
    for (int i = 0; i < n; ++i) {
        const int count = walk_count(tool.inputs[i]);
        for (int k = 1; k < count; ++k) {
            inputs[i] = walk_value(tool.inputs[i], k);
            add_sample(tool, headline, inputs, walk);
        }
    }
    for (int i = 0; i < n; ++i) inputs[i] = tool.inputs[i].default_value;
    add_sample(tool, headline, inputs, walk);
    for (int i = 0; i < n; ++i) {
        const int count = walk_count(tool.inputs[i]);
        for (int k = 0; k < count; ++k) {
            inputs[i] = walk_value(tool.inputs[i], k);
            add_sample(tool, headline, inputs, walk);
        }
        inputs[i] = tool.inputs[i].default_value;
    }
    std::sort(walk->samples, walk->samples + walk->count,
              [](const Sample& a, const Sample& b) { return a.headline < b.headline; });
}

// The inputs of the sample whose headline is nearest the value.
const double* nearest_inputs(const Walk& walk, double value) {
    const Sample* end = walk.samples + walk.count;
    const Sample* above = std::lower_bound(
        walk.samples, end, value, [](const Sample& s, double v) { return s.headline < v; });
    if (above == end) return (end - 1)->inputs;
    if (above == walk.samples) return above->inputs;
    const Sample* below = above - 1;
    return value - below->headline <= above->headline - value ? below->inputs : above->inputs;
}

// The level the rules give with the headline output at the value, the other outputs 0, and the
// inputs of the walk nearest it.
int level_at(const ToolDef& tool, int headline, const Walk& walk, double value) {
    double table[TOOL_MAX_OUTPUTS] = {};
    table[headline] = value;
    const double* inputs = nearest_inputs(walk, value);
    for (int r = 0; r < tool.rule_count; ++r) {
        const RuleDef& rule = tool.rules[r];
        if (rule.condition == nullptr) continue;
        if (rule.condition[0] == '\0') return rule.level;
        int error = 0;
        const double result = expr_evaluate(tool, rule.condition, inputs, table, &error);
        if (error == 0 && result != 0.0) return rule.level;
    }
    return 0;
}

// Steps per unit of the smallest change the headline's format shows: 10 for "f1".
double steps_per_unit(const char* format) {
    if (format != nullptr) {
        if (std::strcmp(format, "f1") == 0) return 10;
        if (std::strcmp(format, "f2") == 0) return 100;
        if (std::strcmp(format, "f3") == 0) return 1000;
    }
    return 1;
}

} // namespace

int rule_band_edges(const ToolDef& tool, double* edges, int capacity) {
    const int headline = tool_headline_index(tool);
    if (headline < 0 || capacity <= 0) return 0;
    static Walk walk; // one thread; too large for its stack
    walk_inputs(tool, headline, &walk);
    if (walk.count == 0) return 0;
    // The headline on the lattice of its format: step k stands for k / per_unit.
    const double per_unit = steps_per_unit(tool.outputs[headline].format);
    const double first = std::floor(walk.samples[0].headline * per_unit);
    const double last = std::ceil(walk.samples[walk.count - 1].headline * per_unit);
    const double stride = std::max(1.0, std::ceil((last - first) / COARSE_STEPS));
    const auto level_of_step = [&](double k) {
        return level_at(tool, headline, walk, k / per_unit);
    };
    int count = 0;
    double low = first;
    int low_level = level_of_step(low);
    while (low < last && count < capacity) {
        const double high = std::min(low + stride, last);
        const int high_level = level_of_step(high);
        if (high_level != low_level) {
            // Narrow the change down to two neighbouring steps.
            double a = low;
            double b = high;
            while (b - a > 1) {
                const double middle = std::floor((a + b) / 2);
                if (level_of_step(middle) == low_level)
                    a = middle;
                else
                    b = middle;
            }
            const double edge = (a + b) / 2 / per_unit;
            if (count == 0 || edges[count - 1] != edge) edges[count++] = edge;
        }
        low = high;
        low_level = high_level;
    }
    return count;
}
