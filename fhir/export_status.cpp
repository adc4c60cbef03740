#include "fhir/export_status.h"

#include "core/text.h"

const wchar_t* const STATUS_SAVED_NOT_EXPORTED = L"已保存（无住院号，不上传）";

void build_fhir_run_status(const FhirRunReport& report, wchar_t* dest, int capacity) {
    if (report.waiting > 0)
        text_format(dest, capacity, L"待上传：%ls", report.reason);
    else if (report.refused > 0)
        text_format(dest, capacity, L"上传被拒绝：%ls", report.reason);
    else if (report.sent > 0)
        text_copy(dest, capacity, L"已上传到病历系统");
    else
        dest[0] = L'\0';
}
