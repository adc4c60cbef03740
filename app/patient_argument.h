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
