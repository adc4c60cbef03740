// The user's outbox on this PC, whatever folder the records go to:
// %LOCALAPPDATA%\HalviMedSuite\outbox, with its folder "rejected".
#pragma once

#include "fhir/outbox.h"

constexpr int OUTBOX_FOLDER_CAPACITY = OUTBOX_PATH_CAPACITY - 64;

// The outbox's path, whether it is there or not; false when the local application data folder is
// unknown or the path does not fit.
bool outbox_folder_path(wchar_t* dest, int capacity);

// The outbox's path, made with its rejected\ folder when missing; false when the local
// application data folder is unknown, the path does not fit, or the folder cannot be made.
bool outbox_folder_ready(wchar_t* dest, int capacity);

// The records waiting and refused in the outbox now.
struct OutboxCount {
    int waiting;
    int refused;
};
OutboxCount outbox_count(const wchar_t* folder);
