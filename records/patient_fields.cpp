#include "records/patient_fields.h"

#include "core/text.h"

const PatientFieldDef PATIENT_FIELDS[PATIENT_FIELD_COUNT] = {
    {L"床号", 8},
    {L"住院号", 20},
    {L"姓名", 16},
    {L"评估者", 16},
};

namespace {

// A space, or the ideographic space that a Chinese input method types.
bool is_blank(wchar_t c) { return text_ascii_twin(c) == L' '; }

bool is_control(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

} // namespace

void patient_fields_clear(PatientFields* fields) {
    for (auto& text : fields->text) text[0] = L'\0';
}

PatientText patient_field_take(PatientField field, const wchar_t* typed, wchar_t* dest,
                               int capacity) {
    dest[0] = L'\0';
    if (typed == nullptr) return PatientText::taken;
    const wchar_t* begin = typed;
    while (is_blank(*begin)) ++begin;
    const wchar_t* end = begin + text_length(begin);
    while (end > begin && is_blank(end[-1])) --end;
    const int length = static_cast<int>(end - begin);
    for (int i = 0; i < length; ++i)
        if (is_control(begin[i])) return PatientText::control_character;
    if (length > PATIENT_FIELDS[field].max_length || length >= capacity)
        return PatientText::too_long;
    for (int i = 0; i < length; ++i) dest[i] = begin[i];
    dest[length] = L'\0';
    return PatientText::taken;
}

bool patient_named(const PatientFields& fields) {
    return !text_is_empty(fields.text[PATIENT_BED]) ||
           !text_is_empty(fields.text[PATIENT_NUMBER]) || !text_is_empty(fields.text[PATIENT_NAME]);
}

bool patient_identified(const PatientFields& fields) {
    return !text_is_empty(fields.text[PATIENT_NUMBER]) ||
           (!text_is_empty(fields.text[PATIENT_BED]) && !text_is_empty(fields.text[PATIENT_NAME]));
}
