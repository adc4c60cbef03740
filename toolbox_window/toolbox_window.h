// The toolbox window: the patient the nurse works for, every program of the suite by category, a
// filter above the list, and a button that starts the selected program from the toolbox's own
// folder, for that patient.
#pragma once

#include <windows.h>

// Control identifiers of the toolbox window.
constexpr int ID_TOOLBOX_OPEN = 1001;
constexpr int ID_TOOLBOX_OVERVIEW = 1002;
constexpr int ID_TOOLBOX_FILTER = 1010;
constexpr int ID_TOOLBOX_LIST = 1011;
// The patient strip: bed, inpatient number and name (PatientField order), and the ward's patients.
constexpr int ID_TOOLBOX_PATIENT_BASE = 1020;
constexpr int ID_TOOLBOX_WARD_PATIENTS = 1023;
// The outbox's line "待上传 n 条，被拒绝 m 条", a button that opens the list of uploads.
constexpr int ID_TOOLBOX_UPLOADS = 1030;

extern const wchar_t* const TOOLBOX_TITLE;
extern const wchar_t* const TOOLBOX_CLASS_NAME;

// Runs the window until it is closed: 0, or 1 when it cannot be created.
int toolbox_run(HINSTANCE instance);

// The folder of the running program, without a trailing backslash; false when it does not fit.
bool toolbox_folder(wchar_t* dest, int capacity);

// The path of a program of the suite beside the toolbox; false when it does not fit.
bool toolbox_program_path(const char* name, wchar_t* dest, int capacity);

// True when path names a file (not a folder) that is there.
bool file_present(const wchar_t* path);

// True when the file at path begins with the headers of a Windows program.
bool file_is_windows_program(const wchar_t* path);
