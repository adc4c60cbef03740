// The outbox as the toolbox's list of uploads shows it: the records waiting, oldest first, then
// the refused ones, each with its time, tool, patient and reason; and a refused record put back
// in the queue by hand once its cause is mended.
#pragma once

#include <windows.h>

#include "fhir/outbox.h"
#include "fhir/outbox_entry.h"
#include "fhir_win32/outbox_folder.h"

constexpr int OUTBOX_LIST_MAX = 256;

struct OutboxRow {
    bool refused;
    wchar_t id[OUTBOX_ID_CAPACITY];
    OutboxEntry entry;
    wchar_t reason[FHIR_REASON_CAPACITY]; // a refused record's: "HTTP 422：…"
};

struct OutboxList {
    OutboxRow rows[OUTBOX_LIST_MAX];
    int count;
};

// Reads the outbox folder's records into list.
void outbox_list_read(const wchar_t* folder, OutboxList* list);

// Moves the refused record back into the queue, its reason removed; false when it cannot.
bool outbox_requeue(const wchar_t* folder, const wchar_t* id);
