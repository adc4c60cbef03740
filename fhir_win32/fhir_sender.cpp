#include "fhir_win32/fhir_sender.h"

#include "core/text.h"
#include "fhir/observation.h"
#include "fhir_win32/http_post.h"
#include "fhir_win32/outbox_folder.h"
#include "records_win32/file_replace_win32.h"
#include "records_win32/records_policy_read.h"

namespace {

constexpr int MAX_FILES_PER_RUN = 512;
constexpr int ANSWER_CAPACITY = 64 * 1024 + 1;
const wchar_t* const SENDER_MUTEX = L"Local\\HalviMedSuite.FhirSender";

// What a run needs, copied from the window's thread before the run starts.
struct Job {
    HWND window;
    wchar_t server[FHIR_ADDRESS_CAPACITY];
    wchar_t authorization[FHIR_AUTHORIZATION_CAPACITY];
};

Job job;
LONG running = 0;
CRITICAL_SECTION report_lock;
FhirRunReport last_report;

void send_all(FhirRunReport* report) {
    wchar_t folder[OUTBOX_FOLDER_CAPACITY];
    if (!outbox_folder_ready(folder, OUTBOX_FOLDER_CAPACITY)) return;
    static OutboxFileName files[MAX_FILES_PER_RUN];
    const int found = outbox_files(folder, files, MAX_FILES_PER_RUN);
    const int count = found < MAX_FILES_PER_RUN ? found : MAX_FILES_PER_RUN;
    static char body[FHIR_BODY_CAPACITY + 1];
    static char answer[ANSWER_CAPACITY];
    for (int i = 0; i < count; ++i) {
        const wchar_t* id = files[i].id;
        wchar_t path[OUTBOX_PATH_CAPACITY];
        if (!outbox_path(folder, id, OutboxFile::queued, path, OUTBOX_PATH_CAPACITY)) continue;
        const int length = outbox_file_read(path, body, FHIR_BODY_CAPACITY + 1);
        if (length < 0) continue; // gone, or being written: the next run sees it
        const HttpPostResult posted =
            http_post(job.server, job.authorization, body, length, answer, ANSWER_CAPACITY);
        wchar_t reason[FHIR_REASON_CAPACITY];
        FhirAnswer fate = FhirAnswer::not_known;
        if (posted.answered)
            fate = fhir_read_answer(posted.status, answer, static_cast<std::size_t>(posted.length),
                                    reason, FHIR_REASON_CAPACITY);
        else
            http_failure_text(posted.error, reason, FHIR_REASON_CAPACITY);
        FileReplaceWin32 state;
        outbox_settle(file_replace_ops_win32(&state), folder, id, fate, posted.status, reason);
        if (fate == FhirAnswer::sent) {
            ++report->sent;
            continue;
        }
        text_copy(report->reason, FHIR_REASON_CAPACITY, reason);
        if (fate == FhirAnswer::refused) {
            ++report->refused;
            continue;
        }
        report->waiting = found - i;
        return;
    }
}

DWORD WINAPI run(void*) {
    static FhirRunReport report;
    report = {};
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, SENDER_MUTEX);
    const DWORD got = mutex != nullptr ? WaitForSingleObject(mutex, 0) : WAIT_FAILED;
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
        send_all(&report);
        ReleaseMutex(mutex);
    } else {
        report.busy = true;
    }
    if (mutex != nullptr) CloseHandle(mutex);
    EnterCriticalSection(&report_lock);
    last_report = report;
    LeaveCriticalSection(&report_lock);
    InterlockedExchange(&running, 0);
    PostMessageW(job.window, WM_FHIR_RUN_ENDED, 0, 0);
    return 0;
}

void init_lock() {
    static bool initialized = false;
    if (initialized) return;
    InitializeCriticalSection(&report_lock);
    initialized = true;
}

} // namespace

bool fhir_send_start(HWND window, const RecordsPolicy& policy) {
    init_lock();
    if (!policy_exports(policy)) return false;
    SetTimer(window, FHIR_TIMER_ID, FHIR_RUN_INTERVAL_MS, nullptr);
    if (InterlockedCompareExchange(&running, 1, 0) != 0) return false;
    job.window = window;
    text_copy(job.server, FHIR_ADDRESS_CAPACITY, policy.fhir_server);
    text_copy(job.authorization, FHIR_AUTHORIZATION_CAPACITY, policy.fhir_authorization);
    const HANDLE thread = CreateThread(nullptr, 0, run, nullptr, 0, nullptr);
    if (thread == nullptr) {
        InterlockedExchange(&running, 0);
        return false;
    }
    CloseHandle(thread);
    return true;
}

bool fhir_send_start(HWND window) {
    RecordsPolicy policy;
    records_policy_read(&policy);
    return policy.invalid_value < 0 && fhir_send_start(window, policy);
}

void fhir_last_run_status(wchar_t* dest, int capacity) {
    init_lock();
    EnterCriticalSection(&report_lock);
    const FhirRunReport report = last_report;
    LeaveCriticalSection(&report_lock);
    build_fhir_run_status(report, dest, capacity);
}
