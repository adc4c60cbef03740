// The critical-value reference (report kind 4) as a program of its own.
#include <iterator>

#include "core/report_kinds.h"
#include "core/tool_def.h"
#include "reports/report_limits.h"

namespace {

const wchar_t* const kind_guide = L"检验项目类别的编号：\r\n"
                                  L"1 血钾、血钠、血钙\r\n"
                                  L"2 血糖、pH、PaO2、PaCO2\r\n"
                                  L"3 白细胞、血红蛋白、血小板\r\n"
                                  L"4 INR、纤维蛋白原、D-二聚体\r\n"
                                  L"5 血培养、脑脊液培养、HIV 初筛\r\n"
                                  L"6 肌钙蛋白、血淀粉酶/脂肪酶";

const InputDef critical_values_inputs[] = {
    {.key = "kind",
     .label = L"项目类别 1-6",
     .unit = L"",
     .default_value = 1,
     .guide = kind_guide,
     .lowest = 1,
     .highest = CRITICAL_VALUE_GROUP_COUNT,
     .step = 1},
};

} // namespace

extern const ToolDef critical_values_tool;
const ToolDef critical_values_tool = {
    .id = 204,
    .title = L"检验危急值速查",
    .subtitle = L"常见检验危急值与报告处置流程",
    .category = L"检验",
    .reference = L"常见检验危急值参考；以本院《危急值报告目录》为准",
    .note = L"危急值须闭环管理：核实、报告、接收、处理、记录。",
    .input_count = static_cast<int>(std::size(critical_values_inputs)),
    .inputs = critical_values_inputs,
    .report_kind = REPORT_CRITICAL_VALUES,
};
