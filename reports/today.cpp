// Today's local calendar date, read from the system clock.
#include <cstdint>
#include <ctime>

#include "core/civil_date.h"
#include "reports/report.h"

#ifdef _WIN32
#include <windows.h>
#endif

std::int64_t report_today() {
#ifdef _WIN32
    SYSTEMTIME now;
    GetLocalTime(&now);
    return days_from_civil(now.wYear, now.wMonth, now.wDay);
#else
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return days_from_civil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
#endif
}
