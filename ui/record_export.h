// The window's side of the export: each saved record queued in the outbox before its Save is
// called done, and the sender started after every Save, at start-up and every 5 minutes, its
// result shown on the status line.
#pragma once

#include <windows.h>

#include "engine/engine.h"
#include "records/patient_fields.h"
#include "records/record_lines.h"
#include "records/records_policy.h"

// Posted by the sender when a run ends.
constexpr UINT WM_FHIR_RUN_ENDED = WM_APP + 20;
constexpr UINT_PTR FHIR_TIMER_ID = 20;
constexpr UINT FHIR_RUN_INTERVAL_MS = 5 * 60 * 1000;

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

// Starts a run of the sender, when the policy exports, and the timer of the next runs.
void record_export_start(const RecordsPolicy& policy);

// The sender's run ended: its outcome on the status line.
void record_export_run_ended();
