// Recursive-descent evaluator: one routine per grammar rule, from the lowest precedence to the
// highest. Every operand is parsed and evaluated left to right; nothing is short-circuited. A
// failure sets the context's error flag, a fixed value takes the failing construct's place, and
// parsing goes on where it can.
//
// The grammar (EBNF). Blanks (space, tab, CR, LF) may stand between any two tokens, but not inside
// a number, a name or a two-character operator.
//
//   formula     = conditional ;
//   conditional = logical_or , [ "?" , conditional , ":" , conditional ] ;
//                 (right-associative; both branches are evaluated, whatever the condition)
//   logical_or  = logical_and , { "||" , logical_and } ;     (both sides evaluated)
//   logical_and = comparison , { "&&" , comparison } ;       (both sides evaluated)
//   comparison  = additive , [ ( "<=" | ">=" | "==" | "!=" | "<" | ">" ) , additive ] ;
//                 (at most one comparison: "1<2<3" fails)
//   additive    = term , { ( "+" | "-" ) , term } ;
//   term        = power , { ( "*" | "/" | "%" ) , power } ;  ("**" is no operator)
//   power       = unary , [ "^" , power ] ;                  (right-associative)
//   unary       = ( "-" | "+" | "!" ) , unary | primary ;
//                 (a prefix operator binds tighter than "^": "-2^2" is 4)
//   primary     = number | name | call | "(" , conditional , ")" ;
//   call        = name , "(" , conditional , [ "," , conditional ] , ")" ;
//   name        = ( letter | "_" ) , { letter | digit | "_" } ;   (at most 63 characters)
//   number      = what strtod reads from a digit or "." on: decimal with fraction and
//                 exponent, or hexadecimal after "0x" ;
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "expr/expr.h"

