// The window's side of the export: each saved record queued in the outbox before its Save is
// called done, and the sender's result shown on the status line (the sender is started after
// every Save, at start-up and every 5 minutes: fhir_win32/fhir_sender.h).
#pragma once

#include <windows.h>

#include "engine/engine.h"
#include "records/patient_fields.h"
#include "records/record_lines.h"
#include "records/records_policy.h"

// What a Save exports: nothing (no server, or a report), a record without an inpatient number
// (saved, never sent), or a record to queue.
enum class RecordExport { none, no_number, queued };
RecordExport record_export_of(const RecordsPolicy& policy, const PatientFields& patient);

// Queues the record's Observation in the outbox under its id. False, with path naming what could
// not be written and error the system's reason, when it is not queued whole.
bool record_export_queue(const RecordsPolicy& policy, const PatientFields& patient,
                         const wchar_t* record_id, const LocalTime& time, wchar_t* path,
                         int capacity, DWORD* error);

// Takes the queued record out again, when the record itself could not be saved.
void record_export_withdraw(const wchar_t* record_id);

// The sender's run ended: its outcome on the status line.
void record_export_run_ended();
