// Where the programs let Windows look for DLLs. The portable programs are unpacked into folders
// that users can write to (Downloads, the desktop), so a DLL placed beside a program must never
// be loaded in place of a system one.
#pragma once

// Restricts the search of every later DLL load in the process, the loads that system components
// make on their own included (uxtheme.dll, version.dll, dwmapi.dll and the like), to System32.
// Called first thing in every program's entry. Windows 7 without update KB2533623 lacks the
// function; there the program starts as before.
void restrict_dll_search_to_system32();

// The address of a function of a system DLL, loaded from the system folder only; null when this
// Windows lacks the DLL or the function.
void* system_procedure(const wchar_t* dll, const char* name);
