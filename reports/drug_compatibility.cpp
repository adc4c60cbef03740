// Report kind 6: may two injectable drugs share one infusion bottle? The only report whose level
// is not always 0.
#include <algorithm>
#include <iterator>

#include "core/text.h"
#include "reports/drug_names.h"
#include "reports/report.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const drug_names[] = {
    DRUG_NAME_1, DRUG_NAME_2, DRUG_NAME_3, DRUG_NAME_4, DRUG_NAME_5,
    DRUG_NAME_6, DRUG_NAME_7, DRUG_NAME_8, DRUG_NAME_9, DRUG_NAME_10,
};
static_assert(std::size(drug_names) == COMPATIBILITY_DRUG_COUNT, "a name for every number");

struct PairRule {
    int lo_a, hi_a, lo_b, hi_b; // the rule matches (lo_a, hi_a) or (lo_b, hi_b)
    const wchar_t* conclusion;
    const wchar_t* verdict;
    int level;
};

const PairRule pair_rules[] = {
    {1, 2, 2, 9,
     L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。"
     L"新生儿（≤28 天）即使分开输注也禁止合用。",
     L"禁忌：不可同瓶输注，需间隔冲管", 3},
    {3, 6, 3, 9, L"结论：不宜同瓶。万古霉素与碱性药物配伍稳定性差，应分开输注并冲管。",
     L"不宜同瓶，分开输注并冲管", 2},
    {4, 10, 5, 9, L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。",
     L"不宜同瓶，建议分开输注", 2},
    {9, 10, 9, 10, L"结论：禁忌配伍。多巴胺在碳酸氢钠等碱性溶液中失活，不可同瓶或同管输注。",
     L"禁忌：不可同瓶输注，分开输注", 3},
    {7, 9, 7, 9, L"结论：不宜同瓶。维生素C 与碳酸氢钠等碱性药物混合易氧化失效。",
     L"不宜同瓶，建议分开输注", 2},
    {1, 3, 1, 3, L"结论：不宜同瓶。头孢曲松与万古霉素混合可产生沉淀，应分开输注并冲管。",
     L"不宜同瓶，分开输注并冲管", 2},
};

// Omeprazole for injection is dissolved only in 0.9% sodium chloride or 5% glucose and given
// alone: with any other drug of the table it matches before every pair rule.
constexpr int OMEPRAZOLE = 6;
const PairRule given_alone = {
    OMEPRAZOLE,
    0,
    0,
    0,
    L"结论：禁忌同瓶。奥美拉唑注射液只能用 0.9% 氯化钠或 5% 葡萄糖溶解稀释后单独输注，"
    L"不得与其他药物混合。",
    L"禁忌：单独输注，前后冲管",
    3};

const PairRule no_known_rule = {
    0,
    0,
    0,
    0,
    L"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。",
    L"未收录明确禁忌，仍需核对院内配伍表",
    1}; // not known to be safe: the hospital's table must still be checked

const wchar_t* const no_such_number = L"（无此编号）";

// Numbers outside the table name no drug.
const wchar_t* drug_name(int number) {
    return number >= 1 && number <= COMPATIBILITY_DRUG_COUNT ? drug_names[number - 1]
                                                             : no_such_number;
}

const PairRule& rule_for(int a, int b) {
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    if (lo != hi && (lo == OMEPRAZOLE || hi == OMEPRAZOLE) && lo >= 1 &&
        hi <= COMPATIBILITY_DRUG_COUNT)
        return given_alone;
    const PairRule* const end = std::end(pair_rules);
    const PairRule* const found =
        std::find_if(std::begin(pair_rules), end, [&](const PairRule& rule) {
            return (lo == rule.lo_a && hi == rule.hi_a) || (lo == rule.lo_b && hi == rule.hi_b);
        });
    return found != end ? *found : no_known_rule;
}

} // namespace

int report_drug_compatibility(const ToolDef& tool, const double* values, wchar_t* report,
                              int report_capacity, wchar_t* verdict, int verdict_capacity) {
    report_begin(report, report_capacity, verdict, verdict_capacity);
    const int a = report_input_int(tool, values, "drugA");
    const int b = report_input_int(tool, values, "drugB");
    report_append_line(report, report_capacity, L"待查：%d 号 %ls  +  %d 号 %ls", a, drug_name(a),
                       b, drug_name(b));
    report_append_fixed_line(report, report_capacity, L"");
    report_append_fixed_line(
        report, report_capacity,
        L"编号："
        L"1" DRUG_NAME_1 L" 2" DRUG_NAME_2 L" 3" DRUG_NAME_3 L" 4" DRUG_NAME_4 L" 5" DRUG_NAME_5);
    report_append_fixed_line(
        report, report_capacity,
        L"      "
        L"6" DRUG_NAME_6 L" 7" DRUG_NAME_7 L" 8" DRUG_NAME_8 L" 9" DRUG_NAME_9 L" 10" DRUG_NAME_10);
    report_append_fixed_line(report, report_capacity, L"");
    const PairRule& rule = rule_for(a, b);
    report_append_fixed_line(report, report_capacity, rule.conclusion);
    text_copy(verdict, verdict_capacity, rule.verdict);
    return rule.level;
}
