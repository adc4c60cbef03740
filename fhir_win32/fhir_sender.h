// Sending the outbox to the hospital's FHIR server on a worker thread of its own, so that the
// window never waits for the network. The worker touches only the outbox's files and the network,
// and tells the window its result by one posted message. One sender runs at a time for the user
// (a named mutex), one request at a time, oldest file first; a run stops at the first record whose
// fate is not known, to be sent again at the next run.
#pragma once

#include <windows.h>

#include "fhir/export_status.h"
#include "records/records_policy.h"

// Posted to the window when a run ends; the window's timer of the runs every 5 minutes.
constexpr UINT WM_FHIR_RUN_ENDED = WM_APP + 20;
constexpr UINT_PTR FHIR_TIMER_ID = 20;
constexpr UINT FHIR_RUN_INTERVAL_MS = 5 * 60 * 1000;

// When the policy names a server: sets the window's timer (FHIR_TIMER_ID) of the next runs, and
// starts a run unless this program's last run is still going; WM_FHIR_RUN_ENDED is posted to the
// window when it ends. False when no run was started.
bool fhir_send_start(HWND window, const RecordsPolicy& policy);

// The same under the policy as it reads now: at start-up, at each tick of the timer, and when the
// nurse asks to send again.
bool fhir_send_start(HWND window);

// The status line after the last run that ended (build_fhir_run_status): read when its message
// comes; empty when the run did nothing to say.
void fhir_last_run_status(wchar_t* dest, int capacity);
