#include "app/patient_argument.h"

#include "app/command_line.h"
#include "core/text.h"

namespace {

const wchar_t* const patient_switch = L"--patient";
constexpr PatientField ARGUMENT_FIELDS[] = {PATIENT_BED, PATIENT_NUMBER, PATIENT_NAME};

} // namespace

PatientArgumentRead patient_from_command_line(const wchar_t* command_line, PatientFields* patient) {
    patient_fields_clear(patient);
    PatientArgumentRead read = {PatientArgument::absent, PATIENT_BED, PatientText::taken};
    const wchar_t* p = command_line_after_switch(command_line, patient_switch);
    if (p == nullptr) return read;
    int length = 0;
    // Each value read whole, however long: one longer than its field is refused, never cut.
    static wchar_t typed[PATIENT_TYPED_CAPACITY];
    for (const PatientField field : ARGUMENT_FIELDS) {
        p = command_line_argument(p, false, typed, PATIENT_TYPED_CAPACITY, &length);
        if (p == nullptr) {
            patient_fields_clear(patient);
            read.result = PatientArgument::incomplete;
            return read;
        }
        const PatientText taken =
            length >= PATIENT_TYPED_CAPACITY
                ? PatientText::too_long
                : patient_field_take(field, typed, patient->text[field], PATIENT_FIELD_CAPACITY);
        if (taken != PatientText::taken) {
            patient_fields_clear(patient);
            read = {PatientArgument::refused, field, taken};
            return read;
        }
    }
    read.result = PatientArgument::taken;
    return read;
}

bool build_patient_command_line(const wchar_t* program, const PatientFields& patient, wchar_t* dest,
                                int capacity) {
    // The program's own name has no escapes: quoted whole, as CreateProcess expects it.
    text_format(dest, capacity, L"\"%ls\"", program);
    if (patient_named(patient)) {
        text_append(dest, capacity, L" ");
        text_append(dest, capacity, patient_switch);
        for (const PatientField field : ARGUMENT_FIELDS) {
            text_append(dest, capacity, L" ");
            command_line_append_argument(dest, capacity, patient.text[field]);
        }
    }
    if (text_length(dest) < capacity - 1) return true;
    dest[0] = L'\0';
    return false;
}
