#include "toolbox_window/ward_read.h"

#include "core/civil_date.h"
#include "core/text.h"
#include "core/text_sink.h"
#include "records/record_lines.h"
#include "records/record_scan.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
#include "screen/record_texts.h"
#include "window_kit/system_text.h"

namespace {

// True when the folder's list can be read; error says why not. A folder that is not there counts
// as readable and empty unless it must be there.
bool folder_readable(const wchar_t* folder, bool must_exist, DWORD* error) {
    wchar_t pattern[RECORD_FOLDER_CAPACITY + 4];
    text_format(pattern, RECORD_FOLDER_CAPACITY + 4, L"%ls\\*", folder);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return true;
    }
    *error = GetLastError();
    if (*error == ERROR_FILE_NOT_FOUND) return true; // there, and empty
    return *error == ERROR_PATH_NOT_FOUND && !must_exist;
}

// One tool's file as it is read, window by window.
struct OverviewFile {
    WardOverview* overview;
    int column;
    const ToolDef* tool;
    const wchar_t* since;
    const wchar_t* latest_valid;
};

void add_window(void* context, const RecordTail& window) {
    const auto* file = static_cast<const OverviewFile*>(context);
    overview_add(file->overview, file->column, *file->tool, window.bytes, window.length,
                 window.whole, file->since, window.head, window.head_length, file->latest_valid);
}

} // namespace

void read_ward_overview(const ToolDef* const* tools, WardOverview* overview, wchar_t* last_line,
                        int capacity) {
    overview_clear(overview);
    SYSTEMTIME today;
    GetLocalTime(&today);
    wchar_t since[DATE_TEXT_CAPACITY];
    overview_since(today.wYear, today.wMonth, today.wDay, since, DATE_TEXT_CAPACITY);
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    RecordsPolicy policy;
    records_policy_read(&policy);
    if (policy.invalid_value >= 0) {
        build_policy_invalid_text(policy, last_line, capacity);
        return;
    }
    if (!records_folder(policy, folder, RECORD_FOLDER_CAPACITY)) {
        text_format(last_line, capacity, L"找不到记录文件夹，无法读取记录：%ls", folder);
        return;
    }
    // A folder that cannot be read is said so, never shown as an empty ward. The user's own folder
    // before the first Save is simply empty; a policy's folder must be there.
    DWORD folder_error = 0;
    if (!folder_readable(folder, policy_names_folder(policy), &folder_error)) {
        wchar_t reason[256];
        system_error_text(folder_error, folder, reason, 256);
        text_format(last_line, capacity, L"记录文件夹无法读取：%ls（%ls）", folder, reason);
        return;
    }
    wchar_t latest_valid[RECORD_TIME_CAPACITY];
    record_latest_valid_time(today.wYear, today.wMonth, today.wDay, today.wHour, today.wMinute,
                             today.wSecond, latest_valid, RECORD_TIME_CAPACITY);
    int unreadable = 0;
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        const ToolDef* tool = tools[t];
        wchar_t path[RECORD_PATH_CAPACITY];
        if (tool == nullptr || !build_record_path(folder, tool->id, path, RECORD_PATH_CAPACITY))
            continue;
        OverviewFile file = {overview, t, tool, since, latest_valid};
        if (record_read_since(path, since, add_window, &file) == RecordTailRead::unreadable)
            ++unreadable;
    }
    overview_sort(overview);
    TextSink sink = {last_line, capacity, 0};
    last_line[0] = L'\0';
    text_sink_format(sink, L"共 %d 位患者（%ls 起），记录文件夹：%ls", overview->count, since,
                     folder);
    if (overview->not_shown > 0)
        text_sink_format(sink, L"；另有 %d 条记录超出 %d 位患者未显示（%d 位较早的患者）",
                         overview->not_shown, OVERVIEW_MAX_PATIENTS, overview->patients_not_shown);
    if (unreadable > 0) text_sink_format(sink, L"；%d 个记录文件无法读取", unreadable);
    if (overview->skipped > 0) text_sink_format(sink, L"；%d 条记录无法读取", overview->skipped);
}
