// Who a record is about and who assessed: bed, inpatient number, name and assessor, as typed in
// the window's header, each a short single line.
#pragma once

enum PatientField {
    PATIENT_BED,
    PATIENT_NUMBER,
    PATIENT_NAME,
    PATIENT_ASSESSOR,
    PATIENT_FIELD_COUNT
};

// Every field's text, terminator included: more than the longest field takes.
constexpr int PATIENT_FIELD_CAPACITY = 24;

struct PatientFieldDef {
    const wchar_t* label; // also the record file's column
    int max_length;       // characters the edit takes
};

// Indexed by PatientField: "床号" 8, "住院号" 20, "姓名" 16, "评估者" 16.
extern const PatientFieldDef PATIENT_FIELDS[PATIENT_FIELD_COUNT];

struct PatientFields {
    wchar_t text[PATIENT_FIELD_COUNT][PATIENT_FIELD_CAPACITY];
};

// Every field empty.
void patient_fields_clear(PatientFields* fields);

enum class PatientText { taken, control_character, too_long };

// The most characters an edit of the patient strip holds: far more than any field takes, so that a
// pasted text is never cut by the edit but refused whole when it is too long.
constexpr int PATIENT_TYPED_CAPACITY = 256;

// Takes a typed text: leading and trailing blanks (spaces, the ideographic space) dropped, the
// rest kept as typed, then checked. Refused, with dest empty, when it holds a control or format
// character (Unicode Cf, such as U+200B or U+FEFF) or half of a surrogate pair, or is longer than
// the field takes.
PatientText patient_field_take(PatientField field, const wchar_t* typed, wchar_t* dest,
                               int capacity);

// True when any of bed, inpatient number and name is filled.
bool patient_named(const PatientFields& fields);

// True when the record can be told apart from every other patient's: an inpatient number, or
// else a bed and a name.
bool patient_identified(const PatientFields& fields);
