// The drug compatibility check (report kind 6) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/drug_names.h"
#include "reports/report_limits.h"

namespace {

// Both inputs take the same drug numbers.
const wchar_t* const drug_guide = L"1 " DRUG_NAME_1 L"\r\n"
                                  L"2 " DRUG_NAME_2 L"\r\n"
                                  L"3 " DRUG_NAME_3 L"\r\n"
                                  L"4 " DRUG_NAME_4 L"\r\n"
                                  L"5 " DRUG_NAME_5 L"\r\n"
                                  L"6 " DRUG_NAME_6 L"\r\n"
                                  L"7 " DRUG_NAME_7 L"\r\n"
                                  L"8 " DRUG_NAME_8 L"\r\n"
                                  L"9 " DRUG_NAME_9 L"\r\n"
                                  L"10 " DRUG_NAME_10;

const InputDef drug_compatibility_inputs[] = {
    {.key = "drugA",
     .label = L"药物 A 编号 1-10",
     .unit = L"",
     .default_value = 1,
     .guide = drug_guide,
     .lowest = 1,
     .highest = COMPATIBILITY_DRUG_COUNT,
     .step = 1},
    {.key = "drugB",
     .label = L"药物 B 编号 1-10",
     .unit = L"",
     .default_value = 2,
     .guide = drug_guide,
     .lowest = 1,
     .highest = COMPATIBILITY_DRUG_COUNT,
     .step = 1},
};

} // namespace

extern const ToolDef drug_compatibility_tool;
const ToolDef drug_compatibility_tool = {
    .id = 206,
    .title = L"药物配伍速查",
    .subtitle = L"两种注射药物能否同瓶输注",
    .category = L"用药",
    .reference = L"少数常见注射药物配伍禁忌的归纳；以本院配伍表与药剂科意见为准",
    .note = L"未收录的组合不等于可以配伍；现配现用，更换药物之间注意冲管。",
    .input_count = static_cast<int>(std::size(drug_compatibility_inputs)),
    .inputs = drug_compatibility_inputs,
    .report_kind = REPORT_DRUG_COMPATIBILITY,
};
