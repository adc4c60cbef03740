#include "core/accepted_values.h"

#include <cmath>

#include "core/text.h"

namespace {

constexpr double TOLERANCE = 1e-9;
// A step that gives at most this many values has them listed one by one.
constexpr int LISTED_VALUES_MAX = 4;

double magnitude(const InputDef& input) {
    const double larger = std::fmax(std::fabs(input.lowest), std::fabs(input.highest));
    return std::fmax(1.0, larger);
}

// The number of declared values of a stepped input (at least 1).
int step_count(const InputDef& input) {
    const double steps = std::floor((input.highest - input.lowest) / input.step + TOLERANCE);
    return steps < 0 ? 1 : (steps > 1e6 ? 1000001 : static_cast<int>(steps) + 1);
}

} // namespace

bool input_declares_accepted(const InputDef& input) {
    return !std::isnan(input.lowest) && !std::isnan(input.highest);
}

bool input_accepts(const InputDef& input, double value) {
    if (!std::isfinite(value)) return false;
    if (!input_declares_accepted(input)) return true;
    const double slack = TOLERANCE * magnitude(input);
    if (value < input.lowest - slack || value > input.highest + slack) return false;
    if (!(input.step > 0)) return true;
    const double steps = (value - input.lowest) / input.step;
    return std::fabs(steps - std::round(steps)) <= TOLERANCE * std::fmax(1.0, std::fabs(steps));
}

void build_accepted_text(const InputDef& input, wchar_t* dest, int capacity) {
    text_copy(dest, capacity, L"");
    if (!input_declares_accepted(input)) return;
    if (input.step == 1.0) {
        text_format(dest, capacity, L"%g 到 %g 的整数", input.lowest, input.highest);
        return;
    }
    if (input.step > 0) {
        const int count = step_count(input);
        if (count <= LISTED_VALUES_MAX) {
            for (int k = 0; k < count; ++k) {
                const wchar_t* joint = k == 0 ? L"" : (k + 1 == count ? L" 或 " : L"、");
                text_append_format(dest, capacity, L"%ls%g", joint, input.lowest + k * input.step);
            }
            return;
        }
        text_format(dest, capacity, L"%g 到 %g 之间、%g 的倍数", input.lowest, input.highest,
                    input.step);
        return;
    }
    text_format(dest, capacity, L"%g 到 %g 之间的数值", input.lowest, input.highest);
}
