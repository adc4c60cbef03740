// Save: appends the last result to the per-user CSV record file, creating the folder, the file,
// its byte-order mark and its header on first use. A save that did not reach the file is
// reported as a failure, never as saved, and leaves the file as it was.
#include <windows.h>

#include "core/text.h"
#include "fhir/export_status.h"
#include "fhir_win32/fhir_sender.h"
#include "records/record_id.h"
#include "records/record_lines.h"
#include "records_win32/assessor_setting.h"
#include "records_win32/record_file.h"
#include "records_win32/record_folder.h"
#include "records_win32/records_policy_read.h"
#include "ui/commands.h"
#include "ui/record_export.h"
#include "ui/window_state.h"
#include "window_kit/system_text.h"

namespace {

// The failure box: the path that could not be written, with the system's reason when there is
// one, or, when another PC or program held the file longer than a save waits, that it is busy.
void report_failure(const wchar_t* where, DWORD error, bool busy = false) {
    wchar_t message[RECORD_PATH_CAPACITY + 320];
    wchar_t reason[256] = L"";
    if (error != 0) system_error_text(error, where, reason, 256);
    if (busy)
        text_copy(message, RECORD_PATH_CAPACITY + 320, TEXT_RECORD_FILE_BUSY);
    else
        build_save_failure_text(where, message, RECORD_PATH_CAPACITY + 320, reason);
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, STATUS_SAVE_FAILED);
    invalidate_main_window();
    show_message(message, CAPTION_SAVE_FAILED, MB_OK | MB_ICONWARNING);
}

} // namespace

LocalTime local_time_now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void record_save() {
    if (!result_is_current(TEXT_SAVE_NEEDS_RESULT)) return;
    static PatientFields patient;
    if (!read_patient_fields(&patient)) return; // nothing is written
    RecordsPolicy policy;
    records_policy_read(&policy);
    if (policy.invalid_value >= 0) {
        wchar_t invalid[MESSAGE_TEXT_CAPACITY];
        build_policy_invalid_text(policy, invalid, MESSAGE_TEXT_CAPACITY);
        show_message(invalid, CAPTION_HINT, MB_OK | MB_ICONINFORMATION);
        return; // nothing is written anywhere
    }
    if (const wchar_t* refusal = policy_save_refusal(policy, patient)) {
        show_message(refusal, CAPTION_HINT, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const ToolDef& tool = *window_state.session.tool;
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    wchar_t path[RECORD_PATH_CAPACITY];
    if (!record_file_of_tool(policy, tool.id, folder, path)) {
        report_failure(folder, 0); // the path as far as it goes: nothing is written anywhere
        return;
    }
    // The ward's share is never made here: one that cannot be reached fails the Save.
    if (!policy_names_folder(policy)) record_folder_create(folder);

    static wchar_t line[RECORD_LINE_CAPACITY];
    static wchar_t header[RECORD_HEADER_CAPACITY];
    build_record_header(tool, header, RECORD_HEADER_CAPACITY);
    // One id per Save, made before the record is written: a record is never saved without one.
    wchar_t record_id[RECORD_ID_CAPACITY];
    const LocalTime now = local_time_now();
    if (!record_id_make(system_random_fill, record_id, RECORD_ID_CAPACITY) ||
        !session_record_line(window_state.session, now, patient, record_id, line,
                             RECORD_LINE_CAPACITY)) {
        report_failure(path, 0);
        return;
    }
    // The export's copy is queued first and taken back when the record fails: a Save that says
    // 已保存 has both, and one that fails leaves neither.
    const RecordExport exported = record_export_of(policy, patient);
    DWORD error = 0;
    if (exported == RecordExport::queued) {
        wchar_t outbox[RECORD_PATH_CAPACITY];
        if (!record_export_queue(policy, patient, record_id, now, outbox, RECORD_PATH_CAPACITY,
                                 &error)) {
            report_failure(outbox, error);
            return;
        }
    }
    const RecordFileAppend appended = record_file_append(path, header, line, &error);
    if (appended != RecordFileAppend::appended) {
        if (exported == RecordExport::queued) record_export_withdraw(record_id);
        report_failure(path, error, appended == RecordFileAppend::busy);
        return;
    }
    session_mark_saved(&window_state.session);
    if (policy.remember_assessor) assessor_store(patient.text[PATIENT_ASSESSOR]);
    if (exported == RecordExport::no_number)
        text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, STATUS_SAVED_NOT_EXPORTED);
    else
        build_save_status(path, window_state.status_text, STATUS_TEXT_CAPACITY);
    invalidate_main_window();
    if (exported == RecordExport::queued) fhir_send_start(window_state.main_window, policy);
    wchar_t saved[MESSAGE_TEXT_CAPACITY + RECORD_FOLDER_CAPACITY];
    build_saved_text(policy_names_folder(policy) ? folder : nullptr, saved,
                     MESSAGE_TEXT_CAPACITY + RECORD_FOLDER_CAPACITY);
    show_message(saved, CAPTION_SAVED, MB_OK | MB_ICONINFORMATION);
}
