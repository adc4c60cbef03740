#include "fhir_win32/outbox_folder.h"

#include <shlobj.h>
#include <windows.h>

#include "core/text.h"

namespace {

bool folder_there(const wchar_t* path) {
    if (CreateDirectoryW(path, nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The files of the folder whose names pass the check.
int count_files(const wchar_t* folder, const wchar_t* pattern, bool (*counted)(const wchar_t*)) {
    wchar_t search[OUTBOX_PATH_CAPACITY];
    if (!text_format_whole(search, OUTBOX_PATH_CAPACITY, L"%ls\\%ls", folder, pattern)) return 0;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(search, &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && counted(found.cFileName))
            ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

} // namespace

bool outbox_folder_path(wchar_t* dest, int capacity) {
    wchar_t app_data[MAX_PATH + 1] = L"";
    return SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data) ==
               S_OK &&
           app_data[0] != L'\0' &&
           text_format_whole(dest, capacity, L"%ls\\HalviMedSuite\\outbox", app_data);
}

bool outbox_folder_ready(wchar_t* dest, int capacity) {
    if (!outbox_folder_path(dest, capacity)) return false;
    wchar_t suite[OUTBOX_FOLDER_CAPACITY];
    wchar_t rejected[OUTBOX_FOLDER_CAPACITY + 16];
    text_copy(suite, OUTBOX_FOLDER_CAPACITY, dest);
    suite[text_length(suite) - 7] = L'\0'; // without "\\outbox"
    return text_format_whole(rejected, OUTBOX_FOLDER_CAPACITY + 16, L"%ls\\rejected", dest) &&
           folder_there(suite) && folder_there(dest) && folder_there(rejected);
}

OutboxCount outbox_count(const wchar_t* folder) {
    wchar_t rejected[OUTBOX_PATH_CAPACITY];
    text_format(rejected, OUTBOX_PATH_CAPACITY, L"%ls\\rejected", folder);
    return {count_files(folder, L"*.json", outbox_file_name),
            count_files(rejected, L"*.json", outbox_file_name)};
}
