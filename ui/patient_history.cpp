#include "ui/patient_history.h"

#include <windows.h>

#include "core/text.h"
#include "records/record_scan.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
#include "ui/window_state.h"

const wchar_t* read_patient_history(const PatientFields& patient, History* history, wchar_t* reason,
                                    int capacity) {
    const ToolDef& tool = *window_state.session.tool;
    history->count = 0;
    history->skipped = 0;
    history->older_not_read = false;
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    wchar_t path[RECORD_PATH_CAPACITY];
    RecordsPolicy policy;
    records_policy_read(&policy);
    if (policy.invalid_value >= 0) {
        build_policy_invalid_text(policy, reason, capacity);
        return reason;
    }
    if (!record_file_of_tool(policy, tool.id, folder, path)) {
        text_copy(reason, capacity, L"找不到记录文件夹，无法读取记录");
        return reason;
    }
    RecordTail tail;
    const RecordTailRead read = record_tail_read(path, &tail);
    if (read != RecordTailRead::read) {
        text_format(reason, capacity,
                    read == RecordTailRead::missing ? L"尚无记录文件：%ls"
                                                    : L"记录文件无法读取（可能正被占用）：%ls",
                    path);
        return reason;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t latest_valid[RECORD_TIME_CAPACITY];
    record_latest_valid_time(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                             latest_valid, RECORD_TIME_CAPACITY);
    history_read(tool, patient, tail.bytes, tail.length, tail.whole, history, tail.head,
                 tail.head_length, latest_valid);
    return nullptr;
}
