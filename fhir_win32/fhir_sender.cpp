#include "fhir_win32/fhir_sender.h"

#include "core/stable_sort.h"
#include "core/text.h"
#include "fhir/observation.h"
#include "fhir_win32/http_post.h"
#include "fhir_win32/outbox_folder.h"
#include "records_win32/file_replace_win32.h"

namespace {

constexpr int MAX_FILES_PER_RUN = 512;
constexpr int ANSWER_CAPACITY = 64 * 1024 + 1;
constexpr int NAME_CAPACITY = 64;
const wchar_t* const SENDER_MUTEX = L"Local\\HalviMedSuite.FhirSender";

// What a run needs, copied from the window's thread before the run starts.
struct Job {
    HWND window;
    UINT message;
    wchar_t server[FHIR_ADDRESS_CAPACITY];
    wchar_t authorization[FHIR_AUTHORIZATION_CAPACITY];
};

struct Queued {
    FILETIME written;
    wchar_t name[NAME_CAPACITY];
};

Job job;
LONG running = 0;
CRITICAL_SECTION report_lock;
FhirRunReport last_report;

bool older(const Queued& a, const Queued& b) {
    const LONG order = CompareFileTime(&a.written, &b.written);
    return order != 0 ? order < 0 : lstrcmpW(a.name, b.name) < 0;
}

// The queued files, oldest first.
int list_queued(const wchar_t* folder, Queued* files) {
    wchar_t search[OUTBOX_PATH_CAPACITY];
    text_format(search, OUTBOX_PATH_CAPACITY, L"%ls\\*.json", folder);
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(search, &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            !outbox_file_name(found.cFileName) || count == MAX_FILES_PER_RUN)
            continue;
        files[count].written = found.ftLastWriteTime;
        text_copy(files[count].name, NAME_CAPACITY, found.cFileName);
        ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    stable_sort_in_place(files, count, older);
    return count;
}

// The file's bytes, terminated; -1 when it cannot be read whole.
int read_body(const wchar_t* path, char* body, int capacity) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD read = 0;
    const bool ok = ReadFile(file, body, static_cast<DWORD>(capacity - 1), &read, nullptr) != 0;
    DWORD more = 0;
    char extra = 0;
    const bool whole = ok && ReadFile(file, &extra, 1, &more, nullptr) && more == 0;
    CloseHandle(file);
    if (!whole) return -1;
    body[read] = '\0';
    return static_cast<int>(read);
}

void send_all(FhirRunReport* report) {
    wchar_t folder[OUTBOX_FOLDER_CAPACITY];
    if (!outbox_folder_ready(folder, OUTBOX_FOLDER_CAPACITY)) return;
    static Queued files[MAX_FILES_PER_RUN];
    const int count = list_queued(folder, files);
    static char body[FHIR_BODY_CAPACITY + 1];
    static char answer[ANSWER_CAPACITY];
    for (int i = 0; i < count; ++i) {
        wchar_t path[OUTBOX_PATH_CAPACITY];
        wchar_t id[NAME_CAPACITY];
        text_copy(id, text_length(files[i].name) - 4, files[i].name); // without ".json"
        if (!outbox_path(folder, id, OutboxFile::queued, path, OUTBOX_PATH_CAPACITY)) continue;
        const int length = read_body(path, body, FHIR_BODY_CAPACITY + 1);
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
        report->waiting = count - i;
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
    PostMessageW(job.window, job.message, 0, 0);
    return 0;
}

void init_lock() {
    static bool initialized = false;
    if (initialized) return;
    InitializeCriticalSection(&report_lock);
    initialized = true;
}

} // namespace

bool fhir_send_start(HWND window, UINT message, const RecordsPolicy& policy) {
    init_lock();
    if (!policy_exports(policy)) return false;
    if (InterlockedCompareExchange(&running, 1, 0) != 0) return false;
    job.window = window;
    job.message = message;
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

FhirRunReport fhir_last_run() {
    init_lock();
    EnterCriticalSection(&report_lock);
    const FhirRunReport report = last_report;
    LeaveCriticalSection(&report_lock);
    return report;
}
