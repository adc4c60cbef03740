#include "fhir_win32/outbox_folder.h"

#include <shlobj.h>
#include <windows.h>

#include "core/stable_sort.h"
#include "core/text.h"

namespace {

bool folder_there(const wchar_t* path) {
    if (CreateDirectoryW(path, nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool older(const OutboxFileName& a, const OutboxFileName& b) {
    const LONG order = CompareFileTime(&a.written, &b.written);
    return order != 0 ? order < 0 : lstrcmpW(a.id, b.id) < 0;
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

int outbox_files(const wchar_t* folder, OutboxFileName* files, int capacity) {
    wchar_t search[OUTBOX_PATH_CAPACITY];
    if (!text_format_whole(search, OUTBOX_PATH_CAPACITY, L"%ls\\*.json", folder)) return 0;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(search, &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            !outbox_file_name(found.cFileName))
            continue;
        if (files != nullptr && count < capacity) {
            files[count].written = found.ftLastWriteTime;
            // The name is a record id and ".json" (outbox_file_name): the id is what comes before.
            text_copy(files[count].id, text_length(found.cFileName) - 4, found.cFileName);
        }
        ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    if (files != nullptr) stable_sort_in_place(files, count < capacity ? count : capacity, older);
    return count;
}

int outbox_file_read(const wchar_t* path, char* bytes, int capacity) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD read = 0;
    const bool ok = ReadFile(file, bytes, static_cast<DWORD>(capacity - 1), &read, nullptr) != 0;
    DWORD more = 0;
    char extra = 0;
    const bool whole = ok && ReadFile(file, &extra, 1, &more, nullptr) && more == 0;
    CloseHandle(file);
    if (!whole) return -1;
    bytes[read] = '\0';
    return static_cast<int>(read);
}

OutboxCount outbox_count(const wchar_t* folder) {
    wchar_t rejected[OUTBOX_PATH_CAPACITY];
    text_format(rejected, OUTBOX_PATH_CAPACITY, L"%ls\\rejected", folder);
    return {outbox_files(folder, nullptr, 0), outbox_files(rejected, nullptr, 0)};
}
