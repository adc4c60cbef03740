#include "records_win32/record_folder.h"

#include <shlobj.h>
#include <windows.h>

#include "core/text.h"

bool record_folder_of_user(wchar_t* dest, int capacity) {
    wchar_t app_data[MAX_PATH + 1] = L"";
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data) !=
            S_OK ||
        app_data[0] == L'\0') {
        text_copy(dest, capacity, RECORD_SUBFOLDER);
        return false;
    }
    return build_record_folder(app_data, dest, capacity);
}

void record_folder_create(const wchar_t* folder) {
    wchar_t level[RECORD_FOLDER_CAPACITY];
    const int length = text_length(folder);
    for (int i = 3; i < length; ++i) {
        if (folder[i] != L'\\') continue;
        text_copy(level, i + 1 < RECORD_FOLDER_CAPACITY ? i + 1 : RECORD_FOLDER_CAPACITY, folder);
        CreateDirectoryW(level, nullptr);
    }
    CreateDirectoryW(folder, nullptr);
}

bool records_folder(const RecordsPolicy& policy, wchar_t* dest, int capacity) {
    if (policy.folder_unusable) {
        text_copy(dest, capacity, POLICY_VALUE_NAMES[POLICY_RECORDS_FOLDER]);
        return false;
    }
    if (policy_names_folder(policy))
        return text_format_whole(dest, capacity, L"%ls", policy.records_folder);
    return record_folder_of_user(dest, capacity);
}

bool record_file_of_tool(const RecordsPolicy& policy, int tool_id, wchar_t* folder, wchar_t* path) {
    return records_folder(policy, folder, RECORD_FOLDER_CAPACITY) &&
           build_record_path(folder, tool_id, path, RECORD_PATH_CAPACITY);
}
