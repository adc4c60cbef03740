#include "core/accepted_values.h"

#include <cmath>
#include <cstdlib>

#include "core/text.h"

namespace {

// The slack of a typed value, as a fraction of a step (or of the range, or of the gap between
// choices): far below any difference that a typed text can show, far above binary rounding.
constexpr double TOLERANCE = 1e-9;
// A step that gives at most this many values has them listed one by one.
constexpr int LISTED_VALUES_MAX = 4;
// The most decimals a declared value is written with.
constexpr int DECIMALS_MAX = 17;

// The number of declared values of a stepped input (at least 1).
int step_count(const InputDef& input) {
    const double steps = std::floor((input.highest - input.lowest) / input.step + TOLERANCE);
    return steps < 0 ? 1 : (steps > 1e6 ? 1000001 : static_cast<int>(steps) + 1);
}

// Reads back what text_format wrote.
double read_number(const wchar_t* text) {
    char ascii[64] = {};
    for (int i = 0; i < 63 && text[i] != L'\0'; ++i) ascii[i] = static_cast<char>(text[i]);
    return std::strtod(ascii, nullptr);
}

// value written with decimals digits after the point and read back.
double rounded_to(double value, int decimals) {
    wchar_t text[64];
    text_format(text, 64, L"%.*f", decimals, value);
    return read_number(text);
}

// The fewest decimals that write value exactly as the descriptor wrote it (0.25: 2; 36: 0).
int decimals_of(double value) {
    for (int d = 0; d < DECIMALS_MAX; ++d) {
        if (rounded_to(value, d) == value) return d;
    }
    return DECIMALS_MAX;
}

// "a、b、c 或 d".
void append_value_list(wchar_t* dest, int capacity, const double* values, int count) {
    for (int k = 0; k < count; ++k) {
        const wchar_t* joint = k == 0 ? L"" : (k + 1 == count ? L" 或 " : L"、");
        text_append_format(dest, capacity, L"%ls%g", joint, values[k]);
    }
}

double without_minus_zero(double value) { return value == 0.0 ? 0.0 : value; }

bool stepped_value(const InputDef& input, double typed, double* declared) {
    const double k = std::round((typed - input.lowest) / input.step);
    if (k < 0 || k > step_count(input) - 1) return false;
    const int decimals_step = decimals_of(input.step);
    const int decimals_lowest = decimals_of(input.lowest);
    const int decimals = decimals_step > decimals_lowest ? decimals_step : decimals_lowest;
    const double value = rounded_to(input.lowest + k * input.step, decimals);
    if (std::fabs(typed - value) > TOLERANCE * input.step) return false;
    *declared = value;
    return true;
}

bool listed_value(const InputDef& input, double typed, double* declared) {
    const int count = input_choice_count(input);
    for (int i = 0; i < count; ++i) {
        const double choice = input.choices.values[i];
        double gap = 1.0;
        if (i > 0) gap = choice - input.choices.values[i - 1];
        if (i + 1 < count && input.choices.values[i + 1] - choice < gap)
            gap = input.choices.values[i + 1] - choice;
        if (std::fabs(typed - choice) <= TOLERANCE * std::fabs(gap)) {
            *declared = choice;
            return true;
        }
    }
    return false;
}

bool ranged_value(const InputDef& input, double typed, double* declared) {
    const double slack = TOLERANCE * (input.highest - input.lowest);
    if (typed < input.lowest - slack || typed > input.highest + slack) return false;
    // Within the slack beyond an edge is the edge: no value outside the range goes on.
    *declared = std::fmin(std::fmax(typed, input.lowest), input.highest);
    return true;
}

} // namespace

bool input_declares_accepted(const InputDef& input) {
    return input_choice_count(input) > 0 ||
           (!std::isnan(input.lowest) && !std::isnan(input.highest));
}

int input_declared_count(const InputDef& input) {
    if (input_choice_count(input) > 0) return input_choice_count(input);
    return input_declares_accepted(input) && input.step > 0 ? step_count(input) : 0;
}

int input_choice_count(const InputDef& input) {
    const int count = input.choices.count;
    return count < 0 ? 0 : (count > INPUT_MAX_CHOICES ? INPUT_MAX_CHOICES : count);
}

bool input_declared_value(const InputDef& input, double typed, double* declared) {
    if (!std::isfinite(typed)) return false;
    double value = typed;
    bool accepted = true;
    if (input_choice_count(input) > 0) {
        accepted = listed_value(input, typed, &value);
    } else if (input_declares_accepted(input)) {
        accepted = input.step > 0 ? stepped_value(input, typed, &value)
                                  : ranged_value(input, typed, &value);
    }
    if (accepted && declared != nullptr) *declared = without_minus_zero(value);
    return accepted;
}

bool input_accepts(const InputDef& input, double value) {
    return input_declared_value(input, value, nullptr);
}

void build_accepted_text(const InputDef& input, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"");
    const int choices = input_choice_count(input);
    if (choices > 0) {
        append_value_list(dest, capacity, input.choices.values, choices);
        return;
    }
    if (!input_declares_accepted(input)) return;
    if (input.step == 1.0) {
        text_format(dest, capacity, L"%g 到 %g 的整数", input.lowest, input.highest);
        return;
    }
    if (input.step > 0) {
        const int count = step_count(input);
        if (count <= LISTED_VALUES_MAX) {
            double values[LISTED_VALUES_MAX];
            for (int k = 0; k < count; ++k) values[k] = input.lowest + k * input.step;
            append_value_list(dest, capacity, values, count);
            return;
        }
        text_format(dest, capacity, L"%g 到 %g 之间、%g 的倍数", input.lowest, input.highest,
                    input.step);
        return;
    }
    text_format(dest, capacity, L"%g 到 %g 之间的数值", input.lowest, input.highest);
}
