#include "ui/record_export.h"

#include "core/text.h"
#include "fhir/observation.h"
#include "fhir_win32/fhir_sender.h"
#include "fhir_win32/outbox_folder.h"
#include "records/record_id.h"
#include "records_win32/file_replace_win32.h"
#include "ui/commands.h"
#include "ui/window_state.h"

namespace {

constexpr int PROGRAM_NAME_CAPACITY = 64;

// The program's own name, as its file is called ("braden" of braden.exe): the tool's local code.
const char* program_name() {
    static char name[PROGRAM_NAME_CAPACITY] = "";
    if (name[0] != '\0') return name;
    wchar_t module[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return name;
    const wchar_t* start = module + length;
    while (start > module && start[-1] != L'\\' && start[-1] != L'/') --start;
    int n = 0;
    for (const wchar_t* p = start; *p != L'\0' && *p != L'.' && n < PROGRAM_NAME_CAPACITY - 1; ++p)
        name[n++] = static_cast<char>(*p >= L'A' && *p <= L'Z' ? *p - L'A' + L'a' : *p & 0x7F);
    name[n] = '\0';
    return name;
}

// The PC's offset from UTC now, in minutes, daylight saving included.
int utc_offset_minutes() {
    FILETIME utc;
    FILETIME local;
    GetSystemTimeAsFileTime(&utc);
    if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                      t.dwLowDateTime);
    };
    const long long minutes = (ticks(local) - ticks(utc)) / 600000000LL;
    // To the quarter hour: a zone's offset, never the clock's jitter between the two reads.
    return static_cast<int>((minutes >= 0 ? minutes + 7 : minutes - 7) / 15 * 15);
}

} // namespace

RecordExport record_export_of(const RecordsPolicy& policy, const PatientFields& patient) {
    if (!policy_exports(policy) || !observation_exported(program_name())) return RecordExport::none;
    return text_is_empty(patient.text[PATIENT_NUMBER]) ? RecordExport::no_number
                                                       : RecordExport::queued;
}

bool record_export_queue(const RecordsPolicy& policy, const PatientFields& patient,
                         const wchar_t* record_id, const LocalTime& time, wchar_t* path,
                         int capacity, DWORD* error) {
    *error = 0;
    wchar_t folder[OUTBOX_FOLDER_CAPACITY];
    if (!outbox_folder_ready(folder, OUTBOX_FOLDER_CAPACITY)) {
        *error = GetLastError();
        text_copy(path, capacity, L"%LOCALAPPDATA%\\HalviMedSuite\\outbox");
        return false;
    }
    outbox_path(folder, record_id, OutboxFile::queued, path, capacity);
    const CalcSession& session = window_state.session;
    const ObservationSource source = {session.tool,
                                      program_name(),
                                      record_id,
                                      time,
                                      utc_offset_minutes(),
                                      &patient,
                                      session.input_values,
                                      &session.outcome,
                                      policy.fhir_patient_system};
    wchar_t entry_id[RECORD_ID_CAPACITY];
    static char body[FHIR_BODY_CAPACITY];
    int length = 0;
    if (!record_id_make(system_random_fill, entry_id, RECORD_ID_CAPACITY) ||
        !build_observation_bundle(source, entry_id, body, FHIR_BODY_CAPACITY, &length))
        return false;
    FileReplaceWin32 state;
    if (outbox_queue(file_replace_ops_win32(&state), folder, record_id, body,
                     static_cast<std::size_t>(length)))
        return true;
    *error = state.error;
    return false;
}

void record_export_withdraw(const wchar_t* record_id) {
    wchar_t folder[OUTBOX_FOLDER_CAPACITY];
    wchar_t path[OUTBOX_PATH_CAPACITY];
    if (outbox_folder_ready(folder, OUTBOX_FOLDER_CAPACITY) &&
        outbox_path(folder, record_id, OutboxFile::queued, path, OUTBOX_PATH_CAPACITY))
        DeleteFileW(path);
}

void record_export_run_ended() {
    wchar_t status[STATUS_TEXT_CAPACITY];
    fhir_last_run_status(status, STATUS_TEXT_CAPACITY);
    if (status[0] == L'\0') return;
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, status);
    invalidate_main_window();
}
