#include "records_win32/records_policy_read.h"

#include <windows.h>

#include "core/text.h"

namespace {

// The value's type and data from the machine's policy, else the user's; false when neither has
// it. size is the buffer's bytes on entry and the data's on return.
bool policy_value(PolicyValue value, DWORD* type, BYTE* data, DWORD* size) {
    const DWORD capacity = *size;
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, POLICY_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
        *size = capacity;
        const LONG status =
            RegQueryValueExW(key, POLICY_VALUE_NAMES[value], nullptr, type, data, size);
        RegCloseKey(key);
        if (status == ERROR_SUCCESS) return true;
        // A value too long for the buffer is there all the same: its size says so.
        if (status == ERROR_MORE_DATA) {
            *size = capacity + 1;
            return true;
        }
    }
    return false;
}

// A DWORD policy: its value, or fallback when it is not set as a DWORD.
DWORD policy_dword(PolicyValue value, DWORD fallback) {
    DWORD data = 0;
    DWORD type = 0;
    DWORD size = sizeof data;
    if (!policy_value(value, &type, reinterpret_cast<BYTE*>(&data), &size) || type != REG_DWORD ||
        size != sizeof data)
        return fallback;
    return data;
}

void read_folder(RecordsPolicy* policy) {
    wchar_t raw[RECORD_FOLDER_CAPACITY + 1];
    DWORD type = 0;
    DWORD size = RECORD_FOLDER_CAPACITY * sizeof(wchar_t);
    if (!policy_value(POLICY_RECORDS_FOLDER, &type, reinterpret_cast<BYTE*>(raw), &size)) return;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return;
    if (size > RECORD_FOLDER_CAPACITY * sizeof(wchar_t)) {
        policy->folder_unusable = true; // never shortened to another folder
        return;
    }
    // Stored strings need not be terminated.
    raw[size / sizeof(wchar_t)] = L'\0';
    if (raw[0] == L'\0') return;
    if (type == REG_SZ) {
        text_copy(policy->records_folder, RECORD_FOLDER_CAPACITY, raw);
        return;
    }
    const DWORD needed =
        ExpandEnvironmentStringsW(raw, policy->records_folder, RECORD_FOLDER_CAPACITY);
    if (needed == 0 || needed > RECORD_FOLDER_CAPACITY) {
        policy->records_folder[0] = L'\0';
        policy->folder_unusable = true;
    }
}

} // namespace

void records_policy_read(RecordsPolicy* policy) {
    records_policy_clear(policy);
    read_folder(policy);
    policy->require_patient = policy_dword(POLICY_REQUIRE_PATIENT, 0) == 1;
    policy->require_assessor = policy_dword(POLICY_REQUIRE_ASSESSOR, 0) == 1;
    policy->remember_assessor = policy_dword(POLICY_REMEMBER_ASSESSOR, 1) != 0;
}
