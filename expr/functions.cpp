// The built-in functions of the formula language that take one argument.
#include <cmath>
#include <cstring>

#include "expr/expr.h"

namespace {

// The double nearest to one third: cbrt is a power with this exponent, mirrored for negatives.
constexpr double ONE_THIRD = 0.3333333333333333;

enum class Function { Sqrt, Abs, Log, Log10, Exp, Floor, Ceil, Round, Cbrt, Sign };

struct FunctionName {
    const char* name;
    Function function;
};

const FunctionName function_names[] = {
    {"sqrt", Function::Sqrt},   {"abs", Function::Abs},     {"log", Function::Log},
    {"log10", Function::Log10}, {"exp", Function::Exp},     {"floor", Function::Floor},
    {"ceil", Function::Ceil},   {"round", Function::Round}, {"cbrt", Function::Cbrt},
    {"sign", Function::Sign},
};

double fail(int* error) {
    if (error != nullptr) *error = 1;
    return 0.0;
}

} // namespace

double apply_function1(const char* name, double x, int* error) {
    if (name == nullptr) return fail(error);
    for (const FunctionName& entry : function_names) {
        if (std::strcmp(name, entry.name) != 0) continue;
        // A NaN argument passes every domain test, since no comparison with NaN holds.
        switch (entry.function) {
        case Function::Sqrt: return x < 0 ? fail(error) : std::sqrt(x);
        case Function::Abs: return std::fabs(x);
        case Function::Log: return x <= 0 ? fail(error) : std::log(x);
        case Function::Log10: return x <= 0 ? fail(error) : std::log10(x);
        case Function::Exp: return std::exp(x);
        case Function::Floor: return std::floor(x);
        case Function::Ceil: return std::ceil(x);
        case Function::Round: return std::floor(x + 0.5);
        case Function::Cbrt: return x < 0 ? -std::pow(-x, ONE_THIRD) : std::pow(x, ONE_THIRD);
        case Function::Sign: return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
        }
    }
    return fail(error);
}
