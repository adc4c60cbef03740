#include "core/text.h"
#include "reports/report.h"

namespace {

const wchar_t* const fallback_report = L"（该工具暂无自定义报告）";
const wchar_t* const fallback_verdict = L"暂无报告内容";

} // namespace

int report_dispatch(int kind, const ToolDef& tool, const double* values, wchar_t* report,
                    int report_capacity, wchar_t* verdict, int verdict_capacity) {
    (void)kind;
    (void)tool;
    (void)values;
    text_copy(report, report_capacity, fallback_report);
    text_copy(verdict, verdict_capacity, fallback_verdict);
    return 0;
}
