// The fourteen built-in functions of the formula language, in one table with their arity.
#include <cmath>
#include <cstring>

#include "expr/expr.h"

namespace {

// The double nearest to one third: cbrt is a power with this exponent, mirrored for negatives.
constexpr double ONE_THIRD = 0.3333333333333333;

enum class Function {
    Sqrt,
    Abs,
    Log,
    Log10,
    Exp,
    Floor,
    Ceil,
    Round,
    Cbrt,
    Sign,
    Min,
    Max,
    Pow,
    Mod
};

struct Builtin {
    const char* name;
    int arity;
    Function function;
};

const Builtin builtins[] = {
    {"sqrt", 1, Function::Sqrt},   {"abs", 1, Function::Abs},     {"log", 1, Function::Log},
    {"log10", 1, Function::Log10}, {"exp", 1, Function::Exp},     {"floor", 1, Function::Floor},
    {"ceil", 1, Function::Ceil},   {"round", 1, Function::Round}, {"cbrt", 1, Function::Cbrt},
    {"sign", 1, Function::Sign},   {"min", 2, Function::Min},     {"max", 2, Function::Max},
    {"pow", 2, Function::Pow},     {"mod", 2, Function::Mod},
};
static_assert(sizeof builtins / sizeof builtins[0] == 14, "the language has fourteen built-ins");

double fail(int* error) {
    if (error != nullptr) *error = 1;
    return 0.0;
}

// A NaN argument passes every domain test, since no comparison with NaN holds; min and max give
// their second argument when either is NaN.
double apply(Function function, double a, double b, int* error) {
    switch (function) {
    case Function::Sqrt: return a < 0 ? fail(error) : std::sqrt(a);
    case Function::Abs: return std::fabs(a);
    case Function::Log: return a <= 0 ? fail(error) : std::log(a);
    case Function::Log10: return a <= 0 ? fail(error) : std::log10(a);
    case Function::Exp: return std::exp(a);
    case Function::Floor: return std::floor(a);
    case Function::Ceil: return std::ceil(a);
    case Function::Round: return std::floor(a + 0.5);
    case Function::Cbrt: return a < 0 ? -std::pow(-a, ONE_THIRD) : std::pow(a, ONE_THIRD);
    case Function::Sign: return a > 0 ? 1.0 : (a < 0 ? -1.0 : 0.0);
    case Function::Min: return a < b ? a : b;
    case Function::Max: return a > b ? a : b;
    case Function::Pow: return std::pow(a, b);
    case Function::Mod: return b == 0.0 ? fail(error) : std::fmod(a, b);
    }
    return fail(error);
}

} // namespace

double apply_function(const char* name, int argument_count, double a, double b, int* error) {
    if (name == nullptr) return fail(error);
    for (const Builtin& builtin : builtins) {
        if (std::strcmp(name, builtin.name) != 0) continue;
        if (builtin.arity != argument_count) return fail(error);
        return apply(builtin.function, a, b, error);
    }
    return fail(error);
}
