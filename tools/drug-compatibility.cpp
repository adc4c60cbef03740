// The drug compatibility check (report kind 6) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"

namespace {

// Both inputs take the same drug numbers.
const wchar_t* const drug_guide = L"1 头孢曲松\r\n"
                                  L"2 葡萄糖酸钙\r\n"
                                  L"3 万古霉素\r\n"
                                  L"4 呋塞米\r\n"
                                  L"5 氨溴索\r\n"
                                  L"6 奥美拉唑\r\n"
                                  L"7 维生素C\r\n"
                                  L"8 胰岛素\r\n"
                                  L"9 碳酸氢钠\r\n"
                                  L"10 多巴胺\r\n"
                                  L"其他编号：名称显示为头孢曲松，按未收录处理";

const InputDef drug_compatibility_inputs[] = {
    {"drugA", L"药物 A 编号 1-10", L"", 1, drug_guide, 1, 10, 1},
    {"drugB", L"药物 B 编号 1-10", L"", 2, drug_guide, 1, 10, 1},
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
