// The patient a program is opened for: "--patient BED NUMBER NAME" on its command line, three
// arguments each, an empty one given as "". The toolbox passes the patient it holds this way.
#pragma once

#include "records/patient_fields.h"

enum class PatientArgument {
    absent,     // no "--patient" argument
    taken,      // the three fields, each taken as typed text would be
    refused,    // a field failed the typed text's checks: field and why say which and why
    incomplete, // fewer than three arguments follow "--patient"
};

struct PatientArgumentRead {
    PatientArgument result;
    PatientField field; // the refused field
    PatientText why;
};

// Reads the first whole argument "--patient" after the program's name and the three after it
// into patient's bed, inpatient number and name, with the checks of patient_field_take. Unless
// taken, every field of patient is left empty: a refused patient is never half filled in.
PatientArgumentRead patient_from_command_line(const wchar_t* command_line, PatientFields* patient);

// The command line that opens program (its full path) for the patient: the path quoted, then
// "--patient" and the bed, inpatient number and name, each escaped so that
// patient_from_command_line reads back exactly these texts. Without a named patient, the path
// alone. False, with dest empty, when it does not fit whole.
bool build_patient_command_line(const wchar_t* program, const PatientFields& patient, wchar_t* dest,
                                int capacity);
