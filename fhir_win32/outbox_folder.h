// The user's outbox on this PC, whatever folder the records go to:
// %LOCALAPPDATA%\HalviMedSuite\outbox, with its folder "rejected".
#pragma once

#include <windows.h>

#include "fhir/outbox.h"

constexpr int OUTBOX_FOLDER_CAPACITY = OUTBOX_PATH_CAPACITY - 64;

// The outbox's path, whether it is there or not; false when the local application data folder is
// unknown or the path does not fit.
bool outbox_folder_path(wchar_t* dest, int capacity);

// The outbox's path, made with its rejected\ folder when missing; false when the local
// application data folder is unknown, the path does not fit, or the folder cannot be made.
bool outbox_folder_ready(wchar_t* dest, int capacity);

constexpr int OUTBOX_ID_CAPACITY = 40;

// A record's file in the outbox, or in its rejected\ folder.
struct OutboxFileName {
    FILETIME written;
    wchar_t id[OUTBOX_ID_CAPACITY]; // the record id, the file's name without ".json"
};

// The records' files ("<id>.json") in the folder (the outbox, or its rejected\ folder): the first
// capacity found into files, oldest first (null: counted only). Returns how many there are.
int outbox_files(const wchar_t* folder, OutboxFileName* files, int capacity);

// The file's bytes, terminated; -1 when it cannot be read whole within capacity - 1 bytes (gone,
// being written, or longer).
int outbox_file_read(const wchar_t* path, char* bytes, int capacity);

// The records waiting and refused in the outbox now.
struct OutboxCount {
    int waiting;
    int refused;
};
OutboxCount outbox_count(const wchar_t* folder);
