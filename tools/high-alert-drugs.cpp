// The high-alert drug categories (report kind 5) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const kind_guide = L"药品类别的编号：\r\n"
                                  L"1 高浓度电解质\r\n"
                                  L"2 胰岛素与口服降糖药\r\n"
                                  L"3 抗凝与化疗药\r\n"
                                  L"4 麻醉与肌松药\r\n"
                                  L"5 血管活性药（静脉）\r\n"
                                  L"6 抗心律失常药（静脉）\r\n"
                                  L"7 中度镇静药（静脉）\r\n"
                                  L"8 其他高警示注射液";

const InputDef high_alert_drugs_inputs[] = {
    {.key = "kind",
     .label = L"药品类别 1-8",
     .unit = L"",
     .default_value = 1,
     .guide = kind_guide,
     .lowest = 1,
     .highest = HIGH_ALERT_KIND_COUNT,
     .step = 1},
};

} // namespace

extern const ToolDef high_alert_drugs_tool;
const ToolDef high_alert_drugs_tool = {
    .id = 205,
    .title = L"高警示药品要点",
    .subtitle = L"高警示药品类别与管理要点",
    .category = L"用药",
    .reference = L"高警示药品管理的常用要点；以本院高警示药品目录与管理制度为准",
    .note = L"高警示药品须专区存放、专用标识、双人核对。",
    .input_count = static_cast<int>(std::size(high_alert_drugs_inputs)),
    .inputs = high_alert_drugs_inputs,
    .report_kind = REPORT_HIGH_ALERT_DRUGS,
};
