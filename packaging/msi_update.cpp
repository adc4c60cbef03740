// Applies SQL statements to a Windows Installer database through the system's MSI API:
//   msi_update.exe DATABASE STATEMENTS_FILE
// The statements file is UTF-8, one statement per line; the line "CODEPAGE n" is not SQL but sets
// the database's code page (before any text that needs it), and "SUMMARYTIME n" its summary's
// creation and last-saved times (seconds since 1970). Used by the packaging to put texts into
// the installer that the MSI builder cannot store itself.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring from_utf8(const std::string& text) {
    if (text.empty()) return L"";
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::vector<std::wstring> read_lines(const wchar_t* path) {
    std::vector<std::wstring> lines;
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) return lines;
    std::string line;
    int c = 0;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(from_utf8(line));
            line.clear();
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    if (!line.empty()) lines.push_back(from_utf8(line));
    std::fclose(file);
    return lines;
}

bool execute(MSIHANDLE database, const std::wstring& statement) {
    MSIHANDLE view = 0;
    if (MsiDatabaseOpenViewW(database, statement.c_str(), &view) != ERROR_SUCCESS) return false;
    const bool done = MsiViewExecute(view, 0) == ERROR_SUCCESS;
    MsiViewClose(view);
    MsiCloseHandle(view);
    return done;
}

// The code page is set the way the MSI API knows: importing a _ForceCodepage table.
bool set_codepage(MSIHANDLE database, const std::wstring& codepage) {
    wchar_t folder[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0) return false;
    const std::wstring path = std::wstring(folder) + L"_ForceCodepage.idt";
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) return false;
    std::fprintf(file, "\r\n\r\n%ls\t_ForceCodepage\r\n", codepage.c_str());
    std::fclose(file);
    const bool done = MsiDatabaseImportW(database, folder, L"_ForceCodepage.idt") == ERROR_SUCCESS;
    DeleteFileW(path.c_str());
    return done;
}

// The summary's creation and last-saved times, from seconds since 1970 (UTC): the line
// "SUMMARYTIME n" gives the packages the time of their commit rather than of their build.
bool set_summary_time(MSIHANDLE database, const std::wstring& seconds) {
    const unsigned long long since_1601 =
        (std::wcstoull(seconds.c_str(), nullptr, 10) + 11644473600ULL) * 10000000ULL;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(since_1601 & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(since_1601 >> 32);
    MSIHANDLE summary = 0;
    if (MsiGetSummaryInformationW(database, nullptr, 2, &summary) != ERROR_SUCCESS) return false;
    const UINT created = 12, saved = 13; // PID_CREATE_DTM, PID_LASTSAVE_DTM
    const bool done = MsiSummaryInfoSetPropertyW(summary, created, VT_FILETIME, 0, &time,
                                                 nullptr) == ERROR_SUCCESS &&
                      MsiSummaryInfoSetPropertyW(summary, saved, VT_FILETIME, 0, &time, nullptr) ==
                          ERROR_SUCCESS &&
                      MsiSummaryInfoPersist(summary) == ERROR_SUCCESS;
    MsiCloseHandle(summary);
    return done;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputws(L"usage: msi_update.exe DATABASE STATEMENTS_FILE\n", stderr);
        return 2;
    }
    const std::vector<std::wstring> lines = read_lines(argv[2]);
    if (lines.empty()) return 2;
    MSIHANDLE database = 0;
    if (MsiOpenDatabaseW(argv[1], MSIDBOPEN_TRANSACT, &database) != ERROR_SUCCESS) return 1;
    for (const std::wstring& line : lines) {
        bool done = false;
        if (line.compare(0, 9, L"CODEPAGE ") == 0)
            done = set_codepage(database, line.substr(9));
        else if (line.compare(0, 12, L"SUMMARYTIME ") == 0)
            done = set_summary_time(database, line.substr(12));
        else
            done = execute(database, line);
        if (!done) {
            std::fwprintf(stderr, L"msi_update: failed: %ls\n", line.c_str());
            MsiCloseHandle(database);
            return 1;
        }
    }
    const bool committed = MsiDatabaseCommit(database) == ERROR_SUCCESS;
    MsiCloseHandle(database);
    return committed ? 0 : 1;
}