namespace {

constexpr int NAME_CAPACITY = 64; // 63 name characters and the terminator

struct ExprContext {
    const ToolDef& tool;
    const double* values;
    const double* output_table;
    const char* cursor;
    int error;
    int depth;
    bool too_deep;
};

// ASCII character classes, looked up in a table built at compile time: names and blanks are
// scanned character by character, so this is the evaluator's innermost loop.
enum CharClass : unsigned char { SPACE = 1, DIGIT = 2, LETTER = 4, UNDERSCORE = 8 };

struct CharClasses {
    unsigned char of[256];
};

constexpr CharClasses make_char_classes() {
    CharClasses classes{};
    classes.of[static_cast<unsigned char>(' ')] = SPACE;
    classes.of[static_cast<unsigned char>('\t')] = SPACE;
    classes.of[static_cast<unsigned char>('\n')] = SPACE;
    classes.of[static_cast<unsigned char>('\r')] = SPACE;
    for (int c = '0'; c <= '9'; ++c) classes.of[c] = DIGIT;
    for (int c = 'A'; c <= 'Z'; ++c) classes.of[c] = LETTER;
    for (int c = 'a'; c <= 'z'; ++c) classes.of[c] = LETTER;
    classes.of[static_cast<unsigned char>('_')] = UNDERSCORE;
    return classes;
}

constexpr CharClasses char_classes = make_char_classes();

unsigned char class_of(char c) { return char_classes.of[static_cast<unsigned char>(c)]; }
bool is_space(char c) { return class_of(c) == SPACE; }
bool is_digit(char c) { return class_of(c) == DIGIT; }
bool is_letter(char c) { return class_of(c) == LETTER; }
bool is_name_char(char c) { return (class_of(c) & (DIGIT | LETTER | UNDERSCORE)) != 0; }
bool is_true(double v) { return v != 0.0; } // NaN is true, both zeros are false

void skip_space(ExprContext& ctx) {
    while (is_space(*ctx.cursor)) ++ctx.cursor;
}

bool next_is(const ExprContext& ctx, const char* token) {
    return std::strncmp(ctx.cursor, token, std::strlen(token)) == 0;
}

double conditional(ExprContext& ctx);
double power(ExprContext& ctx);
double unary(ExprContext& ctx);

// Each nesting construct goes through here, so that the depth of recursion is bounded.
using Rule = double (*)(ExprContext&);
double nested(ExprContext& ctx, Rule rule) {
    if (ctx.depth >= EXPR_MAX_NESTING) {
        ctx.error = 1;
        ctx.too_deep = true;
        return 0.0;
    }
    ++ctx.depth;
    const double value = rule(ctx);
    --ctx.depth;
    return value;
}

// True when key is exactly the name of that length that starts at name.
bool key_is(const char* key, const char* name, int length) {
    return key[0] == name[0] && std::strncmp(key, name, static_cast<std::size_t>(length)) == 0 &&
           key[length] == '\0';
}

double variable(ExprContext& ctx, const char* name, int length) {
    for (int i = 0; i < ctx.tool.input_count; ++i) {
        if (key_is(ctx.tool.inputs[i].key, name, length)) return ctx.values[i];
    }
    for (int j = 0; j < ctx.tool.output_count; ++j) {
        if (key_is(ctx.tool.outputs[j].key, name, length)) return ctx.output_table[j];
    }
    ctx.error = 1;
    return 0.0;
}

void expect_close(ExprContext& ctx) {
    skip_space(ctx);
    if (*ctx.cursor == ')')
        ++ctx.cursor;
    else
        ctx.error = 1;
}

// call = name , "(" , conditional , [ "," , conditional ] , ")" ;  from behind the name on.
double call(ExprContext& ctx, const char* name) {
    ++ctx.cursor;
    const double a = nested(ctx, conditional);
    skip_space(ctx);
    if (*ctx.cursor != ',') {
        expect_close(ctx);
        return apply_function(name, 1, a, 0.0, &ctx.error);
    }
    ++ctx.cursor;
    const double b = nested(ctx, conditional);
    expect_close(ctx);
    return apply_function(name, 2, a, b, &ctx.error);
}

// name = ( letter | "_" ) , { letter | digit | "_" } ;  a variable, or a call when "(" follows.
// At most 63 characters are taken. Further name
// characters stay in the text, and the evaluation fails on them. A variable is looked up where
// it stands in the text; only a call's name is copied out.
double name_or_call(ExprContext& ctx) {
    const char* const start = ctx.cursor;
    int length = 0;
    while (is_name_char(*ctx.cursor) && length < NAME_CAPACITY - 1) {
        ++ctx.cursor;
        ++length;
    }
    skip_space(ctx);
    if (*ctx.cursor != '(') return variable(ctx, start, length);
    char name[NAME_CAPACITY];
    std::memcpy(name, start, static_cast<std::size_t>(length));
    name[length] = '\0';
    return call(ctx, name);
}

// Plain decimal integers of up to 15 digits are exact in a double, so they are read directly;
// everything else (fractions, exponents, hexadecimal, long digit strings) goes to strtod.
bool read_small_integer(ExprContext& ctx, double* value) {
    const char* p = ctx.cursor;
    long long digits = 0;
    int count = 0;
    while (is_digit(*p) && count < 16) {
        digits = digits * 10 + (*p - '0');
        ++p;
        ++count;
    }
    const char next = *p;
    if (count == 0 || count > 15 || next == '.' || next == 'e' || next == 'E' || next == 'x' ||
        next == 'X')
        return false;
    ctx.cursor = p;
    *value = static_cast<double>(digits);
    return true;
}

// number = what strtod reads ;
double number(ExprContext& ctx) {
    double small = 0.0;
    if (read_small_integer(ctx, &small)) return small;
    char* end = nullptr;
    const double value = std::strtod(ctx.cursor, &end);
    if (end == ctx.cursor) {
        ctx.error = 1;
        return 0.0;
    }
    ctx.cursor = end;
    return value;
}

// unary = ( "-" | "+" | "!" ) , unary | primary ;
// primary = number | name | call | "(" , conditional , ")" ;
double unary(ExprContext& ctx) {
    if (ctx.too_deep) return 0.0;
    skip_space(ctx);
    const char c = *ctx.cursor;
    if (c == '(') {
        ++ctx.cursor;
        const double value = nested(ctx, conditional);
        expect_close(ctx);
        return value;
    }
    if (c == '-') {
        ++ctx.cursor;
        return -nested(ctx, unary); // flips the sign bit: negating zero gives negative zero
    }
    if (c == '+') {
        ++ctx.cursor;
        return nested(ctx, unary);
    }
    if (c == '!') {
        ++ctx.cursor;
        return nested(ctx, unary) == 0.0 ? 1.0 : 0.0;
    }
    if (is_digit(c) || c == '.') return number(ctx);
    if (is_letter(c) || c == '_') return name_or_call(ctx);
    ctx.error = 1;
    return 0.0;
}

// power = unary , [ "^" , power ] ;  right-associative, and looser than the prefix operators.
double power(ExprContext& ctx) {
    const double base = unary(ctx);
    skip_space(ctx);
    if (*ctx.cursor != '^') return base;
    ++ctx.cursor;
    const double exponent = nested(ctx, power);
    return std::pow(base, exponent);
}

// term = power , { ( "*" | "/" | "%" ) , power } ;
double term(ExprContext& ctx) {
    double r = power(ctx);
    while (!ctx.too_deep) {
        skip_space(ctx);
        const char c = *ctx.cursor;
        if (c == '*' && ctx.cursor[1] == '*') break; // no "**" operator: left over, fails
        if (c == '*') {
            ++ctx.cursor;
            r *= power(ctx);
        } else if (c == '/' || c == '%') {
            ++ctx.cursor;
            const double s = power(ctx);
            if (s == 0.0) { // the whole term fails and ends here; a NaN divisor is not zero
                ctx.error = 1;
                return 0.0;
            }
            r = c == '/' ? r / s : std::fmod(r, s);
        } else {
            break;
        }
    }
    return r;
}

// additive = term , { ( "+" | "-" ) , term } ;
double additive(ExprContext& ctx) {
    double r = term(ctx);
    while (!ctx.too_deep) {
        skip_space(ctx);
        const char c = *ctx.cursor;
        if (c != '+' && c != '-') break;
        ++ctx.cursor;
        const double s = term(ctx);
        r = c == '+' ? r + s : r - s;
    }
    return r;
}

// comparison = additive , [ operator , additive ] ;  one at most: "1<2<3" leaves "<3" over.
double comparison(ExprContext& ctx) {
    const double a = additive(ctx);
    skip_space(ctx);
    const char c = *ctx.cursor;
    if (c != '<' && c != '>' && c != '=' && c != '!') return a;
    static const char* const operators[] = {"<=", ">=", "==", "!=", "<", ">"};
    for (int op = 0; op < 6; ++op) {
        if (!next_is(ctx, operators[op])) continue;
        ctx.cursor += std::strlen(operators[op]);
        const double b = additive(ctx);
        bool holds = false;
        switch (op) {
        case 0: holds = a <= b; break;
        case 1: holds = a >= b; break;
        case 2: holds = a == b; break;
        case 3: holds = a != b; break;
        case 4: holds = a < b; break;
        default: holds = a > b; break;
        }
        return holds ? 1.0 : 0.0;
    }
    return a;
}

// logical_and = comparison , { "&&" , comparison } ;
double logical_and(ExprContext& ctx) {
    double r = comparison(ctx);
    while (!ctx.too_deep) {
        skip_space(ctx);
        if (!next_is(ctx, "&&")) break;
        ctx.cursor += 2;
        const double s = comparison(ctx);
        r = is_true(r) && is_true(s) ? 1.0 : 0.0;
    }
    return r;
}

// logical_or = logical_and , { "||" , logical_and } ;
double logical_or(ExprContext& ctx) {
    double r = logical_and(ctx);
    while (!ctx.too_deep) {
        skip_space(ctx);
        if (!next_is(ctx, "||")) break;
        ctx.cursor += 2;
        const double s = logical_and(ctx);
        r = is_true(r) || is_true(s) ? 1.0 : 0.0;
    }
    return r;
}

// conditional = logical_or , [ "?" , conditional , ":" , conditional ] ;
// Both branches are always evaluated, so a failure in either fails the whole text.
double conditional(ExprContext& ctx) {
    const double c = logical_or(ctx);
    skip_space(ctx);
    if (*ctx.cursor != '?') return c;
    ++ctx.cursor;
    const double a = nested(ctx, conditional);
    skip_space(ctx);
    if (*ctx.cursor == ':')
        ++ctx.cursor;
    else
        ctx.error = 1;
    const double b = nested(ctx, conditional);
    return is_true(c) ? a : b;
}

} // namespace

double expr_evaluate(const ToolDef& tool, const char* text, const double* values,
                     const double* output_table, int* error_out) {
    int error = 1;
    double value = 0.0;
    if (text != nullptr && text[0] != '\0') {
        ExprContext ctx{tool, values, output_table, text, 0, 0, false};
        value = conditional(ctx);
        skip_space(ctx);
        if (ctx.too_deep)
            value = 0.0;
        else if (*ctx.cursor == '\0' && ctx.error == 0 && std::isfinite(value))
            error = 0;
    }
    if (error_out != nullptr) *error_out = error;
    return value;
}
