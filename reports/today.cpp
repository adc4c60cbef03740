// Today's local calendar date, read from the system clock through the C runtime.
#include <cstdint>
#include <ctime>

#include "core/civil_date.h"
#include "reports/report.h"

std::int64_t report_today() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return days_from_civil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
