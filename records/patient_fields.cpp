#include "records/patient_fields.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

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

bool is_control(unsigned long c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Unicode's format characters (general category Cf): invisible, so that two texts that look
// alike (Z001 and Z001 with a zero-width space) would name two patients.
bool is_format(unsigned long c) {
    struct Range {
        unsigned long first, last;
    };
    static const Range ranges[] = {
        {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
        {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
        {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
        {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
        {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F},
    };
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [c](const Range& range) { return c >= range.first && c <= range.last; });
}

bool is_surrogate(unsigned long c, unsigned long low, unsigned long high) {
    return c >= low && c <= high;
}

// The code point at text[i] and how many units it takes; a lone surrogate is returned as itself
// in one unit.
unsigned long code_point_at(const wchar_t* text, int length, int i, int* units) {
    using Unit = std::make_unsigned_t<wchar_t>;
    const unsigned long c = static_cast<Unit>(text[i]);
    *units = 1;
    if (sizeof(wchar_t) == 2 && is_surrogate(c, 0xD800, 0xDBFF) && i + 1 < length) {
        const unsigned long next = static_cast<Unit>(text[i + 1]);
        if (is_surrogate(next, 0xDC00, 0xDFFF)) {
            *units = 2;
            return 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
        }
    }
    return c;
}

// A character that must not be in a typed field: a control or format character, or half of a
// surrogate pair.
bool refused_character_in(const wchar_t* text, int length) {
    for (int i = 0; i < length;) {
        int units = 1;
        const unsigned long c = code_point_at(text, length, i, &units);
        if (is_control(c) || is_format(c) || is_surrogate(c, 0xD800, 0xDFFF)) return true;
        i += units;
    }
    return false;
}

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
    if (refused_character_in(begin, length)) return PatientText::control_character;
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
