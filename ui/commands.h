// The commands of the main window's buttons and keyboard shortcut.
#pragma once

#include <windows.h>

#include "records/patient_fields.h"
#include "records/record_lines.h"

// A message box over the window (MessageBoxW's flags and answer); the focus then returns to the
// control that had it.
int show_message(const wchar_t* text, const wchar_t* caption, UINT flags);

void calc_and_show();

// The patient's last assessment with the tool, read from the records when the strip names a
// patient (history_has_key), shown under the result and kept in the session for Copy and Print;
// with the change of the headline after a Calculate (calculated).
void show_previous_assessment(const PatientFields& patient, bool calculated);
void record_save();
void copy_result();
void print_result();
void reset_inputs();
void show_about();

// True when a result exists and the inputs still show the values that produced it; otherwise
// says why not (needs_result when there is no result yet) in a box and returns false.
bool result_is_current(const wchar_t* needs_result);

// Reads the patient fields from their edits. A text that is refused is named in a warning, gets
// the focus, and false is returned.
bool read_patient_fields(PatientFields* patient);

// The local time now, to the second.
LocalTime local_time_now();
