// The Braden pressure-sore risk scale: six sub-scores summed and graded.
#include <iterator>

#include "core/tool_def.h"

namespace {

const wchar_t* const sensory_guide =
    L"1 完全受限：对疼痛无反应，或几乎全身感觉丧失\r\n"
    L"2 非常受限：仅对疼痛有反应，只能以呻吟或烦躁表达不适，或身体一半以上痛觉受损\r\n"
    L"3 轻度受限：对言语有反应，但不总能表达不适或翻身需要，或 1-2 个肢体痛觉受损\r\n"
    L"4 未受损：对言语反应良好，无感觉缺失";

const wchar_t* const moist_guide = L"1 持续潮湿：皮肤几乎一直被汗液或尿液浸湿\r\n"
                                   L"2 经常潮湿：每班至少需更换一次床单\r\n"
                                   L"3 偶尔潮湿：每天约需额外更换一次床单\r\n"
                                   L"4 很少潮湿：皮肤通常干燥，常规更换床单即可";

const wchar_t* const activity_guide =
    L"1 卧床：活动限于床上\r\n"
    L"2 坐椅：不能或几乎不能行走，需协助坐椅或轮椅\r\n"
    L"3 偶尔步行：白天偶尔短距离行走，多数时间在床或椅上\r\n"
    L"4 经常步行：清醒时每天至少 2 次走出病室，在病室内约每 2 小时走动 1 次";

const wchar_t* const mobility_guide = L"1 完全不能：无协助时身体或肢体完全不能变换位置\r\n"
                                      L"2 严重受限：偶尔能轻微变换体位，但不能经常独立变换\r\n"
                                      L"3 轻度受限：能经常独立地轻微变换体位\r\n"
                                      L"4 不受限：无需协助即可经常大幅度变换体位";

const wchar_t* const nutrition_guide =
    L"1 非常差：很少吃完一餐的 1/3，或禁食、仅清流质超过 5 天\r\n"
    L"2 可能不足：很少吃完一餐，通常只吃一半，或鼻饲量不足\r\n"
    L"3 充足：多数餐吃完一半以上，或鼻饲、肠外营养基本满足需要\r\n"
    L"4 丰富：每餐基本吃完，从不拒食，无需额外补充";

const wchar_t* const friction_guide = L"1 存在问题：移动需大量协助，常在床上或椅上下滑\r\n"
                                      L"2 潜在问题：移动需少量协助，偶尔下滑\r\n"
                                      L"3 无明显问题：能独立移动并完全抬起身体，始终保持良好体位";

const InputDef braden_inputs[] = {
    {.key = "sensory",
     .label = L"感觉 1-4",
     .unit = L"",
     .default_value = 3,
     .guide = sensory_guide,
     .lowest = 1,
     .highest = 4,
     .step = 1},
    {.key = "moist",
     .label = L"潮湿 1-4",
     .unit = L"",
     .default_value = 2,
     .guide = moist_guide,
     .lowest = 1,
     .highest = 4,
     .step = 1},
    {.key = "activity",
     .label = L"活动 1-4",
     .unit = L"",
     .default_value = 2,
     .guide = activity_guide,
     .lowest = 1,
     .highest = 4,
     .step = 1},
    {.key = "mobility",
     .label = L"移动 1-4",
     .unit = L"",
     .default_value = 2,
     .guide = mobility_guide,
     .lowest = 1,
     .highest = 4,
     .step = 1},
    {.key = "nutrition",
     .label = L"营养 1-4",
     .unit = L"",
     .default_value = 2,
     .guide = nutrition_guide,
     .lowest = 1,
     .highest = 4,
     .step = 1},
    {.key = "friction",
     .label = L"摩擦力 1-3",
     .unit = L"",
     .default_value = 2,
     .guide = friction_guide,
     .lowest = 1,
     .highest = 3,
     .step = 1},
};

const OutputDef braden_outputs[] = {
    {"total", L"Braden 总分", L"分", "sensory+moist+activity+mobility+nutrition+friction", "f0"},
};

// The conditions sum the inputs themselves, unrounded, so a fractional sum such as 12.4 grades
// by its exact value even though the total is shown rounded.
const RuleDef braden_rules[] = {
    {"sensory+moist+activity+mobility+nutrition+friction<=9", 3,
     L"极高危，使用减压床垫并每 2 小时翻身"},
    {"sensory+moist+activity+mobility+nutrition+friction<=12", 2, L"高危，落实翻身与皮肤保护"},
    {"sensory+moist+activity+mobility+nutrition+friction<=14", 1, L"中危，加强观察与营养"},
    {"", 0, L"低危，常规护理"},
};

} // namespace

extern const ToolDef braden_tool;
const ToolDef braden_tool = {
    .id = 138,
    .title = L"Braden 压疮风险评估",
    .subtitle = L"六项子评分合计与风险分级",
    .category = L"护理",
    .reference = L"Braden 评分 6-23 分；≤9 极高危，10-12 高危，13-14 中危，15-18 低危",
    .note = L"评分需每班/每日复评，翻身、减压与皮肤护理同步落实。",
    .input_count = static_cast<int>(std::size(braden_inputs)),
    .inputs = braden_inputs,
    .output_count = static_cast<int>(std::size(braden_outputs)),
    .outputs = braden_outputs,
    .rule_count = static_cast<int>(std::size(braden_rules)),
    .rules = braden_rules,
    .blank_at_start = true,
    .headline = "total",
};
