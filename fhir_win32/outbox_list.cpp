#include "fhir_win32/outbox_list.h"

#include "core/stable_sort.h"
#include "core/text.h"
#include "fhir/observation.h"

namespace {

constexpr int REASON_BYTES = 4096;

// The file's bytes, terminated; -1 when it cannot be read whole within capacity - 1.
int read_whole(const wchar_t* path, char* bytes, int capacity) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD read = 0;
    const bool ok = ReadFile(file, bytes, static_cast<DWORD>(capacity - 1), &read, nullptr) != 0;
    CloseHandle(file);
    if (!ok) return -1;
    bytes[read] = '\0';
    return static_cast<int>(read);
}

void add_rows(const wchar_t* folder, const wchar_t* records, bool refused, OutboxList* list) {
    wchar_t search[OUTBOX_PATH_CAPACITY];
    text_format(search, OUTBOX_PATH_CAPACITY, L"%ls\\*.json", records);
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(search, &found);
    if (find == INVALID_HANDLE_VALUE) return;
    static char body[FHIR_BODY_CAPACITY + 1];
    do {
        if (!outbox_file_name(found.cFileName) || list->count == OUTBOX_LIST_MAX) continue;
        OutboxRow& row = list->rows[list->count];
        row = {};
        row.refused = refused;
        row.written = found.ftLastWriteTime;
        text_copy(row.id, text_length(found.cFileName) - 4, found.cFileName); // without ".json"
        wchar_t path[OUTBOX_PATH_CAPACITY];
        outbox_path(folder, row.id, refused ? OutboxFile::rejected : OutboxFile::queued, path,
                    OUTBOX_PATH_CAPACITY);
        const int length = read_whole(path, body, FHIR_BODY_CAPACITY + 1);
        if (length < 0) continue; // sent or moved meanwhile
        outbox_entry_read(body, static_cast<std::size_t>(length), &row.entry);
        if (refused) {
            static char reason[REASON_BYTES];
            outbox_path(folder, row.id, OutboxFile::rejected_reason, path, OUTBOX_PATH_CAPACITY);
            const int reason_length = read_whole(path, reason, REASON_BYTES);
            if (reason_length > 0)
                outbox_reason_line(reason, static_cast<std::size_t>(reason_length), row.reason,
                                   FHIR_REASON_CAPACITY);
        }
        ++list->count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

} // namespace

void outbox_list_read(const wchar_t* folder, OutboxList* list) {
    list->count = 0;
    add_rows(folder, folder, false, list);
    const int waiting = list->count;
    wchar_t rejected[OUTBOX_PATH_CAPACITY];
    text_format(rejected, OUTBOX_PATH_CAPACITY, L"%ls\\rejected", folder);
    add_rows(folder, rejected, true, list);
    const auto older = [](const OutboxRow& a, const OutboxRow& b) {
        return CompareFileTime(&a.written, &b.written) < 0;
    };
    stable_sort_in_place(list->rows, waiting, older);
    stable_sort_in_place(list->rows + waiting, list->count - waiting, older);
}

bool outbox_requeue(const wchar_t* folder, const wchar_t* id) {
    wchar_t rejected[OUTBOX_PATH_CAPACITY];
    wchar_t queued[OUTBOX_PATH_CAPACITY];
    wchar_t reason[OUTBOX_PATH_CAPACITY];
    if (!outbox_path(folder, id, OutboxFile::rejected, rejected, OUTBOX_PATH_CAPACITY) ||
        !outbox_path(folder, id, OutboxFile::queued, queued, OUTBOX_PATH_CAPACITY) ||
        !outbox_path(folder, id, OutboxFile::rejected_reason, reason, OUTBOX_PATH_CAPACITY))
        return false;
    if (!MoveFileExW(rejected, queued, MOVEFILE_WRITE_THROUGH)) return false;
    DeleteFileW(reason);
    return true;
}
