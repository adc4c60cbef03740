#include "fhir_win32/outbox_list.h"

#include "core/text.h"
#include "fhir/observation.h"
#include "fhir_win32/outbox_folder.h"

namespace {

constexpr int REASON_BYTES = 4096;

// The rows of the folder's records (the outbox's, or its rejected\ folder's), oldest first.
void add_rows(const wchar_t* folder, const wchar_t* records, bool refused, OutboxList* list) {
    static OutboxFileName files[OUTBOX_LIST_MAX];
    const int found = outbox_files(records, files, OUTBOX_LIST_MAX - list->count);
    const int count = found < OUTBOX_LIST_MAX - list->count ? found : OUTBOX_LIST_MAX - list->count;
    static char body[FHIR_BODY_CAPACITY + 1];
    for (int i = 0; i < count; ++i) {
        OutboxRow& row = list->rows[list->count];
        row = {};
        row.refused = refused;
        text_copy(row.id, OUTBOX_ID_CAPACITY, files[i].id);
        wchar_t path[OUTBOX_PATH_CAPACITY];
        outbox_path(folder, row.id, refused ? OutboxFile::rejected : OutboxFile::queued, path,
                    OUTBOX_PATH_CAPACITY);
        const int length = outbox_file_read(path, body, FHIR_BODY_CAPACITY + 1);
        if (length < 0) continue; // sent or moved meanwhile
        outbox_entry_read(body, static_cast<std::size_t>(length), &row.entry);
        if (refused) {
            static char reason[REASON_BYTES];
            outbox_path(folder, row.id, OutboxFile::rejected_reason, path, OUTBOX_PATH_CAPACITY);
            const int reason_length = outbox_file_read(path, reason, REASON_BYTES);
            if (reason_length > 0)
                outbox_reason_line(reason, static_cast<std::size_t>(reason_length), row.reason,
                                   FHIR_REASON_CAPACITY);
        }
        ++list->count;
    }
}

} // namespace

void outbox_list_read(const wchar_t* folder, OutboxList* list) {
    list->count = 0;
    add_rows(folder, folder, false, list);
    wchar_t rejected[OUTBOX_PATH_CAPACITY];
    text_format(rejected, OUTBOX_PATH_CAPACITY, L"%ls\\rejected", folder);
    add_rows(folder, rejected, true, list);
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
