// A patient's records with the window's tool, read from the records folder (the policy's, or the
// user's own): what the history dialog lists and what the last assessment's line shows.
#pragma once

#include "records/record_history.h"

constexpr int HISTORY_REASON_CAPACITY = 600;

// Reads the patient's records into history (newest first). Returns null when the file was read,
// otherwise why not, written into reason: an invalid policy, no records folder, no file yet, or
// a file that cannot be read.
const wchar_t* read_patient_history(const PatientFields& patient, History* history, wchar_t* reason,
                                    int capacity);
