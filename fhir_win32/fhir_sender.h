// Sending the outbox to the hospital's FHIR server on a worker thread of its own, so that the
// window never waits for the network. The worker touches only the outbox's files and the network,
// and tells the window its result by one posted message. One sender runs at a time for the user
// (a named mutex), one request at a time, oldest file first; a run stops at the first record whose
// fate is not known, to be sent again at the next run.
#pragma once

#include <windows.h>

#include "fhir/export_status.h"
#include "records/records_policy.h"

// Starts a run of the policy's server unless this program's last run is still going; when it
// ends, message is posted to window. False when none was started.
bool fhir_send_start(HWND window, UINT message, const RecordsPolicy& policy);

// The report of the last run that ended: read when its message comes.
FhirRunReport fhir_last_run();
