#include "records_win32/records_policy_read.h"

#include <windows.h>

#include "core/text.h"

namespace {

// The most any value's text takes (policy_text_capacity).
constexpr int TEXT_CAPACITY = FHIR_AUTHORIZATION_CAPACITY;
// Room for a value as stored, its terminator and one character more, which tells a value too long
// to hold.
constexpr DWORD RAW_CAPACITY = TEXT_CAPACITY + 2;

struct RootReadings {
    PolicyReading readings[POLICY_VALUE_COUNT];
    wchar_t texts[POLICY_VALUE_COUNT][TEXT_CAPACITY];
};

// One value of the open key as it is stored: its type, and a number or a text.
void read_value(HKEY key, PolicyValue value, PolicyReading* reading, wchar_t* text) {
    *reading = {};
    const int capacity = policy_text_capacity(value);
    static union {
        DWORD number;
        wchar_t chars[RAW_CAPACITY];
    } raw;
    raw = {};
    DWORD type = 0;
    DWORD size = sizeof raw.chars;
    const LONG status = RegQueryValueExW(key, POLICY_VALUE_NAMES[value], nullptr, &type,
                                         reinterpret_cast<BYTE*>(&raw), &size);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return;
    reading->present = true;
    reading->type = type;
    if (type == REG_DWORD) {
        reading->size_ok = status == ERROR_SUCCESS && size == sizeof(DWORD);
        reading->number = raw.number;
        return;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return;
    // Stored strings need not be terminated; a value longer than its room is never cut.
    const DWORD chars = size / sizeof(wchar_t);
    if (status == ERROR_MORE_DATA || chars >= RAW_CAPACITY - 1) {
        reading->text_too_long = true;
        return;
    }
    raw.chars[chars] = L'\0';
    if (type == REG_SZ) {
        reading->text_too_long = text_length(raw.chars) >= capacity;
        if (!reading->text_too_long) text_copy(text, capacity, raw.chars);
    } else {
        const DWORD needed =
            ExpandEnvironmentStringsW(raw.chars, text, static_cast<DWORD>(capacity));
        reading->text_too_long = needed == 0 || needed > static_cast<DWORD>(capacity);
    }
    if (!reading->text_too_long) reading->text = text;
}

void read_root(HKEY root, RootReadings* readings) {
    for (PolicyReading& reading : readings->readings) reading = {};
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, POLICY_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    for (int v = 0; v < POLICY_VALUE_COUNT; ++v)
        read_value(key, static_cast<PolicyValue>(v), &readings->readings[v], readings->texts[v]);
    RegCloseKey(key);
}

} // namespace

void records_policy_read(RecordsPolicy* policy) {
    static RootReadings machine;
    static RootReadings user;
    read_root(HKEY_LOCAL_MACHINE, &machine);
    read_root(HKEY_CURRENT_USER, &user);
    records_policy_from(machine.readings, user.readings, policy);
}
