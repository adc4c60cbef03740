// expr_evaluate on any text against a tool with several keys, a long one and one that is a
// function name: the error flag is 0 or 1, and a success is finite.
#include <cmath>

#include "expr/expr.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

const InputDef inputs[] = {
    {"sensory", L"a", nullptr, 0},
    {"min", L"b", nullptr, 0},
    {"x", L"c", nullptr, 0},
    {"k123456789012345678901234567890123456789012345678901234567890ab", L"d", nullptr, 0},
};
const OutputDef outputs[] = {{"total", L"t", nullptr, "x", nullptr},
                             {"x", L"shadowed", nullptr, "1", nullptr}};
const ToolDef tool = {1, L"t", nullptr, L"c", L"r", nullptr, 4, inputs, 2, outputs, 0, nullptr, 0};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    double values[4];
    for (double& value : values) value = input.interesting_number();
    double output_table[16] = {input.interesting_number(), input.interesting_number()};
    static char text[1 << 16];
    input.text(text, sizeof text, sizeof text);
    int error = -1;
    const double value = expr_evaluate(tool, text, values, output_table, &error);
    FUZZ_CHECK(error == 0 || error == 1);
    if (error == 0) FUZZ_CHECK(std::isfinite(value));
    return 0;
}
