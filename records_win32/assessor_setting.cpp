#include "records_win32/assessor_setting.h"

#include <windows.h>

#include "core/text.h"

namespace {

const wchar_t* const SETTINGS_KEY = L"Software\\HalviMed\\Tools";
const wchar_t* const ASSESSOR_VALUE = L"Assessor";

} // namespace

void assessor_load(wchar_t* dest, int capacity) {
    dest[0] = L'\0';
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(capacity - 1) * sizeof(wchar_t);
    const LONG status =
        RegQueryValueExW(key, ASSESSOR_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(dest), &size);
    RegCloseKey(key);
    // A stored string need not be terminated: the buffer keeps one unit for the terminator.
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        dest[0] = L'\0';
        return;
    }
    dest[size / sizeof(wchar_t)] = L'\0';
}

bool assessor_store(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD size = static_cast<DWORD>(text_length(name) + 1) * sizeof(wchar_t);
    const LONG status =
        RegSetValueExW(key, ASSESSOR_VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(name), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
