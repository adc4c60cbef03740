// Writes a ward's records folder as it looks after a year of use: one record file per program of
// the catalog, each of about MEGABYTES, records of forty patients spread over the last 365 days
// and oldest first: ward_folder.exe FOLDER MEGABYTES
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "core/civil_date.h"
#include "core/utf8.h"
#include "engine/engine.h"
#include "records/record_lines.h"
#include "tools/catalog.h"

namespace {

constexpr int LINE_CAPACITY = RECORD_LINE_CAPACITY;

// The local date a number of days before 2026-12-09 and 08:00 plus minutes.
LocalTime time_back(int days, int minutes) {
    wchar_t date[DATE_TEXT_CAPACITY];
    civil_from_days(days_from_civil(2026, 12, 9) - days, date, DATE_TEXT_CAPACITY);
    LocalTime time = {};
    std::swscanf(date, L"%d-%d-%d", &time.year, &time.month, &time.day);
    time.hour = 8 + minutes / 60 % 12;
    time.minute = minutes % 60;
    return time;
}

bool write_file(const wchar_t* folder, const ToolDef& tool, long long bytes_wanted) {
    char path[1024];
    char folder_bytes[900];
    if (utf8_from_wide(folder, folder_bytes, sizeof folder_bytes) < 0) return false;
    std::snprintf(path, sizeof path, "%s\\T%03d.csv", folder_bytes, tool.id);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    static wchar_t line[LINE_CAPACITY];
    static char bytes[LINE_CAPACITY * 4];
    build_record_header(tool, line, LINE_CAPACITY);
    std::fputs("\xEF\xBB\xBF", file);
    int length = utf8_from_wide(line, bytes, sizeof bytes);
    std::fwrite(bytes, 1, static_cast<std::size_t>(length), file);
    double values[TOOL_MAX_INPUTS];
    for (int j = 0; j < TOOL_MAX_INPUTS; ++j)
        values[j] = j < tool.input_count ? tool.inputs[j].default_value : 0;
    static CalcOutcome outcome;
    tool_calculate(tool, values, &outcome);
    // How many records make the size, spread evenly over the year, oldest first.
    build_record(tool,
                 {time_back(0, 0), values, outcome.result, outcome.level, outcome.verdict, nullptr},
                 line, LINE_CAPACITY);
    const long long per_record = utf8_from_wide(line, bytes, sizeof bytes) + 40;
    const long long records = bytes_wanted / per_record;
    long long written = 0;
    for (long long r = 0; r < records; ++r) {
        const int days = static_cast<int>(365 - r * 365 / records);
        PatientFields patient = {};
        const int p = static_cast<int>(r % 40);
        std::swprintf(patient.text[PATIENT_BED], PATIENT_FIELD_CAPACITY, L"%d", p + 1);
        std::swprintf(patient.text[PATIENT_NUMBER], PATIENT_FIELD_CAPACITY, L"ZY2026%04d", p);
        std::swprintf(patient.text[PATIENT_NAME], PATIENT_FIELD_CAPACITY, L"患者%02d", p);
        std::swprintf(patient.text[PATIENT_ASSESSOR], PATIENT_FIELD_CAPACITY, L"护士%02d",
                      static_cast<int>(r % 7));
        const RecordEntry entry = {time_back(days, static_cast<int>(r % 600)),
                                   values,
                                   outcome.result,
                                   static_cast<int>(r % 4),
                                   outcome.verdict,
                                   &patient};
        if (!build_record(tool, entry, line, LINE_CAPACITY)) continue;
        length = utf8_from_wide(line, bytes, sizeof bytes);
        if (length > 0) written += static_cast<long long>(std::fwrite(bytes, 1, length, file));
    }
    return std::fclose(file) == 0 && written > 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputws(L"usage: ward_folder.exe FOLDER MEGABYTES\n", stderr);
        return 2;
    }
    const long long bytes = std::wcstoll(argv[2], nullptr, 10) << 20;
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p)
        if (!write_file(argv[1], *TOOL_PROGRAMS[p].tool, bytes)) return 1;
    return 0;
}
